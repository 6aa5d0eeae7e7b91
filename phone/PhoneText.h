// The library speaks 8-bit text in the system's code page; the program speaks Unicode. These are
// the only places where one becomes the other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

std::wstring phoneTextToWide(std::string_view text);
// Characters the code page cannot hold become '?', which the library refuses in a path.
std::string wideToPhoneText(std::wstring_view text);
// The text in the code page, or nothing when a character has no place in it.
std::optional<std::string> wideToPhoneTextExactly(std::wstring_view text);

}  // namespace tonvale
