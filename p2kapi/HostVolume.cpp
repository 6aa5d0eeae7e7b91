#include "HostVolume.h"

#include "HostPath.h"
#include "KernelHandles.h"
#include "NameMatching.h"

#include <windows.h>

#include <array>
#include <vector>
#include <limits>

namespace p2kapi {
namespace {

constexpr std::array<const wchar_t*, 5> kStandardFolders = {
    L"mobile", L"mobile\\picture", L"mobile\\audio", L"mobile\\video", L"mobile\\system"};
constexpr std::array<const wchar_t*, 2> kToneDatabases = {L"mobile\\audio\\MyToneDB.db",
                                                          L"mobile\\audio\\TempToneDB.db"};
// An empty database: a zeroed header block.
constexpr DWORD kEmptyDatabaseBytes = 64;

bool createEmptyDatabase(const std::wstring& path) {
    tonvale::OwnedKernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::GetLastError() == ERROR_FILE_EXISTS;
    }
    const std::array<char, kEmptyDatabaseBytes> header{};
    DWORD written = 0;
    return ::WriteFile(file.get(), header.data(), kEmptyDatabaseBytes, &written, nullptr) &&
           written == kEmptyDatabaseBytes;
}

bool isDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

void scanFolder(const std::wstring& folder, const std::wstring& openFile, VolumeUsage& usage,
                NameIndex* index) {
    // Read before the listing, so that a change made meanwhile leaves the record out of date.
    const FILETIME written = index != nullptr ? lastWriteTime(folder) : FILETIME{};
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    tonvale::OwnedFindHandle search(::FindFirstFileExW(joinPath(folder, L"*").c_str(),
                                                       FindExInfoBasic, &entry,
                                                       FindExSearchNameMatch, nullptr, 0));
    if (!search) {
        if (index != nullptr) {
            index->incomplete();
        }
        return;
    }
    do {
        if (isDotEntry(entry.cFileName)) {
            continue;
        }
        const std::wstring path = joinPath(folder, entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Links may point back up the tree; a phone has none.
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                scanFolder(path, openFile, usage, index);
            }
            continue;
        }
        ++usage.fileCount;
        if (index != nullptr) {
            names.push_back(entry.cFileName);
        }
        if (openFile.empty() || !tonvale::namesMatch(path, openFile)) {
            usage.bytes += (static_cast<int64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
    } while (::FindNextFileW(search.get(), &entry));
    if (index != nullptr) {
        if (written.dwLowDateTime != 0 || written.dwHighDateTime != 0) {
            index->record(folder, written, names);
        } else {
            index->incomplete();
        }
    }
}

}  // namespace

bool prepareVolume(const std::wstring& root) {
    bool ready = createFolderTree(root);
    for (const wchar_t* folder : kStandardFolders) {
        ready = createFolderTree(joinPath(root, folder)) && ready;
    }
    for (const wchar_t* database : kToneDatabases) {
        ready = createEmptyDatabase(joinPath(root, database)) && ready;
    }
    return ready;
}

VolumeUsage scanVolume(const std::wstring& root, const std::wstring& openFile, NameIndex* index) {
    VolumeUsage usage;
    if (index != nullptr) {
        index->clear();
    }
    scanFolder(root, openFile, usage, index);
    return usage;
}

std::optional<int64_t> deleteHostFile(const std::wstring& path) {
    // Opened for deletion rather than deleted by name, so that the name is looked up once
    // (under Wine a pass over the whole folder when it is missing) and the length read on the
    // way; the file goes when the handle is closed.
    tonvale::OwnedKernelHandle file(
        ::CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!file) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        size.QuadPart = 0;
    }
    return size.QuadPart;
}

bool hostFileLingers(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
           ::GetLastError() == ERROR_ACCESS_DENIED;
}

int32_t clampToInt32(int64_t value) {
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

}  // namespace p2kapi
