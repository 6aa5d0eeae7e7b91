#include "AnsiCodePage.h"

#include <climits>
#include <stdexcept>

#include <windows.h>

namespace tonvale {
namespace {

int lengthForApi(std::size_t length) {
    if (length > static_cast<std::size_t>(INT_MAX)) {
        throw std::length_error("Settings text too long");
    }
    return static_cast<int>(length);
}

}  // namespace

std::optional<std::string> toAnsiCodePage(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    // A UTF-8 system code page holds every character and rejects the "default used" flag.
    const bool lossless = GetACP() == CP_UTF8;
    const DWORD flags = lossless ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefaultChar = FALSE;
    BOOL* const usedDefaultCharOut = lossless ? nullptr : &usedDefaultChar;
    const int textLength = lengthForApi(text.size());

    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), textLength, nullptr, 0,
                                         nullptr, usedDefaultCharOut);
    if (size <= 0 || usedDefaultChar) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), textLength, bytes.data(), size, nullptr,
                        usedDefaultCharOut);
    if (usedDefaultChar) {
        return std::nullopt;
    }
    return bytes;
}

std::wstring fromAnsiCodePage(std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    const int bytesLength = lengthForApi(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), bytesLength, nullptr, 0);
    if (size <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), bytesLength, text.data(), size);
    return text;
}

}  // namespace tonvale
