// Move-only owners of handles of every kind, each closed once, by its destructor. A kind is told
// by its traits: its handle type, the value that holds nothing, whether a value is a handle to
// close, and how to close it.
#pragma once

#include <utility>

namespace tonvale {

template <typename Traits>
class OwnedHandle {
  public:
    using Handle = typename Traits::Handle;

    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~OwnedHandle() { reset(); }

    Handle get() const { return handle_; }
    bool valid() const { return Traits::owns(handle_); }
    explicit operator bool() const { return valid(); }
    // Gives the handle to a new owner, such as a menu that destroys its items' menus.
    Handle release() { return std::exchange(handle_, Traits::none()); }
    void reset(Handle handle = Traits::none()) {
        if (Traits::owns(handle_)) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = Traits::none();
};

// The traits of a kind whose empty value is the null pointer, closed by `Closer`.
template <typename HandleType, typename Closer>
struct NullEmptyHandle {
    using Handle = HandleType;
    static Handle none() { return nullptr; }
    static bool owns(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { Closer{}(handle); }
};

}  // namespace tonvale
