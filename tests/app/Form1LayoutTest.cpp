// The main window as the form description lays it out: places, texts, styles, keyboard order
// and menus, read back from the live window.
#include "Form1Fixture.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

RECT rectInForm(HWND form, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

// Item texts of a menu, "-" for a separator.
Lines menuItems(HMENU menu) {
    Lines items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back(info.fType & MFT_SEPARATOR ? L"-" : menuText(menu, i));
    }
    return items;
}

TEST_F(Form1Test, WindowHasItsSizeCaptionAndFrame) {
    start();
    HWND window = form().handle();
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 749);
    EXPECT_EQ(client.bottom, 486);

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the border must not resize the window";

    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    EXPECT_EQ(std::wstring(caption).rfind(L"Motorola Tonvale Files Uploader", 0), 0u) << caption;

    // Centred on the work area when first shown.
    RECT frame{};
    GetWindowRect(window, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

TEST_F(Form1Test, EveryControlSitsWhereTheDescriptionPutsItWithItsText) {
    start();
    for (const ControlDescription& description : form1Controls()) {
        SCOPED_TRACE(::testing::Message() << description.id);
        HWND child = control(description.name);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), description.id);
        EXPECT_EQ(className(child), description.windowClass);
        const bool visible = (description.style & WS_VISIBLE) != 0;
        EXPECT_EQ((GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0, visible);
        if (visible) {
            const RECT expected = designRectInForm(description);
            const RECT actual = rectInForm(form().handle(), child);
            EXPECT_EQ(actual.left, expected.left);
            EXPECT_EQ(actual.top, expected.top);
            EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom - expected.top);
        }
    }
    // Texts as the user reads them.
    EXPECT_EQ(text(L"GroupBox2"), L"Files:");
    EXPECT_EQ(text(L"BitBtn1"), L"Open");
    EXPECT_EQ(text(L"BitBtn2"), L"Upload");
    EXPECT_EQ(text(L"GroupBox4"), L"Phone:");
    EXPECT_EQ(text(L"BitBtn4"), L"Connect");
    EXPECT_EQ(text(L"BitBtn3"), L"Update ");
    EXPECT_EQ(text(L"BitBtn11"), L"Restart");
    EXPECT_EQ(text(L"GroupBox3"), L"Path:");
    EXPECT_EQ(text(L"BitBtn9"), L"Clear files list");
    EXPECT_EQ(text(L"BitBtn10"), L"Clear log file");
    // Buttons with a picture carry it.
    for (const wchar_t* button : {L"BitBtn1", L"BitBtn2", L"BitBtn3", L"BitBtn4", L"BitBtn11"}) {
        BUTTON_IMAGELIST images{};
        SendMessageW(control(button), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
        ASSERT_NE(images.himl, nullptr);
        int width = 0, height = 0;
        ImageList_GetIconSize(images.himl, &width, &height);
        EXPECT_EQ(width, 32);
        EXPECT_EQ(height, 32);
    }
}

TEST_F(Form1Test, ControlsCarryTheirProperties) {
    start();
    auto style = [&](const wchar_t* name) {
        return static_cast<DWORD>(GetWindowLongPtrW(control(name), GWL_STYLE));
    };
    HWND list = control(L"ListView1");
    EXPECT_EQ(style(L"ListView1") & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_TRUE(style(L"ListView1") & LVS_SORTASCENDING);
    EXPECT_TRUE(style(L"ListView1") & LVS_EDITLABELS);
    EXPECT_FALSE(style(L"ListView1") & LVS_SINGLESEL);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES);
    win::ListViewControl files(list);
    EXPECT_EQ(files.columnCaption(0), L"File(s)");
    EXPECT_EQ(files.columnCaption(1), L"Type");
    EXPECT_EQ(files.columnCaption(2), L"Size");
    EXPECT_EQ(files.columnWidth(1), 50);
    EXPECT_EQ(files.columnWidth(2), 50);
    RECT listClient{};
    GetClientRect(list, &listClient);
    EXPECT_EQ(files.columnWidth(0) + 100, listClient.right) << "File(s) fills the rest";

    EXPECT_TRUE(style(L"Memo1") & ES_MULTILINE);
    EXPECT_TRUE(style(L"Memo1") & ES_READONLY);
    EXPECT_TRUE(style(L"Memo1") & WS_VSCROLL);
    EXPECT_FALSE(style(L"Memo1") & (ES_AUTOHSCROLL | WS_HSCROLL)) << "long lines wrap";
    EXPECT_TRUE(style(L"Edit1") & ES_READONLY);
    EXPECT_FALSE(style(L"Edit1") & ES_MULTILINE);

    win::TabControl tabs(control(L"TabControl1"));
    EXPECT_TRUE(style(L"TabControl1") & TCS_MULTILINE);
    ASSERT_EQ(tabs.tabCount(), 5);
    const Lines captions{L"Picture", L"Music", L"Video", L"Palette", L"Menu"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs.tabCaption(i), captions[static_cast<size_t>(i)]);
    }
    int width = 0, height = 0;
    ImageList_GetIconSize(TabCtrl_GetImageList(tabs.handle()), &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(ImageList_GetImageCount(TabCtrl_GetImageList(tabs.handle())), 5);

    win::StatusBarControl status(control(L"StatusBar1"));
    EXPECT_EQ(status.panelRightEdges(), (std::vector<int>{100, 180, 350, 400}));
    EXPECT_EQ(progressMaximum(), 100);
    EXPECT_EQ(progressPosition(), 0);
}

TEST_F(Form1Test, TabKeyVisitsTheControlsInKeyboardOrder) {
    start();
    const Lines expected{L"ListView1", L"BitBtn1", L"BitBtn2",  L"Edit1",   L"Memo1",
                         L"BitBtn3",   L"BitBtn4", L"BitBtn11", L"BitBtn9", L"BitBtn10"};
    HWND current = control(L"ListView1");
    Lines visited;
    for (size_t i = 0; i < expected.size(); ++i) {
        for (const ControlDescription& description : form1Controls()) {
            if (control(description.name) == current) {
                visited.push_back(description.name);
            }
        }
        current = GetNextDlgTabItem(form().handle(), current, FALSE);
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(Form1Test, ControlsFollowTheirEdgesWhenMaximised) {
    start();
    ShowWindow(form().handle(), SW_MAXIMIZE);
    RECT client{};
    GetClientRect(form().handle(), &client);
    const int dx = client.right - 749;
    const int dy = client.bottom - 486;
    ASSERT_GT(dx, 0);
    ASSERT_GT(dy, 0);
    const RECT list = rectInForm(form().handle(), control(L"ListView1"));
    EXPECT_EQ(list.left, 8);
    EXPECT_EQ(list.right - list.left, 279 + dx);
    EXPECT_EQ(list.bottom - list.top, 344 + dy);
    const RECT memo = rectInForm(form().handle(), control(L"Memo1"));
    EXPECT_EQ(memo.left, 294 + dx);
    EXPECT_EQ(memo.top, 111);
    EXPECT_EQ(memo.bottom - memo.top, 322 + dy);
    const RECT clear = rectInForm(form().handle(), control(L"BitBtn10"));
    EXPECT_EQ(clear.left, 664 + dx);
    EXPECT_EQ(clear.top, 440 + dy);
    const RECT group = rectInForm(form().handle(), control(L"GroupBox4"));
    EXPECT_EQ(group.left, 216);
    const RECT status = rectInForm(form().handle(), control(L"StatusBar1"));
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.bottom - status.top, 19);
    EXPECT_EQ(status.right, client.right);
}

TEST_F(Form1Test, MenusHoldTheirItemsInOrder) {
    start();
    HMENU bar = GetMenu(form().handle());
    ASSERT_EQ(bar, form().mainMenu());
    EXPECT_EQ(menuItems(bar), (Lines{L"File", L"Phone", L"Configuration", L"Help"}));
    EXPECT_EQ(menuItems(GetSubMenu(bar, 0)),
              (Lines{L"Open file(s)...", L"Upload file(s)", L"-", L"Exit"}));
    EXPECT_EQ(menuItems(GetSubMenu(bar, 1)), (Lines{L"Restart", L"Update rings", L"Connect"}));
    EXPECT_EQ(menuItems(GetSubMenu(bar, 2)), (Lines{L"Options..."}));
    HMENU help = GetSubMenu(bar, 3);
    EXPECT_EQ(menuItems(help), (Lines{L"Help", L"-", L"About..."}));
    EXPECT_TRUE(GetMenuState(help, 0, MF_BYPOSITION) & MF_GRAYED) << "Help cannot be chosen";
    EXPECT_FALSE(GetMenuState(help, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(menuItems(form().popupMenu()),
              (Lines{L"Restart phone", L"Update rings", L"Connect", L"-", L"Show program", L"-",
                     L"Exit", L"-", L"About..."}));

    // Items with a command carry a 32 by 32 picture.
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoW(GetSubMenu(bar, 0), IdOpenfiles1, FALSE, &info);
    BITMAP picture{};
    ASSERT_NE(info.hbmpItem, nullptr);
    GetObjectW(info.hbmpItem, sizeof picture, &picture);
    EXPECT_EQ(picture.bmWidth, 32);
    EXPECT_EQ(picture.bmHeight, 32);
}

}  // namespace
}  // namespace tonvale::testing
