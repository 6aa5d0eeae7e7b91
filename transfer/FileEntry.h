// One file chosen for upload: what the list shows of it and where its contents are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonvale {

struct FileEntry {
    std::wstring name;  // shown in "File(s)" and used on the phone; the user may rename it
    std::wstring type;  // the extension with its dot, empty for a name without one
    std::wstring path;  // the local file, as chosen
    // The length when it was opened; absent when it could not be measured.
    std::optional<int64_t> sizeBytes;
    // Given by the list, the entry's own while it is listed, whatever its name or place.
    uint64_t id = 0;
};

// An entry for a local file, not yet measured: its name without the folder and its type.
FileEntry entryForPath(std::wstring_view path);

// Kilobytes to the nearest whole number, an exact half going to the even neighbour:
// 1,536 bytes are 2 and 2,560 bytes are 2 as well.
int64_t kilobytesRoundedHalfEven(int64_t bytes);

}  // namespace tonvale
