#include "NameIndex.h"

#include "HostPath.h"

namespace p2kapi {
namespace {

std::wstring upper(std::wstring text) {
    if (!text.empty()) {
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

bool same(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::wstring nameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

FILETIME lastWriteTime(const std::wstring& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data)) {
        return FILETIME{};
    }
    return data.ftLastWriteTime;
}

void NameIndex::record(const std::wstring& folder, FILETIME written,
                       const std::vector<std::wstring>& names) {
    Folder& entry = folders_[upper(folder)];
    entry.path = folder;
    entry.written = written;
    entry.names.clear();
    for (const std::wstring& name : names) {
        entry.names.insert(upper(name));
    }
}

NameIndex::Folder* NameIndex::current(const std::wstring& folder) const {
    const auto found = folders_.find(upper(folder));
    if (found == folders_.end()) {
        return nullptr;
    }
    const FILETIME now = lastWriteTime(folder);
    if ((now.dwLowDateTime == 0 && now.dwHighDateTime == 0) || !same(now, found->second.written)) {
        // Changed from outside: what it holds now is unknown, and so is the volume's count.
        folders_.erase(found);
        complete_ = false;
        return nullptr;
    }
    return &found->second;
}

std::optional<int> NameIndex::countIfCurrent() const {
    if (!complete_ || folders_.empty()) {
        return std::nullopt;
    }
    size_t count = 0;
    for (const auto& [key, folder] : folders_) {
        const FILETIME now = lastWriteTime(folder.path);
        if ((now.dwLowDateTime == 0 && now.dwHighDateTime == 0) || !same(now, folder.written)) {
            return std::nullopt;
        }
        count += folder.names.size();
    }
    return static_cast<int>(count);
}

bool NameIndex::knownMissing(const std::wstring& path) const {
    const Folder* folder = current(parentFolder(path));
    return folder != nullptr && folder->names.count(upper(nameOf(path))) == 0;
}

void NameIndex::added(const std::wstring& path) {
    changed(path, true);
}

void NameIndex::removed(const std::wstring& path) {
    changed(path, false);
}

void NameIndex::changed(const std::wstring& path, bool present) {
    const std::wstring folder = parentFolder(path);
    const auto found = folders_.find(upper(folder));
    if (found == folders_.end()) {
        return;
    }
    const std::wstring name = upper(nameOf(path));
    if (present) {
        found->second.names.insert(name);
    } else {
        found->second.names.erase(name);
    }
    // The phone's own write moved the folder's time on; what it wrote is already in the set.
    found->second.written = lastWriteTime(folder);
}

}  // namespace p2kapi
