#include "PhonePath.h"

#include "CodePage.h"
#include "HostPath.h"
#include "NameMatching.h"

#include <windows.h>

#include <string_view>

namespace p2kapi {
namespace {

constexpr std::wstring_view kVolumePrefix = L"/a/";

bool mayNameAFile(std::wstring_view part) {
    if (part.empty() || part == L"." || part == L"..") {
        return false;
    }
    for (const wchar_t c : part) {
        if (c < 0x20 || c == 0x7F ||
            std::wstring_view(L"\\:*?\"<>|").find(c) != std::wstring_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::wstring> relativePhonePath(const char* phonePath) {
    if (phonePath == nullptr) {
        return std::nullopt;
    }
    const auto decoded = tonvale::fromSystemCodePageExactly(phonePath);
    if (!decoded || !decoded->starts_with(kVolumePrefix)) {
        return std::nullopt;
    }
    std::wstring relative;
    std::wstring_view rest = std::wstring_view(*decoded).substr(kVolumePrefix.size());
    for (;;) {
        const size_t slash = rest.find(L'/');
        const std::wstring_view part = rest.substr(0, slash);
        if (!mayNameAFile(part)) {
            return std::nullopt;
        }
        relative += part;
        if (slash == std::wstring_view::npos) {
            return relative;
        }
        relative += L'\\';
        rest.remove_prefix(slash + 1);
    }
}

std::optional<std::wstring> hostPathFor(const char* phonePath, const std::wstring& root) {
    const auto relative = relativePhonePath(phonePath);
    if (!relative) {
        return std::nullopt;
    }
    // The host rewrites some names (trailing dots and spaces go, "nul" or "con" name devices);
    // checking the normalised result keeps every path inside the root.
    const auto full = fullPath(joinPath(root, *relative));
    const std::wstring prefix = joinPath(root, L"");
    if (!full || full->size() <= prefix.size() ||
        !tonvale::namesMatch(full->substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    return full;
}

}  // namespace p2kapi
