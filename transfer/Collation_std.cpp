// Builds without Windows (the logic's native tests): letters compare without regard to case
// first, and a lower-case letter sorts before its capital, as the system's collation does.
#include <cwctype>

#include "FileList.h"

namespace tonvale {

Collation localeCollation() {
    return [](std::wstring_view a, std::wstring_view b) {
        for (int pass = 0; pass < 2; ++pass) {
            const size_t common = std::min(a.size(), b.size());
            for (size_t i = 0; i < common; ++i) {
                const auto x = static_cast<wint_t>(pass == 0 ? std::towlower(a[i]) : a[i]);
                const auto y = static_cast<wint_t>(pass == 0 ? std::towlower(b[i]) : b[i]);
                if (x != y) {
                    // Upper-case code points are the lower ones; the collation wants them last.
                    return pass == 0 ? (x < y ? -1 : 1) : (x < y ? 1 : -1);
                }
            }
            if (pass == 0 && a.size() != b.size()) {
                return a.size() < b.size() ? -1 : 1;
            }
        }
        return 0;
    };
}

}  // namespace tonvale
