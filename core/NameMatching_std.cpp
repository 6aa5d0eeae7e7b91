// Builds without Windows (the logic's native tests), with the rule of the Windows build: names
// match when each character's upper case does, by the system's own case table; here the C
// library's, for the whole of Unicode.
#include "NameMatching.h"

#include <clocale>
#include <cwctype>

namespace tonvale {
namespace {

wchar_t upper(wchar_t character) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const auto value = static_cast<wint_t>(character);
    return static_cast<wchar_t>(unicode != nullptr ? towupper_l(value, unicode)
                                                   : std::towupper(value));
}

}  // namespace

bool namesMatch(std::wstring_view left, std::wstring_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (size_t i = 0; i < left.size(); ++i) {
        if (upper(left[i]) != upper(right[i])) {
            return false;
        }
    }
    return true;
}

std::wstring nameForMatching(std::wstring_view name) {
    std::wstring upperCase(name);
    for (wchar_t& character : upperCase) {
        character = upper(character);
    }
    return upperCase;
}

}  // namespace tonvale
