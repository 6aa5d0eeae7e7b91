#include "NameMatching.h"

#include <climits>

#include <windows.h>

namespace tonvale {

// CompareStringOrdinal with case ignored is Windows' comparison of file names.
bool namesMatch(std::wstring_view left, std::wstring_view right) {
    if (left.size() != right.size()) {
        return false;
    }
    if (left.size() > static_cast<std::size_t>(INT_MAX)) {
        return left == right;
    }
    const int length = static_cast<int>(left.size());
    return CompareStringOrdinal(left.data(), length, right.data(), length, TRUE) == CSTR_EQUAL;
}

// LCMAP_UPPERCASE without LCMAP_LINGUISTIC_CASING follows the file system's casing rules, the
// table CompareStringOrdinal ignores case by; it maps each code unit alone, so the length stays.
std::wstring nameForMatching(std::wstring_view name) {
    std::wstring upper(name);
    if (name.empty() || name.size() > static_cast<std::size_t>(INT_MAX)) {
        return upper;
    }
    const int length = static_cast<int>(name.size());
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), length, upper.data(),
                      length, nullptr, nullptr, 0) != length) {
        upper = name;
    }
    return upper;
}

}  // namespace tonvale
