// UTF-8: the settings file's form for text its code page lacks, and the code page itself where
// the system uses UTF-8. Wide strings are UTF-16 on Windows and UTF-32
// elsewhere; both are handled.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view text);
// Nothing when the text holds an unpaired surrogate.
std::optional<std::string> toUtf8Exactly(std::wstring_view text);
// Malformed sequences become U+FFFD rather than failing: a damaged file must still load.
std::wstring fromUtf8(std::string_view bytes);
// Nothing when the bytes are not well-formed UTF-8.
std::optional<std::wstring> fromUtf8Exactly(std::string_view bytes);

}  // namespace tonvale
