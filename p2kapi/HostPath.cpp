#include "HostPath.h"

#include <windows.h>

#include <vector>

namespace p2kapi {

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\') {
        return folder + name;
    }
    return folder + L'\\' + name;
}

std::wstring parentFolder(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool isRooted(const std::wstring& path) {
    if (!path.empty() && (path[0] == L'\\' || path[0] == L'/')) {
        return true;
    }
    return path.size() >= 2 && path[1] == L':';
}

std::optional<std::wstring> fullPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) {
            return std::nullopt;
        }
        if (length < buffer.size()) {
            std::wstring full(buffer.data(), length);
            // Keep "C:\" whole; drop the separator anywhere else.
            if (full.size() > 3 && full.back() == L'\\') {
                full.pop_back();
            }
            return full;
        }
        buffer.resize(length);
    }
}

bool createFolderTree(const std::wstring& folder) {
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        return true;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_ALREADY_EXISTS) {
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    if (error != ERROR_PATH_NOT_FOUND) {
        return false;
    }
    const std::wstring parent = parentFolder(folder);
    if (parent.empty() || parent == folder || !createFolderTree(parent)) {
        return false;
    }
    return ::CreateDirectoryW(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

std::wstring libraryFolder() {
    HMODULE self = nullptr;
    if (!::GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&libraryFolder), &self)) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(self, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < buffer.size()) {
            return parentFolder(std::wstring(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace p2kapi
