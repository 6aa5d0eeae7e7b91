#include "name_index.h"

#include "host_path.h"

namespace p2kapi {
namespace {

std::wstring Upper(std::wstring text) {
    if (!text.empty()) {
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

bool Same(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::wstring NameOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

FILETIME LastWriteTime(const std::wstring& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(folder.c_str(), GetFileExInfoStandard, &data)) {
        return FILETIME{};
    }
    return data.ftLastWriteTime;
}

void NameIndex::Record(const std::wstring& folder, FILETIME written,
                       const std::vector<std::wstring>& names) {
    Folder& entry = folders_[Upper(folder)];
    entry.path = folder;
    entry.written = written;
    entry.names.clear();
    for (const std::wstring& name : names) {
        entry.names.insert(Upper(name));
    }
}

NameIndex::Folder* NameIndex::Current(const std::wstring& folder) const {
    const auto found = folders_.find(Upper(folder));
    if (found == folders_.end()) {
        return nullptr;
    }
    const FILETIME now = LastWriteTime(folder);
    if ((now.dwLowDateTime == 0 && now.dwHighDateTime == 0) || !Same(now, found->second.written)) {
        // Changed from outside: what it holds now is unknown, and so is the volume's count.
        folders_.erase(found);
        complete_ = false;
        return nullptr;
    }
    return &found->second;
}

std::optional<int> NameIndex::CountIfCurrent() const {
    if (!complete_ || folders_.empty()) {
        return std::nullopt;
    }
    size_t count = 0;
    for (const auto& [key, folder] : folders_) {
        const FILETIME now = LastWriteTime(folder.path);
        if ((now.dwLowDateTime == 0 && now.dwHighDateTime == 0) || !Same(now, folder.written)) {
            return std::nullopt;
        }
        count += folder.names.size();
    }
    return static_cast<int>(count);
}

bool NameIndex::KnownMissing(const std::wstring& path) const {
    const Folder* folder = Current(ParentFolder(path));
    return folder != nullptr && folder->names.count(Upper(NameOf(path))) == 0;
}

void NameIndex::Added(const std::wstring& path) {
    Changed(path, true);
}

void NameIndex::Removed(const std::wstring& path) {
    Changed(path, false);
}

void NameIndex::Changed(const std::wstring& path, bool present) {
    const std::wstring folder = ParentFolder(path);
    const auto found = folders_.find(Upper(folder));
    if (found == folders_.end()) {
        return;
    }
    const std::wstring name = Upper(NameOf(path));
    if (present) {
        found->second.names.insert(name);
    } else {
        found->second.names.erase(name);
    }
    // The phone's own write moved the folder's time on; what it wrote is already in the set.
    found->second.written = LastWriteTime(folder);
}

}  // namespace p2kapi
