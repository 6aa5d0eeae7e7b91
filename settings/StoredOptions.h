// What the program remembers between runs, in section "Options" of the settings file: the file
// dialog's starting folder ("InitialDir"), and whether and to what screen pictures are fitted
// as they are uploaded ("FitPictures", "ScreenWidth", "ScreenHeight").
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

// A screen's side takes a whole number of pixels in this range.
inline constexpr int kSmallestScreenSide = 16;
inline constexpr int kLargestScreenSide = 4096;

struct PictureOptions {
    bool fitToScreen = false;
    int screenWidth = 176;  // the screen of most of the phones
    int screenHeight = 220;
    bool operator==(const PictureOptions&) const = default;
};

struct StoredOptions {
    std::wstring startingFolder;  // normalised, as the file dialog takes it
    PictureOptions pictures;
};

// What every start does: reads the options, hands them to `apply`, and saves the file back at
// once, which creates it when missing. A picture value that is missing, not a whole number or
// out of range reads as its default. `apply` runs before the save, so a save that fails leaves
// the options applied. Throws SettingsFileError.
void loadStoredOptions(const std::filesystem::path& settingsFile,
                       const std::function<void(const StoredOptions&)>& apply);

// OK in the Options dialog: stores `folder` exactly as typed, blanks included, and the picture
// options, and saves the file. Throws SettingsFileError when the file cannot be read or saved;
// nothing is stored then.
void storeOptions(const std::filesystem::path& settingsFile, std::wstring_view folder,
                  const PictureOptions& pictures);

// The starting folder that the next start will read back once `folder` is stored: trimmed of
// blanks and normalised. Throws std::invalid_argument for a line break, as storing does.
std::wstring startingFolderAsReadBack(std::wstring_view folder);

// A screen's side as typed or stored: a whole number in range, blanks around it allowed.
std::optional<int> screenSide(std::wstring_view text);

}  // namespace tonvale
