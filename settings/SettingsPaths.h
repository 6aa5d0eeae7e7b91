// Where the settings live and how the remembered folder is stored.
#pragma once

#include <filesystem>
#include <string>

namespace tonvale {

// The executable's own path with ".ini" for its extension: Tonvale.exe -> Tonvale.ini.
std::filesystem::path settingsFilePathFor(const std::filesystem::path& exePath);

// The open dialog's starting folder without a trailing backslash, except after a drive colon
// where it names the root: "C:\Music\" -> "C:\Music", "C:\" stays.
std::wstring normalizeInitialDir(std::wstring folder);

#ifdef _WIN32
// The full path of the running program. Throws std::system_error if Windows cannot tell.
std::filesystem::path currentExecutablePath();
#endif

}  // namespace tonvale
