// The one phone file open for writing.
#pragma once

#include "KernelHandles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace p2kapi {

class PhoneFile {
  public:
    // Creates `hostPath`, or empties it when it exists; its folder must exist already.
    // `replacedBytes` is the length the file had before: 0 for a new one.
    static std::optional<PhoneFile> create(const std::wstring& hostPath, int64_t& replacedBytes);

    // Appends all `length` bytes or, on failure, none: a half-written piece is cut off again.
    bool append(const void* data, uint32_t length);

    const std::wstring& hostPath() const { return hostPath_; }
    int64_t size() const { return size_; }

  private:
    PhoneFile(tonvale::OwnedKernelHandle handle, std::wstring hostPath)
        : handle_(std::move(handle)), hostPath_(std::move(hostPath)) {}

    bool truncateTo(int64_t size);

    tonvale::OwnedKernelHandle handle_;
    std::wstring hostPath_;
    int64_t size_ = 0;
};

}  // namespace p2kapi
