// UTF-8 for the settings file's non-ANSI form. Wide strings are UTF-16 on Windows and UTF-32
// elsewhere; both are handled.
#pragma once

#include <string>
#include <string_view>

namespace tonvale {

// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view text);
// Malformed sequences become U+FFFD rather than failing: a damaged file must still load.
std::wstring fromUtf8(std::string_view bytes);

}  // namespace tonvale
