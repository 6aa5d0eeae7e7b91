// Move-only owners for the handles the windows create: each closed once, by its destructor.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <utility>

namespace tonvale::win {

template <typename Handle, typename Closer>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    ~OwnedHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle to a new owner, such as a menu that destroys its items' menus.
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Closer{}(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

struct GdiObjectCloser {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ImageListCloser {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct MenuCloser {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct IconCloser {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};

using OwnedFont = OwnedHandle<HFONT, GdiObjectCloser>;
using OwnedBitmap = OwnedHandle<HBITMAP, GdiObjectCloser>;
using OwnedImageList = OwnedHandle<HIMAGELIST, ImageListCloser>;
using OwnedMenu = OwnedHandle<HMENU, MenuCloser>;
using OwnedIcon = OwnedHandle<HICON, IconCloser>;
using OwnedWindow = OwnedHandle<HWND, WindowCloser>;
template <typename Interface>
using OwnedComPointer = OwnedHandle<Interface*, ComReleaser>;

}  // namespace tonvale::win
