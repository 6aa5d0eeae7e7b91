// Windows-1252, so that the native build behaves like a western Windows system.
#include "AnsiCodePage.h"

#include <algorithm>
#include <array>

namespace tonvale {
namespace {

// Bytes 0x80-0x9F. The five bytes Windows-1252 leaves unassigned map to the C1 controls of the
// same value, as Windows itself does.
constexpr std::array<char16_t, 32> highControlsRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned firstHighControl = 0x80;
constexpr unsigned firstLatin1Letter = 0xA0;

std::optional<char> byteFor(wchar_t character) {
    const auto value = static_cast<unsigned long>(character);
    if (value < firstHighControl || (value >= firstLatin1Letter && value <= 0xFF)) {
        return static_cast<char>(value);
    }
    if (value > 0xFFFF) {
        return std::nullopt;
    }
    const auto found = std::ranges::find(highControlsRange, static_cast<char16_t>(value));
    if (found == highControlsRange.end()) {
        return std::nullopt;
    }
    return static_cast<char>(firstHighControl + (found - highControlsRange.begin()));
}

}  // namespace

std::optional<std::string> toAnsiCodePage(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t character : text) {
        const auto byte = byteFor(character);
        if (!byte) {
            return std::nullopt;
        }
        bytes.push_back(*byte);
    }
    return bytes;
}

std::wstring fromAnsiCodePage(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const bool inHighControls = value >= firstHighControl && value < firstLatin1Letter;
        text.push_back(static_cast<wchar_t>(
            inHighControls ? highControlsRange[value - firstHighControl] : value));
    }
    return text;
}

}  // namespace tonvale
