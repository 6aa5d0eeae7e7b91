// The one error the settings file raises: its message goes straight into an error box.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace tonvale {

class SettingsFileError : public std::runtime_error {
  public:
    explicit SettingsFileError(std::wstring message);

    // "Cannot open file "<file>". <reason>" for a file that exists but cannot be read.
    static SettingsFileError cannotOpen(const std::filesystem::path& file, std::wstring reason);
    // "Cannot create file "<file>". <reason>" for a file that cannot be written.
    static SettingsFileError cannotCreate(const std::filesystem::path& file, std::wstring reason);

    // The text shown to the user; what() holds the same text as UTF-8.
    std::wstring message() const { return *message_; }

  private:
    // Shared so that copying the exception cannot throw.
    std::shared_ptr<const std::wstring> message_;
};

}  // namespace tonvale
