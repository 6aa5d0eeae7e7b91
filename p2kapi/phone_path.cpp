#include "phone_path.h"

#include "CodePage.h"
#include "host_path.h"

#include <windows.h>

#include <string_view>

namespace p2kapi {
namespace {

constexpr std::string_view kVolumePrefix = "/a/";

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

bool IsValidPhonePath(const char* phonePath) {
    if (phonePath == nullptr) {
        return false;
    }
    const std::string_view path(phonePath);
    if (!path.starts_with(kVolumePrefix) || path.size() == kVolumePrefix.size()) {
        return false;
    }
    if (path.find("..") != std::string_view::npos || path.find("//") != std::string_view::npos ||
        path.ends_with('/')) {
        return false;
    }
    for (const char c : path) {
        if (c == '\\' || c == ':' || IsControl(c)) {
            return false;
        }
    }
    return true;
}

std::optional<std::wstring> HostPathFor(const char* phonePath, const std::wstring& root) {
    if (!IsValidPhonePath(phonePath)) {
        return std::nullopt;
    }
    auto relative = tonvale::fromSystemCodePageExactly(
        std::string_view(phonePath).substr(kVolumePrefix.size()));
    if (!relative) {
        return std::nullopt;
    }
    for (wchar_t& c : *relative) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    // The host rewrites some names (trailing dots and spaces go, "nul" or "con" name devices);
    // checking the normalised result keeps every path inside the root.
    const auto full = FullPath(JoinPath(root, *relative));
    const std::wstring prefix = JoinPath(root, L"");
    if (!full || full->size() <= prefix.size() ||
        !SamePath(full->substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    return full;
}

}  // namespace p2kapi
