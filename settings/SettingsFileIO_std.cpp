// Standard streams, for the native build where the tests run under the sanitizers.
#include "SettingsFileIO.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "SettingsFileError.h"
#include "Utf8.h"

namespace tonvale {
namespace {

// Streams report no reason of their own; the C library's last error is the best there is.
std::wstring lastErrorReason() {
    const int error = errno;
    return error == 0 ? std::wstring(L"Unknown error")
                      : fromUtf8(std::generic_category().message(error));
}

// Removes the staging file on the way out unless it took the settings file's place. Armed only
// once the file is ours: something already in the way (a folder, say) is not ours to remove.
class StagingCleanup {
  public:
    StagingCleanup() = default;
    StagingCleanup(const StagingCleanup&) = delete;
    StagingCleanup& operator=(const StagingCleanup&) = delete;
    ~StagingCleanup() {
        if (!staging_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(staging_, ignored);
        }
    }
    void arm(std::filesystem::path staging) { staging_ = std::move(staging); }
    void release() { staging_.clear(); }

  private:
    std::filesystem::path staging_;
};

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& file) {
    std::error_code status;
    if (!std::filesystem::exists(file, status)) {
        if (status) {
            throw SettingsFileError::cannotOpen(file, fromUtf8(status.message()));
        }
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw SettingsFileError::cannotOpen(file, lastErrorReason());
    }
    std::string bytes;
    std::array<char, 4096> chunk{};
    while (in) {
        in.read(chunk.data(), chunk.size());
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        throw SettingsFileError::cannotOpen(file, lastErrorReason());
    }
    return bytes;
}

void replaceFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    const auto staging = stagingPathFor(file);
    StagingCleanup cleanup;
    {
        errno = 0;
        std::ofstream out(staging, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw SettingsFileError::cannotCreate(file, lastErrorReason());
        }
        cleanup.arm(staging);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            throw SettingsFileError::cannotCreate(file, lastErrorReason());
        }
    }
    std::error_code status;
    std::filesystem::rename(staging, file, status);
    if (status) {
        throw SettingsFileError::cannotCreate(file, fromUtf8(status.message()));
    }
    cleanup.release();
}

}  // namespace tonvale
