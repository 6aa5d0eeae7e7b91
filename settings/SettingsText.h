// The settings file's bytes: 8-bit text in the system code page, or UTF-8 behind a byte order
// mark when the text holds characters that code page lacks.
#pragma once

#include <string>
#include <string_view>

namespace tonvale {

std::string encodeSettingsText(std::wstring_view text);
std::wstring decodeSettingsText(std::string_view bytes);

}  // namespace tonvale
