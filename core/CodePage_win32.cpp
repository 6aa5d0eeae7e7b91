#include <windows.h>

#include <climits>

#include "CodePage.h"

namespace tonvale {
namespace {

// Windows takes, for UTF-8, no flag but WC_ERR_INVALID_CHARS and no default character; an 8-bit
// code page has no invalid characters, only unmapped ones, which the used-default flag reports.
std::optional<std::string> toCodePage(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr,
                                         usedDefaultOut);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr,
                            usedDefaultOut) != size ||
        usedDefault) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::wstring> fromCodePage(UINT codePage, std::string_view bytes, DWORD flags) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > static_cast<size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
    if (size <= 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<size_t>(size), L'\0');
    if (MultiByteToWideChar(codePage, flags, bytes.data(), length, text.data(), size) != size) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

// The code page is asked for by number and named to the conversions, so that what is checked
// is what converts.
std::optional<std::string> toSystemCodePage(std::wstring_view text) {
    return toCodePage(GetACP(), text);
}

std::wstring fromSystemCodePage(std::string_view bytes) {
    return fromCodePage(GetACP(), bytes, 0).value_or(std::wstring());
}

std::optional<std::wstring> fromSystemCodePageExactly(std::string_view bytes) {
    return fromCodePage(GetACP(), bytes, MB_ERR_INVALID_CHARS);
}

}  // namespace tonvale
