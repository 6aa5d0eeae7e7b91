// The local files that Open measures and Upload reads. Failures raise the runtime's I/O errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Contents.h"

namespace tonvale {

class LocalFiles {
  public:
    virtual ~LocalFiles() = default;
    // The file's length in bytes; it is opened for reading only and closed again.
    virtual int64_t sizeOf(const std::wstring& path) = 0;
    // Makes `contents` exactly as long as the file and fills it from the start; an empty file
    // gives an empty buffer. The file is closed also when reading fails.
    virtual void load(const std::wstring& path, Contents& contents) = 0;
};

#ifdef _WIN32
// The files of this computer.
class WindowsLocalFiles final : public LocalFiles {
  public:
    int64_t sizeOf(const std::wstring& path) override;
    void load(const std::wstring& path, Contents& contents) override;
};

// Loads a file's contents, as the upload does for each entry.
void FileToByteArray(const std::wstring& path, Contents& contents);
#endif

}  // namespace tonvale
