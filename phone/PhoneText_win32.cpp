#include "PhoneText.h"

#include <windows.h>

namespace tonvale {

std::wstring phoneTextToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string wideToPhoneText(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr,
                                           0, "?", nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, narrow.data(), length, "?",
                        nullptr);
    return narrow;
}

std::optional<std::string> wideToPhoneTextExactly(std::wstring_view text) {
    // Whatever the code page, a text that converts back unchanged lost nothing on the way.
    std::string narrow = wideToPhoneText(text);
    if (phoneTextToWide(narrow) != text) {
        return std::nullopt;
    }
    return narrow;
}

}  // namespace tonvale
