// The settings file's failures: the runtime's messages for a file that cannot be read or written.
#pragma once

#include <filesystem>
#include <string>

#include "RuntimeError.h"

namespace tonvale {

class SettingsFileError : public RuntimeError {
  public:
    using RuntimeError::RuntimeError;

    // "Cannot open file "<file>". <reason>" for a file that exists but cannot be read.
    static SettingsFileError cannotOpen(const std::filesystem::path& file, std::wstring reason);
    // "Cannot create file "<file>". <reason>" for a file that cannot be written.
    static SettingsFileError cannotCreate(const std::filesystem::path& file, std::wstring reason);
};

}  // namespace tonvale
