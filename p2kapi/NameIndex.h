// What the last scan of the volume saw in each folder, trusted while the folder's last-write
// time stays as it was: a name the folder lacks is then known to be missing without asking the
// host, where under Wine a name that is missing costs a pass over its whole folder. The upload
// deletes every file's name before creating it, and in a folder of thousands that pass was most
// of its time. Anything the index cannot vouch for goes to the host as before.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace p2kapi {

class NameIndex {
  public:
    void clear() {
        folders_.clear();
        complete_ = true;
    }
    // A folder the scan could not record: the index no longer knows the whole volume.
    void incomplete() { complete_ = false; }
    // A folder's files as a scan saw them, with the folder's last-write time read before.
    void record(const std::wstring& folder, FILETIME written,
                const std::vector<std::wstring>& names);
    // True only when the index vouches that `path` is not there.
    bool knownMissing(const std::wstring& path) const;
    // The files of every recorded folder, when none of them has changed since; nothing when the
    // volume must be counted afresh.
    std::optional<int> countIfCurrent() const;
    // The phone itself added or removed the file `path`.
    void added(const std::wstring& path);
    void removed(const std::wstring& path);

  private:
    struct Folder {
        std::wstring path;
        FILETIME written{};
        std::set<std::wstring> names;  // in upper case: the host ignores case
    };
    // The folder's entry, when the folder has not changed since it was recorded.
    Folder* current(const std::wstring& folder) const;
    void changed(const std::wstring& path, bool present);

    mutable std::map<std::wstring, Folder> folders_;  // by the folder's path in upper case
    // Every folder of the volume is recorded; a folder dropped because it changed unsets it.
    mutable bool complete_ = false;
};

// The folder's last-write time; zero when it cannot be read.
FILETIME lastWriteTime(const std::wstring& folder);

}  // namespace p2kapi
