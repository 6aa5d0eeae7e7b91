// The main window described as data: its controls, its two menus, and the command ids they
// carry.
#pragma once

#include <windows.h>

#include <span>

#include "win/FormDescription.h"

namespace tonvale {

// The client area the positions were laid out in.
inline constexpr int kForm1ClientWidth = 749;
inline constexpr int kForm1ClientHeight = 486;
inline constexpr int kStatusBarHeight = 19;

enum ControlId : int {
    IdTabControl1 = 100,
    IdListView1,
    IdGroupBox2,
    IdBitBtn1,
    IdBitBtn2,
    IdGroupBox3,
    IdEdit1,
    IdMemo1,
    IdGroupBox4,
    IdBitBtn3,
    IdBitBtn4,
    IdBitBtn11,
    IdProgressBar1,
    IdBitBtn9,
    IdBitBtn10,
    IdEdit2,
    IdEdit3,
    IdStatusBar1,
};

// TForm1: the window, its controls in creation order and its menu bar MainMenu1.
const win::FormDescription& form1Description();

enum MenuId : int {
    IdOpenfiles1 = 200,
    IdUploadfiles1,
    IdExit1,
    IdRestart1,
    Idupdaterings2,
    IdConnect2,
    IdOptions1,
    IdHelp1,
    IdAbout1,
    IdRestartphone1,
    IdUpdaterings1,
    IdConnect1,
    IdShowprogram1,
    IdExit2,
    IdAbout2,
};

// PopupMenu1 of the tray icon.
std::span<const win::MenuItemDescription> popupMenu1();

}  // namespace tonvale
