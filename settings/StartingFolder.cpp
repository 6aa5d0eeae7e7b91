#include "StartingFolder.h"

#include "IniDocument.h"
#include "SettingsFile.h"
#include "SettingsPaths.h"

namespace tonvale {

namespace {

constexpr std::wstring_view kSection = L"Options";
constexpr std::wstring_view kKey = L"InitialDir";

}  // namespace

void loadStartingFolder(const std::filesystem::path& settingsFile,
                        const std::function<void(const std::wstring&)>& apply) {
    SettingsFile settings = SettingsFile::load(settingsFile);
    apply(normalizeInitialDir(settings.readString(kSection, kKey, L"")));
    settings.save();
}

void storeStartingFolder(const std::filesystem::path& settingsFile, std::wstring_view folder) {
    SettingsFile settings = SettingsFile::load(settingsFile);
    settings.writeString(kSection, kKey, folder);
    settings.save();
}

// Through the file's own text, so that reading it back cannot differ from what a start reads.
std::wstring startingFolderAsReadBack(std::wstring_view folder) {
    IniDocument document;
    document.writeString(kSection, kKey, folder);
    return normalizeInitialDir(
        IniDocument::parse(document.render()).readString(kSection, kKey, L""));
}

}  // namespace tonvale
