#include "SettingsFile.h"

#include "SettingsFileIO.h"
#include "TextFile.h"

namespace tonvale {

SettingsFile::SettingsFile(std::filesystem::path file, IniDocument document, TextForm form)
    : path_(std::move(file)), document_(std::move(document)), form_(form) {}

SettingsFile SettingsFile::load(const std::filesystem::path& file) {
    auto fullPath = std::filesystem::absolute(file);
    const auto bytes = readFileBytes(fullPath);
    if (!bytes) {
        return SettingsFile(std::move(fullPath), IniDocument(), TextForm::CodePage);
    }
    DecodedText decoded = decodeTextFile(*bytes);
    return SettingsFile(std::move(fullPath), IniDocument::parse(decoded.text), decoded.form);
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
    replaceFileBytes(path_, encodeTextFile(document_.render(), form_));
}

}  // namespace tonvale
