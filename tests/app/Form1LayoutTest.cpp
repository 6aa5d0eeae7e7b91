// The main window as the form description lays it out: places, texts, styles, keyboard order
// and menus, read back from the live window.
#include "Form1Fixture.h"

#include <algorithm>

#include "ImportHook.h"
#include "OtherProcessWindows.h"
#include "Utf8.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

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

// Where the designer put each control: left, top, width and height within its container.
struct Placement {
    const wchar_t* name;
    const wchar_t* container;  // nullptr for the window itself
    const wchar_t* windowClass;
    int left, top, width, height;
};

TEST_F(Form1Test, EveryControlSitsInItsContainerWithItsText) {
    start();
    const Placement placements[] = {
        {L"TabControl1", nullptr, L"SysTabControl32", 0, 0, 749, 467},
        {L"GroupBox2", L"TabControl1", L"Button", 8, 40, 201, 65},
        {L"BitBtn1", L"GroupBox2", L"Button", 8, 16, 89, 41},
        {L"BitBtn2", L"GroupBox2", L"Button", 104, 16, 89, 41},
        {L"GroupBox4", L"TabControl1", L"Button", 216, 40, 297, 65},
        {L"BitBtn4", L"GroupBox4", L"Button", 8, 16, 89, 41},
        {L"BitBtn3", L"GroupBox4", L"Button", 104, 16, 89, 41},
        {L"BitBtn11", L"GroupBox4", L"Button", 200, 16, 89, 41},
        {L"GroupBox3", L"TabControl1", L"Button", 520, 40, 113, 49},
        {L"Edit1", L"GroupBox3", L"Edit", 8, 16, 97, 21},
        {L"ListView1", L"TabControl1", L"SysListView32", 8, 111, 279, 344},
        {L"Memo1", L"TabControl1", L"Edit", 294, 111, 447, 322},
        {L"ProgressBar1", L"TabControl1", L"msctls_progress32", 296, 440, 281, 17},
        {L"BitBtn9", L"TabControl1", L"Button", 584, 440, 75, 17},
        {L"BitBtn10", L"TabControl1", L"Button", 664, 440, 73, 17},
        {L"StatusBar1", nullptr, L"msctls_statusbar32", 0, 467, 749, 19},
    };
    for (const Placement& expected : placements) {
        SCOPED_TRACE(::testing::Message() << toUtf8(expected.name));
        HWND child = control(expected.name);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(className(child), expected.windowClass);
        EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE);
        RECT container{};
        if (expected.container != nullptr) {
            container = rectInForm(form().handle(), control(expected.container));
        }
        const RECT actual = rectInForm(form().handle(), child);
        EXPECT_EQ(actual.left - container.left, expected.left);
        EXPECT_EQ(actual.top - container.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.width);
        EXPECT_EQ(actual.bottom - actual.top, expected.height);
    }
    for (const wchar_t* hidden : {L"Edit2", L"Edit3"}) {
        ASSERT_NE(control(hidden), nullptr);
        EXPECT_EQ(className(control(hidden)), L"Edit");
        EXPECT_FALSE(GetWindowLongPtrW(control(hidden), GWL_STYLE) & WS_VISIBLE);
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
        const SIZE picture = buttonPictureSize(control(button));
        EXPECT_EQ(picture.cx, 32) << toUtf8(button);
        EXPECT_EQ(picture.cy, 32) << toUtf8(button);
    }
}

TEST_F(Form1Test, ControlsCarryTheirProperties) {
    start();
    auto style = [&](const wchar_t* name) {
        return static_cast<DWORD>(GetWindowLongPtrW(control(name), GWL_STYLE));
    };
    HWND list = control(L"ListView1");
    EXPECT_EQ(style(L"ListView1") & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
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
    // The log's hint, added as start-up does once the window waits for input.
    form().addHints();
    HWND hint = hintWindowOf(form().handle());
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(SendMessageW(hint, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t hintText[32] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = hintText;
    ASSERT_TRUE(SendMessageW(hint, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), control(L"Memo1"));
    EXPECT_EQ(std::wstring(hintText), L"Log file");
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

// Tab and Shift+Tab typed into the focused control walk the whole keyboard order from every
// control, the log included; the category tabs close the round.
TEST_F(Form1Test, TabAndShiftTabWalkTheKeyboardOrderFromEveryControl) {
    startShown();
    EXPECT_EQ(focusedName(), L"ListView1") << "the first control has the focus at the start";
    const Lines order{L"ListView1", L"BitBtn1",  L"BitBtn2", L"Edit1",    L"Memo1",      L"BitBtn3",
                      L"BitBtn4",   L"BitBtn11", L"BitBtn9", L"BitBtn10", L"TabControl1"};
    Lines forward;
    for (size_t i = 0; i < order.size(); ++i) {
        typeKey(VK_TAB);
        forward.push_back(focusedName());
    }
    Lines expectedForward(order.begin() + 1, order.end());
    expectedForward.push_back(order.front());
    EXPECT_EQ(forward, expectedForward);

    Lines backward;
    for (size_t i = 0; i < order.size(); ++i) {
        typeKey(VK_TAB, true);
        backward.push_back(focusedName());
    }
    const Lines expectedBackward{L"TabControl1", L"BitBtn10", L"BitBtn9",  L"BitBtn11",
                                 L"BitBtn4",     L"BitBtn3",  L"Memo1",    L"Edit1",
                                 L"BitBtn2",     L"BitBtn1",  L"ListView1"};
    EXPECT_EQ(backward, expectedBackward);
}

TEST_F(Form1Test, EscNeverClosesTheWindowAndEnterPressesTheFocusedButton) {
    startShown();
    HWND window = form().handle();
    press(L"BitBtn11");  // without a phone: a line in the log
    for (const wchar_t* name : {L"Memo1", L"ListView1", L"Edit1", L"BitBtn10", L"TabControl1"}) {
        SetFocus(control(name));
        typeKey(VK_ESCAPE);
        ASSERT_TRUE(IsWindow(window)) << "Esc in " << toUtf8(name) << " closed the window";
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(focusedName(), name);
    }
    // Enter in the log does nothing; on a button it presses it.
    SetFocus(control(L"Memo1"));
    typeKey(VK_RETURN);
    EXPECT_EQ(logLines(), Lines{L"Phone not connected"});
    SetFocus(control(L"BitBtn10"));
    typeKey(VK_RETURN);
    EXPECT_EQ(logLines(), Lines{});
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
    RECT listClient{};
    GetClientRect(control(L"ListView1"), &listClient);
    EXPECT_EQ(ListView_GetColumnWidth(control(L"ListView1"), 0) + 100, listClient.right)
        << "File(s) follows the list";
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

// The window destroys its menu bar with itself; nothing may destroy that handle again, since
// by then it may name another menu.
std::vector<HMENU>* destroyedMenus = nullptr;
BOOL(WINAPI* systemDestroyMenu)(HMENU) = nullptr;
BOOL WINAPI recordDestroyMenu(HMENU menu) {
    destroyedMenus->push_back(menu);
    return systemDestroyMenu(menu);
}

TEST_F(Form1Test, TheMenuBarIsDestroyedOnceWithTheWindow) {
    start();
    HMENU bar = GetMenu(form().handle());
    ASSERT_TRUE(IsMenu(bar));
    std::vector<HMENU> destroyed;
    destroyedMenus = &destroyed;
    {
        ImportHook hook("user32.dll", "DestroyMenu", reinterpret_cast<void*>(&recordDestroyMenu));
        ASSERT_TRUE(hook.installed());
        systemDestroyMenu = reinterpret_cast<BOOL(WINAPI*)(HMENU)>(hook.original());
        form_.reset();
    }
    destroyedMenus = nullptr;
    EXPECT_FALSE(IsMenu(bar)) << "the window destroys its bar";
    EXPECT_EQ(std::count(destroyed.begin(), destroyed.end(), bar), 0);
}

// A group box repaints only what was invalidated: pixels outside the update region, such as
// its caption, stay as they are.
TEST_F(Form1Test, AGroupBoxPaintsWithinTheUpdateRegionOnly) {
    startShown();
    HWND group = control(L"GroupBox2");
    UpdateWindow(form().handle());
    constexpr COLORREF marker = RGB(255, 0, 255);
    HDC dc = GetDC(group);
    const RECT marked{2, 2, 12, 12};
    HBRUSH brush = CreateSolidBrush(marker);
    FillRect(dc, &marked, brush);
    DeleteObject(brush);
    ASSERT_EQ(GetPixel(dc, 6, 6), marker);
    // Between the two buttons, which lie over the box.
    const RECT elsewhere{98, 24, 103, 50};
    InvalidateRect(group, &elsewhere, FALSE);
    UpdateWindow(group);
    EXPECT_EQ(GetPixel(dc, 6, 6), marker) << "a partial repaint wiped pixels outside its region";
    EXPECT_EQ(GetPixel(dc, 100, 40), GetSysColor(COLOR_BTNFACE)) << "the region is filled";
    ReleaseDC(group, dc);
}

}  // namespace
}  // namespace tonvale::testing
