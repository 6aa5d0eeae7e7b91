// The host folder that plays the phone's volume "/a".
#pragma once

#include <cstdint>
#include <string>

namespace p2kapi {

struct VolumeUsage {
    int fileCount = 0;
    int64_t bytes = 0;
};

// Gives `root` the layout of a fresh phone: the standard folders below "mobile" and the two
// tone databases. Existing folders and files are left as they are.
bool PrepareVolume(const std::wstring& root);

// Files (not folders) below `root`, recursively, and their total size. `openFile`, when given,
// is left out of the byte total: the directory entry of a file being written may lag behind its
// real size, so the caller adds the size it knows.
VolumeUsage ScanVolume(const std::wstring& root, const std::wstring& openFile);

// `value` clamped into the signed 32-bit range the phone reports sizes in.
int32_t ClampToInt32(int64_t value);

}  // namespace p2kapi
