// The file dialog's starting folder: the one thing the program remembers between runs, as
// "InitialDir" in section "Options" of the settings file.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tonvale {

// What every start does: reads the starting folder (empty when absent), hands it to `apply`
// normalised, and saves the file back at once, which creates it when missing. `apply` runs
// before the save, so a save that fails leaves the folder applied. Throws SettingsFileError.
void loadStartingFolder(const std::filesystem::path& settingsFile,
                        const std::function<void(const std::wstring&)>& apply);

// Stores `folder` exactly as typed, blanks included, and saves the file. Throws
// SettingsFileError when the file cannot be read or saved; nothing is stored then.
void storeStartingFolder(const std::filesystem::path& settingsFile, std::wstring_view folder);

// The starting folder that the next start will read back once `folder` is stored: trimmed of
// blanks and normalised. Throws std::invalid_argument for a line break, as storing does.
std::wstring startingFolderAsReadBack(std::wstring_view folder);

}  // namespace tonvale
