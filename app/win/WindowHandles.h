// Owners of the handles the windows create, in the program's one owning-handle family.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "OwnedHandle.h"

namespace tonvale::win {

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

using OwnedFont = OwnedHandle<NullEmptyHandle<HFONT, GdiObjectCloser>>;
using OwnedBitmap = OwnedHandle<NullEmptyHandle<HBITMAP, GdiObjectCloser>>;
using OwnedImageList = OwnedHandle<NullEmptyHandle<HIMAGELIST, ImageListCloser>>;
using OwnedMenu = OwnedHandle<NullEmptyHandle<HMENU, MenuCloser>>;
using OwnedIcon = OwnedHandle<NullEmptyHandle<HICON, IconCloser>>;
using OwnedWindow = OwnedHandle<NullEmptyHandle<HWND, WindowCloser>>;

}  // namespace tonvale::win
