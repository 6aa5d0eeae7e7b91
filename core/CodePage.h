// The system's 8-bit code page: what the phone library's paths and labels and the settings file
// are written in. On Windows it is the ANSI code page, which may be UTF-8 (the "Use Unicode UTF-8
// for worldwide language support" setting); the native build takes UTF-8, as Linux systems do.
// The program's one converter between it and Unicode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

// The text in the code page, or nothing when a character has no exact place in it: never a
// best-fit look-alike, a default character or a broken sequence.
std::optional<std::string> toSystemCodePage(std::wstring_view text);
// The bytes as text; what does not decode becomes the code page's replacement character.
std::wstring fromSystemCodePage(std::string_view bytes);
// The bytes as text, or nothing when some byte sequence is not a character of the code page.
std::optional<std::wstring> fromSystemCodePageExactly(std::string_view bytes);

}  // namespace tonvale
