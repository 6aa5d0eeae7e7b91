#include "TextFile.h"

#include <algorithm>

#include "CodePage.h"
#include "Utf8.h"

namespace tonvale {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// UTF-16 code units, little-endian, as wide text: wchar_t is UTF-16 on Windows and UTF-32
// elsewhere, where a surrogate pair becomes its one character.
std::wstring fromUtf16(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                                static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (sizeof(wchar_t) > 2 && unit >= 0xDC00 && unit <= 0xDFFF && !text.empty()) {
            const auto high = static_cast<char32_t>(text.back());
            if (high >= 0xD800 && high <= 0xDBFF) {
                text.back() =
                    static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

std::string toUtf16(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    const auto unit = [&bytes](char32_t value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
    };
    for (wchar_t c : text) {
        auto value = static_cast<char32_t>(c);
        if (value >= 0x10000) {
            value -= 0x10000;
            unit(0xD800 + (value >> 10));
            unit(0xDC00 + (value & 0x3FF));
        } else {
            unit(value);
        }
    }
    return bytes;
}

bool beyondAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
}

}  // namespace

DecodedText decodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16Mark)) {
        return {fromUtf16(bytes.substr(kUtf16Mark.size())), TextForm::Utf16WithMark};
    }
    if (bytes.starts_with(kUtf8Mark)) {
        return {fromUtf8(bytes.substr(kUtf8Mark.size())), TextForm::Utf8WithMark};
    }
    if (beyondAscii(bytes)) {
        if (auto text = fromUtf8Exactly(bytes)) {
            return {std::move(*text), TextForm::Utf8};
        }
    }
    return {fromSystemCodePage(bytes), TextForm::CodePage};
}

std::string encodeTextFile(std::wstring_view text, TextForm form) {
    switch (form) {
        case TextForm::Utf16WithMark:
            return std::string(kUtf16Mark) + toUtf16(text);
        case TextForm::Utf8:
            return toUtf8(text);
        case TextForm::Utf8WithMark:
            break;
        case TextForm::CodePage:
            if (auto inCodePage = toSystemCodePage(text)) {
                return std::move(*inCodePage);
            }
            break;
    }
    return std::string(kUtf8Mark) + toUtf8(text);
}

}  // namespace tonvale
