// The system's 8-bit code page, in which the settings file is normally written. On Windows this
// is the ANSI code page; elsewhere (the native test build) it is Windows-1252.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

// Empty when some character has no exact equivalent in the code page, so that the caller can
// choose a form that loses nothing instead.
std::optional<std::string> toAnsiCodePage(std::wstring_view text);
std::wstring fromAnsiCodePage(std::string_view bytes);

}  // namespace tonvale
