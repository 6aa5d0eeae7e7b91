// The program's settings file: loaded once, changed in memory, written back as a whole.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "IniDocument.h"
#include "SettingsFileError.h"
#include "TextFile.h"

namespace tonvale {

class SettingsFile {
  public:
    // A missing file loads as empty. Throws SettingsFileError ("Cannot open file ...") when the
    // file exists but cannot be read.
    static SettingsFile load(const std::filesystem::path& file);

    std::wstring readString(std::wstring_view section, std::wstring_view key,
                            std::wstring_view fallback = {}) const;
    // Changes memory only; save() writes it. Throws std::invalid_argument for a line break.
    void writeString(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // Rewrites the whole file in the form it was read in (a new one in the system's code page),
    // which a missing file creates. Throws SettingsFileError
    // ("Cannot create file ...") and then leaves the previous file as it was.
    void save() const;

    // Absolute, as shown in error messages.
    const std::filesystem::path& path() const { return path_; }

  private:
    SettingsFile(std::filesystem::path file, IniDocument document, TextForm form);

    std::filesystem::path path_;
    IniDocument document_;
    TextForm form_;
};

}  // namespace tonvale
