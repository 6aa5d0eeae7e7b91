#include "StoredOptions.h"

#include "IniDocument.h"
#include "SettingsFile.h"
#include "SettingsPaths.h"

namespace tonvale {

namespace {

constexpr std::wstring_view kSection = L"Options";
constexpr std::wstring_view kStartingFolder = L"InitialDir";
constexpr std::wstring_view kFitPictures = L"FitPictures";
constexpr std::wstring_view kScreenWidth = L"ScreenWidth";
constexpr std::wstring_view kScreenHeight = L"ScreenHeight";

PictureOptions readPictureOptions(const SettingsFile& settings) {
    PictureOptions options;
    const std::wstring fit = settings.readString(kSection, kFitPictures);
    options.fitToScreen = fit == L"1";
    options.screenWidth =
        screenSide(settings.readString(kSection, kScreenWidth)).value_or(options.screenWidth);
    options.screenHeight =
        screenSide(settings.readString(kSection, kScreenHeight)).value_or(options.screenHeight);
    return options;
}

}  // namespace

void loadStoredOptions(const std::filesystem::path& settingsFile,
                       const std::function<void(const StoredOptions&)>& apply) {
    SettingsFile settings = SettingsFile::load(settingsFile);
    apply(StoredOptions{normalizeInitialDir(settings.readString(kSection, kStartingFolder, L"")),
                        readPictureOptions(settings)});
    settings.save();
}

void storeOptions(const std::filesystem::path& settingsFile, std::wstring_view folder,
                  const PictureOptions& pictures) {
    SettingsFile settings = SettingsFile::load(settingsFile);
    settings.writeString(kSection, kStartingFolder, folder);
    settings.writeString(kSection, kFitPictures, pictures.fitToScreen ? L"1" : L"0");
    settings.writeString(kSection, kScreenWidth, std::to_wstring(pictures.screenWidth));
    settings.writeString(kSection, kScreenHeight, std::to_wstring(pictures.screenHeight));
    settings.save();
}

// Through the file's own text, so that reading it back cannot differ from what a start reads.
std::wstring startingFolderAsReadBack(std::wstring_view folder) {
    IniDocument document;
    document.writeString(kSection, kStartingFolder, folder);
    return normalizeInitialDir(
        IniDocument::parse(document.render()).readString(kSection, kStartingFolder, L""));
}

std::optional<int> screenSide(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    int value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - L'0');
    }
    if (value < kSmallestScreenSide || value > kLargestScreenSide) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tonvale
