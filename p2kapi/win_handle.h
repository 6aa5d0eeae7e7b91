// Move-only owners of Win32 handles, so that no path through the library leaks one.
#pragma once

#include <windows.h>

#include <utility>

namespace p2kapi {

template <typename Traits>
class UniqueWinHandle {
  public:
    UniqueWinHandle() = default;
    explicit UniqueWinHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueWinHandle() { Reset(); }

    UniqueWinHandle(const UniqueWinHandle&) = delete;
    UniqueWinHandle& operator=(const UniqueWinHandle&) = delete;
    UniqueWinHandle(UniqueWinHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueWinHandle& operator=(UniqueWinHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != Traits::Invalid() && handle_ != nullptr; }
    explicit operator bool() const { return Valid(); }

    void Reset() {
        if (Valid()) {
            Traits::Close(handle_);
        }
        handle_ = Traits::Invalid();
    }

  private:
    HANDLE handle_ = Traits::Invalid();
};

// Kernel objects: files, threads, events. CreateFileW reports failure as INVALID_HANDLE_VALUE,
// CreateThread as null; both count as empty.
struct KernelHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::CloseHandle(handle); }
};

// Directory searches, which FindClose must end rather than CloseHandle.
struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { ::FindClose(handle); }
};

using UniqueHandle = UniqueWinHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueWinHandle<FindHandleTraits>;

}  // namespace p2kapi
