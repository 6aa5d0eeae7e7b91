// The program's pictures, kept as 32-bit bitmap resources with an alpha channel, each drawn at
// 32 by 32 pixels and, under its name with "_2X", at 64 by 64. A picture is shown at any size
// from the nearer of the two.
#pragma once

#include <initializer_list>

#include "WindowHandles.h"

namespace tonvale::win {

// The size of a picture at 96 DPI.
inline constexpr int kPictureSize = 32;

// A picture at `size` pixels square as a 32-bit DIB section; empty when the resource is
// missing.
OwnedBitmap loadPicture(HINSTANCE instance, const wchar_t* resourceName, int size);
// Menus blend with premultiplied alpha.
OwnedBitmap loadMenuPicture(HINSTANCE instance, const wchar_t* resourceName, int size);
// An image list of the pictures in the order given, at `size` pixels square.
OwnedImageList loadPictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names,
                               int size);

}  // namespace tonvale::win
