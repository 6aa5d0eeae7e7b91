// The host folder that plays the phone's volume "/a".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "NameIndex.h"

namespace p2kapi {

struct VolumeUsage {
    int fileCount = 0;
    int64_t bytes = 0;
};

// Gives `root` the layout of a fresh phone: the standard folders below "mobile" and the two
// tone databases. Existing folders and files are left as they are.
bool prepareVolume(const std::wstring& root);

// Files (not folders) below `root`, recursively, and their total size. `openFile`, when given,
// is left out of the byte total: the directory entry of a file being written may lag behind its
// real size, so the caller adds the size it knows. `index`, when given, learns every folder's
// names afresh.
VolumeUsage scanVolume(const std::wstring& root, const std::wstring& openFile,
                       NameIndex* index = nullptr);

// Deletes the file `path` and gives the length it had; nothing when there is no such file, it
// is a folder, or someone holds it open without sharing it for deletion (as the phone's open
// file is).
std::optional<int64_t> deleteHostFile(const std::wstring& path);
// True while a deleted file is still there, waiting for another program to close it: under
// Wine it is still seen, on Windows it refuses to be looked at.
bool hostFileLingers(const std::wstring& path);

// `value` clamped into the signed 32-bit range the phone reports sizes in.
int32_t clampToInt32(int64_t value);

}  // namespace p2kapi
