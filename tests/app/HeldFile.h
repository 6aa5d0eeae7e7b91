// A file held open the way another program might, with the given sharing: running as root, Wine
// writes through the read-only attribute, so this is how a test makes a file unwritable.
#pragma once

#include <windows.h>

#include <filesystem>

namespace tonvale::testing {

class HeldFile {
  public:
    HeldFile(const std::filesystem::path& file, DWORD sharing)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { release(); }
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release() {
        if (held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

}  // namespace tonvale::testing
