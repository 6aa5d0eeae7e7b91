#include "SettingsFile.h"

#include "SettingsFileIO.h"
#include "SettingsText.h"

namespace tonvale {

SettingsFile::SettingsFile(std::filesystem::path file, IniDocument document)
    : path_(std::move(file)), document_(std::move(document)) {}

SettingsFile SettingsFile::load(const std::filesystem::path& file) {
    auto fullPath = std::filesystem::absolute(file);
    const auto bytes = readFileBytes(fullPath);
    auto document = bytes ? IniDocument::parse(decodeSettingsText(*bytes)) : IniDocument();
    return SettingsFile(std::move(fullPath), std::move(document));
}

std::wstring SettingsFile::readString(std::wstring_view section, std::wstring_view key,
                                      std::wstring_view fallback) const {
    return document_.readString(section, key, fallback);
}

void SettingsFile::writeString(std::wstring_view section, std::wstring_view key,
                               std::wstring_view value) {
    document_.writeString(section, key, value);
}

void SettingsFile::save() const {
    replaceFileBytes(path_, encodeSettingsText(document_.render()));
}

}  // namespace tonvale
