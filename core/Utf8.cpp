#include "Utf8.h"

namespace tonvale {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;
constexpr char32_t lastCodePoint = 0x10FFFF;
constexpr bool wideIsUtf16 = sizeof(wchar_t) == 2;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool isSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    const auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
    if (codePoint < 0x80) {
        byte(codePoint);
    } else if (codePoint < 0x800) {
        byte(0xC0 | (codePoint >> 6));
        byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        byte(0xE0 | (codePoint >> 12));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    } else {
        byte(0xF0 | (codePoint >> 18));
        byte(0x80 | ((codePoint >> 12) & 0x3F));
        byte(0x80 | ((codePoint >> 6) & 0x3F));
        byte(0x80 | (codePoint & 0x3F));
    }
}

void appendWide(std::wstring& out, char32_t codePoint) {
    if (wideIsUtf16 && codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(codePoint));
    }
}

struct SequenceShape {
    std::size_t length;
    char32_t leadBits;
    char32_t smallestValue;  // anything below is an overlong encoding
};

// Zero length: not a valid first byte.
SequenceShape shapeOf(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return {2, lead & 0x1Fu, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, lead & 0x0Fu, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, lead & 0x07u, 0x10000};
    }
    return {0, 0, 0};
}

// Every well-formed sequence decoded; a broken one replaced once, or, for `exactly`, the end.
std::optional<std::wstring> decode(std::string_view bytes, bool exactly) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        }
        const SequenceShape shape = shapeOf(lead);
        char32_t codePoint = shape.leadBits;
        std::size_t consumed = 1;
        while (consumed < shape.length && i + consumed < bytes.size() &&
               (static_cast<unsigned char>(bytes[i + consumed]) & 0xC0) == 0x80) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(bytes[i + consumed]) & 0x3F);
            ++consumed;
        }
        const bool complete = shape.length != 0 && consumed == shape.length;
        const bool valid = complete && codePoint >= shape.smallestValue &&
                           codePoint <= lastCodePoint && !isSurrogate(codePoint);
        if (!valid && exactly) {
            return std::nullopt;
        }
        // The byte that broke a sequence starts the next one.
        appendWide(out, valid ? codePoint : replacementCharacter);
        i += consumed;
    }
    return out;
}

// Every character encoded; an unpaired surrogate replaced, or, for `exactly`, the end.
std::optional<std::string> encode(std::wstring_view text, bool exactly) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto codePoint = static_cast<char32_t>(text[i]);
        if (wideIsUtf16) {
            codePoint &= 0xFFFF;
            if (isHighSurrogate(codePoint) && i + 1 < text.size() &&
                isLowSurrogate(static_cast<char32_t>(text[i + 1]) & 0xFFFF)) {
                const auto low = static_cast<char32_t>(text[++i]) & 0xFFFF;
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
            }
        }
        if (isSurrogate(codePoint) || codePoint > lastCodePoint) {
            if (exactly) {
                return std::nullopt;
            }
            codePoint = replacementCharacter;
        }
        appendUtf8(out, codePoint);
    }
    return out;
}

}  // namespace

std::string toUtf8(std::wstring_view text) {
    return *encode(text, false);
}

std::optional<std::string> toUtf8Exactly(std::wstring_view text) {
    return encode(text, true);
}

std::wstring fromUtf8(std::string_view bytes) {
    return *decode(bytes, false);
}

std::optional<std::wstring> fromUtf8Exactly(std::string_view bytes) {
    return decode(bytes, true);
}

}  // namespace tonvale
