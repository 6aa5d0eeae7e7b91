// Win32 file access: exact system error texts, sharing checks and an atomic replace.
#include "SettingsFileIO.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

#include <windows.h>

#include "KernelHandles.h"
#include "SettingsFileError.h"
#include "StagingCleanup.h"
#include "SettingsPaths.h"

namespace tonvale {
namespace {

struct LocalMemoryCloser {
    void operator()(wchar_t* memory) const { LocalFree(memory); }
};

std::wstring systemReason(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const OwnedHandle<NullEmptyHandle<wchar_t*, LocalMemoryCloser>> owned(buffer);
    if (length == 0) {
        return L"Error " + std::to_wstring(error);
    }
    return std::wstring(buffer, length);
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

constexpr DWORD shareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Moving a file over one that another program holds open fails with a vaguer error, or only
// later; opening it for writing first tells the user exactly why it cannot be written. The
// system's error, or 0 when it can be.
DWORD whyNotWritable(const std::filesystem::path& file) {
    const OwnedKernelHandle probe(CreateFileW(file.c_str(), GENERIC_WRITE, shareEverything, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = GetLastError();
    // A missing file has nothing to check: creating the staging file reports any problem.
    return probe.valid() || isMissing(error) ? 0 : error;
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// One try at the replace: the system's error, or 0 when the file holds the new bytes.
DWORD tryToReplace(const std::filesystem::path& file, std::string_view bytes) {
    if (const DWORD error = whyNotWritable(file)) {
        return error;
    }
    const auto staging = stagingPathFor(file);
    StagingCleanup cleanup;
    {
        const OwnedKernelHandle out(CreateFileW(staging.c_str(), GENERIC_WRITE, 0, nullptr,
                                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.valid()) {
            return GetLastError();
        }
        cleanup.arm(staging);
        if (!writeAll(out.get(), bytes) || !FlushFileBuffers(out.get())) {
            return GetLastError();
        }
    }
    if (!MoveFileExW(staging.c_str(), file.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return GetLastError();
    }
    cleanup.release();
    return 0;
}

// On Windows an antivirus scanner or the search indexer opens a freshly written file for a
// moment, and meanwhile replacing it fails with a sharing violation or access denied. Such an
// error is tried again a few times, for at most a second in all, before it counts.
bool mayPass(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

constexpr std::array<DWORD, 5> kPausesBeforeRetryMs{50, 100, 200, 300, 350};

}  // namespace

std::optional<std::string> readFileBytes(const std::filesystem::path& file) {
    const OwnedKernelHandle in(CreateFileW(file.c_str(), GENERIC_READ, shareEverything, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.valid()) {
        const DWORD error = GetLastError();
        if (isMissing(error)) {
            return std::nullopt;
        }
        throw SettingsFileError::cannotOpen(file, systemReason(error));
    }
    std::string bytes;
    std::array<char, 4096> chunk{};
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(in.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            throw SettingsFileError::cannotOpen(file, systemReason(GetLastError()));
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(chunk.data(), read);
    }
}

void replaceFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    DWORD error = tryToReplace(file, bytes);
    for (size_t retry = 0; error != 0 && mayPass(error) && retry < kPausesBeforeRetryMs.size();
         ++retry) {
        Sleep(kPausesBeforeRetryMs[retry]);
        error = tryToReplace(file, bytes);
    }
    if (error != 0) {
        throw SettingsFileError::cannotCreate(file, systemReason(error));
    }
}

std::filesystem::path currentExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                    "GetModuleFileNameW");
        }
        // A full buffer may mean a cut-off path: try again with more room.
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace tonvale
