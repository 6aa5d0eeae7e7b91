#include "RuntimeError.h"

#include <limits>

#include "Utf8.h"

namespace tonvale {

RuntimeError::RuntimeError(std::wstring message)
    : text_(std::make_shared<const Text>(Text{message, toUtf8(message)})) {}

std::wstring ioErrorMessage(int code) {
    switch (code) {
        case 2:
            return L"File not found";
        case 3:
            return L"Invalid filename";
        case 4:
            return L"Too many open files";
        case 5:
            return L"File access denied";
        case 100:
            return L"Read beyond end of file";
        case 101:
            return L"Disk full";
        case 106:
            return L"Invalid numeric input";
        default:
            return L"I/O error " + std::to_wstring(code);
    }
}

RuntimeError ioError(int code) {
    return RuntimeError(ioErrorMessage(code));
}

RuntimeError notAnInteger(std::wstring_view text) {
    return RuntimeError(L"'" + std::wstring(text) + L"' is not a valid integer value");
}

int32_t parseInt32(std::wstring_view text) {
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'-' || text[pos] == L'+')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    if (pos == text.size()) {
        throw notAnInteger(text);
    }
    // Accumulate as a negative number so that the minimum fits without overflow.
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const wchar_t c = text[pos];
        if (c < L'0' || c > L'9') {
            throw notAnInteger(text);
        }
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > limit) {
            throw notAnInteger(text);
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

std::wstring errorBoxText(std::wstring_view message) {
    std::wstring text(message);
    if (!text.empty() && text.back() > L'.') {
        text.push_back(L'.');
    }
    return text;
}

std::wstring programTitleFromPath(std::wstring_view executablePath) {
    const size_t slash = executablePath.find_last_of(L"\\/");
    std::wstring_view name =
        slash == std::wstring_view::npos ? executablePath : executablePath.substr(slash + 1);
    return std::wstring(name.substr(0, name.find(L'.')));
}

}  // namespace tonvale
