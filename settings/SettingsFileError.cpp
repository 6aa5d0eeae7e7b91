#include "SettingsFileError.h"

namespace tonvale {
namespace {

// System messages end in a full stop and a line break; ours carry neither.
std::wstring withoutTrailingPunctuation(std::wstring reason) {
    while (!reason.empty() && (reason.back() == L'\r' || reason.back() == L'\n' ||
                               reason.back() == L' ' || reason.back() == L'.')) {
        reason.pop_back();
    }
    return reason;
}

std::wstring describe(const wchar_t* what, const std::filesystem::path& file, std::wstring reason) {
    return what + (L" \"" + file.wstring() + L"\". ") +
           withoutTrailingPunctuation(std::move(reason));
}

}  // namespace

SettingsFileError SettingsFileError::cannotOpen(const std::filesystem::path& file,
                                                std::wstring reason) {
    return SettingsFileError(describe(L"Cannot open file", file, std::move(reason)));
}

SettingsFileError SettingsFileError::cannotCreate(const std::filesystem::path& file,
                                                  std::wstring reason) {
    return SettingsFileError(describe(L"Cannot create file", file, std::move(reason)));
}

}  // namespace tonvale
