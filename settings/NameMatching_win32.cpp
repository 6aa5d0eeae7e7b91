#include "NameMatching.h"

#include <climits>

#include <windows.h>

namespace tonvale {

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

}  // namespace tonvale
