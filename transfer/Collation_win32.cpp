#include <windows.h>

#include "FileList.h"

namespace tonvale {

Collation localeCollation() {
    return [](std::wstring_view a, std::wstring_view b) {
        return CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()),
                              b.data(), static_cast<int>(b.size())) -
               CSTR_EQUAL;
    };
}

Collation localeCollationIgnoringCase() {
    return [](std::wstring_view a, std::wstring_view b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                              static_cast<int>(a.size()), b.data(), static_cast<int>(b.size())) -
               CSTR_EQUAL;
    };
}

}  // namespace tonvale
