#include "Form1Layout.h"

#include <commctrl.h>

#include <array>

#include "Version.h"

namespace tonvale {

namespace {

using win::AnchorAllEdges;
using win::AnchorBottom;
using win::AnchorLeft;
using win::AnchorRight;
using win::AnchorTop;
using win::AnchorTopLeft;
using win::ControlDescription;
using win::MenuDescription;
using win::MenuItemDescription;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;

constexpr std::array<ControlDescription, 18> controls{{
    {IdTabControl1, L"TabControl1", WC_TABCONTROLW, 0, 0, 0, kForm1ClientWidth,
     kForm1ClientHeight - kStatusBarHeight, L"", kChild | WS_TABSTOP | TCS_MULTILINE, 0,
     AnchorAllEdges, nullptr},
    {IdListView1, L"ListView1", WC_LISTVIEWW, IdTabControl1, 8, 111, 279, 344, L"",
     kChild | WS_TABSTOP | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
     WS_EX_CLIENTEDGE, AnchorAllEdges, nullptr},
    {IdGroupBox2, L"GroupBox2", L"Button", IdTabControl1, 8, 40, 201, 65, L"Files:", kGroup, 0,
     AnchorTopLeft, nullptr},
    {IdBitBtn1, L"BitBtn1", L"Button", IdGroupBox2, 8, 16, 89, 41, L"Open", kButton, 0,
     AnchorTopLeft, L"BTN_OPEN"},
    {IdBitBtn2, L"BitBtn2", L"Button", IdGroupBox2, 104, 16, 89, 41, L"Upload", kButton, 0,
     AnchorTopLeft, L"BTN_UPLOAD"},
    {IdGroupBox3, L"GroupBox3", L"Button", IdTabControl1, 520, 40, 113, 49, L"Path:", kGroup, 0,
     AnchorTopLeft, nullptr},
    {IdEdit1, L"Edit1", L"Edit", IdGroupBox3, 8, 16, 97, 21, L"",
     kChild | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, AnchorTopLeft, nullptr},
    {IdMemo1, L"Memo1", L"Edit", IdTabControl1, 294, 111, 447, 322, L"",
     kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
     WS_EX_CLIENTEDGE, AnchorTop | AnchorRight | AnchorBottom, nullptr},
    {IdGroupBox4, L"GroupBox4", L"Button", IdTabControl1, 216, 40, 297, 65, L"Phone:", kGroup, 0,
     AnchorTopLeft, nullptr},
    {IdBitBtn3, L"BitBtn3", L"Button", IdGroupBox4, 104, 16, 89, 41, L"Update ", kButton, 0,
     AnchorTopLeft, L"BTN_UPDATE"},
    {IdBitBtn4, L"BitBtn4", L"Button", IdGroupBox4, 8, 16, 89, 41, L"Connect", kButton, 0,
     AnchorTopLeft, L"BTN_CONNECT"},
    {IdBitBtn11, L"BitBtn11", L"Button", IdGroupBox4, 200, 16, 89, 41, L"Restart", kButton, 0,
     AnchorTopLeft, L"BTN_RESTART"},
    {IdProgressBar1, L"ProgressBar1", PROGRESS_CLASSW, IdTabControl1, 296, 440, 281, 17, L"",
     kChild, 0, AnchorRight | AnchorBottom, nullptr},
    {IdBitBtn9, L"BitBtn9", L"Button", IdTabControl1, 584, 440, 75, 17, L"Clear files list",
     kButton, 0, AnchorRight | AnchorBottom, nullptr},
    {IdBitBtn10, L"BitBtn10", L"Button", IdTabControl1, 664, 440, 73, 17, L"Clear log file",
     kButton, 0, AnchorRight | AnchorBottom, nullptr},
    // The pending total and the free-space figure: never shown.
    {IdEdit2, L"Edit2", L"Edit", IdTabControl1, 0, 0, 0, 0, L"", WS_CHILD | ES_AUTOHSCROLL, 0,
     AnchorTopLeft, nullptr},
    {IdEdit3, L"Edit3", L"Edit", IdTabControl1, 0, 0, 0, 0, L"", WS_CHILD | ES_AUTOHSCROLL, 0,
     AnchorTopLeft, nullptr},
    // Placed by the form, so its height stays 19.
    {IdStatusBar1, L"StatusBar1", STATUSCLASSNAMEW, 0, 0, kForm1ClientHeight - kStatusBarHeight,
     kForm1ClientWidth, kStatusBarHeight, L"", kChild | CCS_NOPARENTALIGN | CCS_NORESIZE, 0,
     AnchorLeft | AnchorRight | AnchorBottom, nullptr},
}};

constexpr std::array<MenuItemDescription, 4> fileMenu{{
    {IdOpenfiles1, L"Openfiles1", L"Open file(s)...", L"MNU_OPEN", true},
    {IdUploadfiles1, L"Uploadfiles1", L"Upload file(s)", L"MNU_UPLOAD", true},
    {0, L"N1", L"-", nullptr, true},
    {IdExit1, L"Exit1", L"Exit", L"MNU_EXIT", true},
}};

constexpr std::array<MenuItemDescription, 3> phoneMenu{{
    {IdRestart1, L"Restart1", L"Restart", L"MNU_RESTART", true},
    {Idupdaterings2, L"updaterings2", L"Update rings", L"MNU_UPDATE", true},
    {IdConnect2, L"Connect2", L"Connect", L"MNU_CONNECT", true},
}};

constexpr std::array<MenuItemDescription, 1> configurationMenu{{
    {IdOptions1, L"Options1", L"Options...", L"MNU_OPTIONS", true},
}};

constexpr std::array<MenuItemDescription, 3> helpMenu{{
    {IdHelp1, L"Help1", L"Help", L"MNU_HELP", false},
    {0, L"N2", L"-", nullptr, true},
    {IdAbout1, L"About1", L"About...", L"MNU_ABOUT", true},
}};

constexpr std::array<MenuDescription, 4> mainMenu{{
    {L"File", fileMenu},
    {L"Phone", phoneMenu},
    {L"Configuration", configurationMenu},
    {L"Help", helpMenu},
}};

constexpr std::array<MenuItemDescription, 9> popupMenu{{
    {IdRestartphone1, L"Restartphone1", L"Restart phone", L"MNU_RESTART", true},
    {IdUpdaterings1, L"Updaterings1", L"Update rings", L"MNU_UPDATE", true},
    {IdConnect1, L"Connect1", L"Connect", L"MNU_CONNECT", true},
    {0, L"N3", L"-", nullptr, true},
    {IdShowprogram1, L"Showprogram1", L"Show program", L"MNU_SHOW", true},
    {0, L"N4", L"-", nullptr, true},
    {IdExit2, L"Exit2", L"Exit", L"MNU_EXIT", true},
    {0, L"N5", L"-", nullptr, true},
    {IdAbout2, L"About2", L"About...", L"MNU_ABOUT", true},
}};

constexpr DWORD kForm1Style =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;

constexpr win::FormDescription form1{L"TForm1",
                                     kForm1Caption,
                                     kForm1Style,
                                     WS_EX_CONTROLPARENT,
                                     kForm1ClientWidth,
                                     kForm1ClientHeight,
                                     win::FirstPlacement::CentreOnScreen,
                                     controls,
                                     mainMenu};

}  // namespace

const win::FormDescription& form1Description() {
    return form1;
}

std::span<const MenuItemDescription> popupMenu1() {
    return popupMenu;
}

}  // namespace tonvale
