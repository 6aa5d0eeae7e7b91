// Standard streams, for the native build where the tests run under the sanitizers.
#include "SettingsFileIO.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

#include "SettingsFileError.h"
#include "StagingCleanup.h"
#include "Utf8.h"

namespace tonvale {
namespace {

// Streams report no reason of their own; the C library's last error is the best there is.
std::wstring lastErrorReason() {
    const int error = errno;
    return error == 0 ? std::wstring(L"Unknown error")
                      : fromUtf8(std::generic_category().message(error));
}

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
