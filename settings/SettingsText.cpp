#include "SettingsText.h"

#include "CodePage.h"
#include "Utf8.h"

namespace tonvale {
namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::string encodeSettingsText(std::wstring_view text) {
    // Other programs and older versions expect the code page, so it stays the usual form.
    if (auto inCodePage = toSystemCodePage(text)) {
        return std::move(*inCodePage);
    }
    return std::string(utf8ByteOrderMark) + toUtf8(text);
}

std::wstring decodeSettingsText(std::string_view bytes) {
    if (bytes.starts_with(utf8ByteOrderMark)) {
        return fromUtf8(bytes.substr(utf8ByteOrderMark.size()));
    }
    return fromSystemCodePage(bytes);
}

}  // namespace tonvale
