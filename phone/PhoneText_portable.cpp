// Builds without Windows (the logic's native tests): the code page is taken to be Latin-1.
#include "PhoneText.h"

namespace tonvale {

std::wstring phoneTextToWide(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (char c : text) {
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string wideToPhoneText(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        narrow.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return narrow;
}

std::optional<std::string> wideToPhoneTextExactly(std::wstring_view text) {
    for (wchar_t c : text) {
        if (c > 0xFF) {
            return std::nullopt;
        }
    }
    return wideToPhoneText(text);
}

}  // namespace tonvale
