// Reading and replacing the settings file's bytes. Failures throw SettingsFileError naming the
// settings file itself.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

// Empty when the file does not exist: on a first run there are no settings yet.
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

// The new contents are written beside the file first and then moved over it, so a failed save
// leaves the previous file whole.
void replaceFileBytes(const std::filesystem::path& file, std::string_view bytes);

// Where replaceFileBytes stages the new contents.
inline std::filesystem::path stagingPathFor(const std::filesystem::path& file) {
    auto staging = file;
    staging += L".tmp";
    return staging;
}

}  // namespace tonvale
