// Menus built from their descriptions, each item with its id, text, state and picture.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "FormDescription.h"
#include "WindowHandles.h"

namespace tonvale::win {

// The pictures, `pictureSize` pixels square, are kept in `pictures`, which must outlive the
// menu.
OwnedMenu buildMenuBar(HINSTANCE instance, std::span<const MenuDescription> menus,
                       std::vector<OwnedBitmap>& pictures, int pictureSize);
OwnedMenu buildPopupMenu(HINSTANCE instance, std::span<const MenuItemDescription> items,
                         std::vector<OwnedBitmap>& pictures, int pictureSize);

// Gives the items of a menu built from `items` (or of a bar built from `menus`) their pictures
// at a new size, as for another display scale; the old pictures in `pictures` are released
// once the menu no longer shows them.
void resizeMenuPictures(HINSTANCE instance, HMENU menu, std::span<const MenuItemDescription> items,
                        std::vector<OwnedBitmap>& pictures, int pictureSize);
void resizeMenuBarPictures(HINSTANCE instance, HMENU bar, std::span<const MenuDescription> menus,
                           std::vector<OwnedBitmap>& pictures, int pictureSize);

}  // namespace tonvale::win
