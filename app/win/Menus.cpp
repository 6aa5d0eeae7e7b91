#include "Menus.h"

#include "Pictures.h"

namespace tonvale::win {

namespace {

void addItems(HINSTANCE instance, HMENU menu, std::span<const MenuItemDescription> items,
              std::vector<OwnedBitmap>& pictures) {
    for (const MenuItemDescription& item : items) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        if (item.id == 0) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
            info.wID = static_cast<UINT>(item.id);
            info.dwTypeData = const_cast<wchar_t*>(item.text);
            info.fState = item.enabled ? MFS_ENABLED : MFS_DISABLED;
            if (item.picture != nullptr) {
                pictures.push_back(loadMenuPicture(instance, item.picture));
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = pictures.back().get();
            }
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

}  // namespace

OwnedMenu buildMenuBar(HINSTANCE instance, std::span<const MenuDescription> menus,
                       std::vector<OwnedBitmap>& pictures) {
    OwnedMenu bar(CreateMenu());
    for (const MenuDescription& menu : menus) {
        OwnedMenu submenu = buildPopupMenu(instance, menu.items, pictures);
        // The bar destroys its submenus with itself.
        AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.release()),
                    menu.text);
    }
    return bar;
}

OwnedMenu buildPopupMenu(HINSTANCE instance, std::span<const MenuItemDescription> items,
                         std::vector<OwnedBitmap>& pictures) {
    OwnedMenu menu(CreatePopupMenu());
    addItems(instance, menu.get(), items, pictures);
    return menu;
}

}  // namespace tonvale::win
