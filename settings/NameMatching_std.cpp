#include "NameMatching.h"

#include <algorithm>

namespace tonvale {
namespace {

wchar_t foldAscii(wchar_t character) {
    return character >= L'a' && character <= L'z' ? static_cast<wchar_t>(character - L'a' + L'A')
                                                  : character;
}

}  // namespace

bool namesMatch(std::wstring_view left, std::wstring_view right) {
    return std::ranges::equal(left, right, {}, foldAscii, foldAscii);
}

}  // namespace tonvale
