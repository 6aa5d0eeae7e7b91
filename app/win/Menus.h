// Menus built from their descriptions, each item with its id, text, state and picture.
#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "FormDescription.h"
#include "WindowHandles.h"

namespace tonvale::win {

// The pictures are kept in `pictures`, which must outlive the menu.
OwnedMenu buildMenuBar(HINSTANCE instance, std::span<const MenuDescription> menus,
                       std::vector<OwnedBitmap>& pictures);
OwnedMenu buildPopupMenu(HINSTANCE instance, std::span<const MenuItemDescription> items,
                         std::vector<OwnedBitmap>& pictures);

}  // namespace tonvale::win
