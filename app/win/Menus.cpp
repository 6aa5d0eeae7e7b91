#include "Menus.h"

#include "Pictures.h"

namespace tonvale::win {

namespace {

void addItems(HINSTANCE instance, HMENU menu, std::span<const MenuItemDescription> items,
              std::vector<OwnedBitmap>& pictures, int pictureSize) {
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
                pictures.push_back(loadMenuPicture(instance, item.picture, pictureSize));
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = pictures.back().get();
            }
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

void setPictures(HINSTANCE instance, HMENU menu, std::span<const MenuItemDescription> items,
                 std::vector<OwnedBitmap>& pictures, int pictureSize) {
    for (size_t position = 0; position < items.size(); ++position) {
        if (items[position].picture == nullptr) {
            continue;
        }
        pictures.push_back(loadMenuPicture(instance, items[position].picture, pictureSize));
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = pictures.back().get();
        SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    }
}

}  // namespace

OwnedMenu buildMenuBar(HINSTANCE instance, std::span<const MenuDescription> menus,
                       std::vector<OwnedBitmap>& pictures, int pictureSize) {
    OwnedMenu bar(CreateMenu());
    for (const MenuDescription& menu : menus) {
        OwnedMenu submenu = buildPopupMenu(instance, menu.items, pictures, pictureSize);
        // The bar destroys its submenus with itself.
        AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.release()),
                    menu.text);
    }
    return bar;
}

OwnedMenu buildPopupMenu(HINSTANCE instance, std::span<const MenuItemDescription> items,
                         std::vector<OwnedBitmap>& pictures, int pictureSize) {
    OwnedMenu menu(CreatePopupMenu());
    addItems(instance, menu.get(), items, pictures, pictureSize);
    return menu;
}

void resizeMenuPictures(HINSTANCE instance, HMENU menu, std::span<const MenuItemDescription> items,
                        std::vector<OwnedBitmap>& pictures, int pictureSize) {
    std::vector<OwnedBitmap> resized;
    setPictures(instance, menu, items, resized, pictureSize);
    pictures = std::move(resized);
}

void resizeMenuBarPictures(HINSTANCE instance, HMENU bar, std::span<const MenuDescription> menus,
                           std::vector<OwnedBitmap>& pictures, int pictureSize) {
    std::vector<OwnedBitmap> resized;
    for (size_t position = 0; position < menus.size(); ++position) {
        if (HMENU submenu = GetSubMenu(bar, static_cast<int>(position))) {
            setPictures(instance, submenu, menus[position].items, resized, pictureSize);
        }
    }
    pictures = std::move(resized);
}

}  // namespace tonvale::win
