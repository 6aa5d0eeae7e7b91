// Builds without Windows (the logic's native tests): the system's code page is UTF-8, with the
// rules the program follows on a Windows whose code page is UTF-8.
#include "CodePage.h"
#include "Utf8.h"

namespace tonvale {

std::optional<std::string> toSystemCodePage(std::wstring_view text) {
    return toUtf8Exactly(text);
}

std::wstring fromSystemCodePage(std::string_view bytes) {
    return fromUtf8(bytes);
}

std::optional<std::wstring> fromSystemCodePageExactly(std::string_view bytes) {
    return fromUtf8Exactly(bytes);
}

}  // namespace tonvale
