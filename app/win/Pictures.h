// The program's 32 by 32 pictures, kept as 32-bit bitmap resources with an alpha channel.
#pragma once

#include <initializer_list>

#include "WindowHandles.h"

namespace tonvale::win {

inline constexpr int kPictureSize = 32;

// A picture as a 32-bit DIB section; empty when the resource is missing.
OwnedBitmap loadPicture(HINSTANCE instance, const wchar_t* resourceName);
// Menus blend with premultiplied alpha.
OwnedBitmap loadMenuPicture(HINSTANCE instance, const wchar_t* resourceName);
// An image list of the pictures in the order given, at `size` pixels square: 32, or 16 for a
// control too low to show them whole.
OwnedImageList loadPictureList(HINSTANCE instance, std::initializer_list<const wchar_t*> names,
                               int size = kPictureSize);

}  // namespace tonvale::win
