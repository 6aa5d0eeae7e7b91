// The main window described as data: its controls (created, anchored and checked from this
// table), its two menus, and the command ids they carry.
#pragma once

#include <windows.h>

#include <span>

namespace tonvale {

// The edges a control keeps its distance to when the window changes size.
enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
};
inline constexpr unsigned AnchorTopLeft = AnchorLeft | AnchorTop;
inline constexpr unsigned AnchorAllEdges = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;

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

struct ControlDescription {
    int id;
    const wchar_t* name;
    const wchar_t* windowClass;
    int parentId;  // 0 for the form; a position is relative to its parent
    int left, top, width, height;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    unsigned anchors;
    const wchar_t* picture;  // resource name of a 32 by 32 picture, or nullptr
};

// In creation order, which is also the keyboard order of the controls that take the focus.
std::span<const ControlDescription> form1Controls();
const ControlDescription* findControlDescription(int id);
// The control's rectangle in the form's client area at design size.
RECT designRectInForm(const ControlDescription& control);

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

struct MenuItemDescription {
    int id;  // 0 for a separator
    const wchar_t* name;
    const wchar_t* text;  // "-" for a separator
    const wchar_t* picture;
    bool enabled;
};

struct MenuDescription {
    const wchar_t* text;
    std::span<const MenuItemDescription> items;
};

// MainMenu1, menu by menu.
std::span<const MenuDescription> mainMenu1();
// PopupMenu1 of the tray icon.
std::span<const MenuItemDescription> popupMenu1();

}  // namespace tonvale
