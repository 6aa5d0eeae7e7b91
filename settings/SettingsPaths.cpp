#include "SettingsPaths.h"

namespace tonvale {

std::filesystem::path settingsFilePathFor(const std::filesystem::path& exePath) {
    auto settingsPath = exePath;
    settingsPath.replace_extension(L".ini");
    return settingsPath;
}

std::wstring normalizeInitialDir(std::wstring folder) {
    const bool trailingBackslash = !folder.empty() && folder.back() == L'\\';
    const bool followsDriveColon = folder.size() >= 2 && folder[folder.size() - 2] == L':';
    if (trailingBackslash && !followsDriveColon) {
        folder.pop_back();
    }
    return folder;
}

}  // namespace tonvale
