// Tray mode on the real main window: minimising, the icon's clicks and its menu, driven through
// the program's message loop. The icon is recorded; the tray menu is real and is chosen from
// with the keyboard while it is open.
#include <algorithm>

#include "Form1Fixture.h"
#include "OtherProcessWindows.h"
#include "Program.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;
using Calls = std::vector<std::string>;

BOOL CALLBACK findByClass(HWND window, LPARAM lParam) {
    auto* wanted = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(lParam);
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring_view(name) == wanted->first) {
        wanted->second = window;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of this thread; other test processes share the desktop.
HWND threadWindow(const wchar_t* className) {
    std::pair<const wchar_t*, HWND> wanted{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &findByClass, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

// Chooses an item from the tray menu while it is open, as the keyboard does; id 0 closes it.
struct MenuChoice {
    int id = 0;
    std::function<void()> whileOpen = {};  // once, when the menu has appeared
    bool appeared = false;
    RECT place{};
};

// One step each time the timer fires inside the menu's own loop.
void stepMenu(MenuChoice& choice) {
    HWND popup = threadWindow(L"#32768");
    if (popup == nullptr || !IsWindowVisible(popup)) {
        return;
    }
    if (!choice.appeared) {
        choice.appeared = true;
        GetWindowRect(popup, &choice.place);
        if (choice.whileOpen) {
            choice.whileOpen();
        }
    }
    auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    if (choice.id == 0) {
        EndMenu();
    } else if (GetMenuState(menu, static_cast<UINT>(choice.id), MF_BYCOMMAND) & MF_HILITE) {
        PostMessageW(popup, WM_CHAR, L'\r', 0);
    } else {
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    }
}

MenuChoice* openMenuChoice = nullptr;
void CALLBACK chooseFromOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (openMenuChoice != nullptr) {
        stepMenu(*openMenuChoice);
    }
}

class TrayModeTest : public Form1Test {
  protected:
    HWND window() { return form().handle(); }

    void minimise(WPARAM command) {
        PostMessageW(window(), WM_SYSCOMMAND, command, 0);
        pumpFor(30);
    }

    // Mouse messages of the icon, as the notification area reports them.
    void onIcon(std::initializer_list<UINT> mouseMessages) {
        ASSERT_EQ(tray_.window, window());
        for (UINT mouseMessage : mouseMessages) {
            PostMessageW(tray_.window, tray_.message, 1, static_cast<LPARAM>(mouseMessage));
        }
        pumpFor(30);
    }

    // Whatever the mouse messages do, a menu that opens is handled by `choice`.
    void onIconWithMenu(std::initializer_list<UINT> mouseMessages, MenuChoice& choice) {
        openMenuChoice = &choice;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &chooseFromOpenMenu);
        onIcon(mouseMessages);
        KillTimer(nullptr, timer);
        openMenuChoice = nullptr;
    }
};

TEST_F(TrayModeTest, OnlyTheExactMinimiseCodeHidesTheWindowIntoTheTray) {
    startShown();
    minimise(SC_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(window()));
    EXPECT_FALSE(IsIconic(window()));
    EXPECT_EQ(tray_.calls, Calls{"add"});
    EXPECT_EQ(tray_.window, window());

    // With a low bit set it is the system's ordinary minimise, onto the taskbar.
    form_.reset();
    tray_.calls.clear();
    startShown();
    minimise(SC_MINIMIZE | 1);
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_TRUE(IsIconic(window()));
    EXPECT_EQ(tray_.calls, Calls{});

    // Without a notification area to take the icon, the window must not vanish.
    form_.reset();
    tray_.calls.clear();
    tray_.refuse = true;
    startShown();
    minimise(SC_MINIMIZE);
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_TRUE(IsIconic(window()));
}

// Down and up on the icon restore the window as it was; the middle button, a lone release and
// the right button's press do nothing; a double click acts through its first click.
TEST_F(TrayModeTest, ALeftClickOnTheIconBringsTheWindowBackAsItWas) {
    startShown();
    openFiles({localFile(L"ring.mid", "r")});
    press(L"BitBtn10");
    press(L"BitBtn11");  // without a phone: a line in the log
    SetFocus(control(L"BitBtn10"));
    minimise(SC_MINIMIZE);

    MenuChoice noMenu;
    onIconWithMenu({WM_MBUTTONDOWN, WM_MBUTTONUP, WM_LBUTTONUP, WM_RBUTTONDOWN}, noMenu);
    EXPECT_FALSE(noMenu.appeared);
    EXPECT_FALSE(IsWindowVisible(window()));
    EXPECT_EQ(tray_.calls, Calls{"add"});

    onIcon({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ(GetForegroundWindow(), window());
    EXPECT_EQ(focusedName(), L"BitBtn10");
    EXPECT_EQ(tray_.calls, (Calls{"add", "remove"}));
    EXPECT_EQ(win::ListViewControl(control(L"ListView1")).itemText(0, 0), L"ring.mid");
    EXPECT_EQ(logLines(), Lines{L"Phone not connected"});
    EXPECT_EQ(panel(0), L"Status: Dinnected");
}

// "Show program" leaves tray mode too; a restarted Explorer gets the icon again, but only while
// the program is in the tray.
TEST_F(TrayModeTest, ShowProgramAndARestartedExplorer) {
    startShown();
    minimise(SC_MINIMIZE);
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageW(window(), taskbarCreated, 0, 0);
    EXPECT_EQ(tray_.calls, (Calls{"add", "add"}));
    choose(IdShowprogram1);
    EXPECT_TRUE(IsWindowVisible(window()));
    SendMessageW(window(), taskbarCreated, 0, 0);
    EXPECT_EQ(tray_.calls, (Calls{"add", "add", "remove"}));
}

// The menu opens where the pointer is when the right button comes up; a phone notification
// waits until it has closed; Connect runs as from the window and the program stays in the tray.
TEST_F(TrayModeTest, ConnectFromTheTrayMenuKeepsTrayMode) {
    start(true);
    form().show(SW_SHOW);
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    minimise(SC_MINIMIZE);
    P2KTest_ClearCallLog();
    SetCursorPos(200, 150);

    Lines logWhileOpen;
    MenuChoice connect{IdConnect1, [&] {
                           // A notification, handed over at once while the menu is open.
                           ConnectionRelay::onConnect();
                           SendMessageW(window(), TForm1::WM_PHONE_CONNECTED, 0, 0);
                           logWhileOpen = logLines();
                       }};
    onIconWithMenu({WM_RBUTTONDOWN, WM_RBUTTONUP}, connect);
    ASSERT_TRUE(connect.appeared);
    EXPECT_EQ(connect.place.left, 200);
    EXPECT_EQ(connect.place.top, 150);
    EXPECT_EQ(logWhileOpen, Lines{L"Connected"}) << "the notification waits for the menu";
    EXPECT_EQ(callLog().rfind("P2K_Init\n", 0), 0u) << callLog();
    // The waiting notification, then the one the new registration brings.
    EXPECT_TRUE(waitForLogLine(L"Connected", 3));
    EXPECT_FALSE(IsWindowVisible(window()));
    EXPECT_EQ(tray_.calls, Calls{"add"});
}

// The shell's own icon appears with tray mode, passes a left click on to the window, and goes
// with tray mode.
TEST_F(TrayModeTest, TheShellsIconTakesTheClickThatBringsTheWindowBack) {
    ShellTrayIcon shellIcon(GetModuleHandleW(nullptr));
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", false, &shellIcon});
    loop_.addForm(window());
    form().show(SW_SHOW);
    const std::vector<HWND> before = wineTrayIcons();
    minimise(SC_MINIMIZE);
    ASSERT_FALSE(IsWindowVisible(window()));
    ASSERT_TRUE(pumpUntil([&] { return wineTrayIcons().size() == before.size() + 1; }));
    HWND icon = nullptr;
    for (HWND candidate : wineTrayIcons()) {
        if (std::find(before.begin(), before.end(), candidate) == before.end()) {
            icon = candidate;
        }
    }

    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(pumpUntil([&] { return IsWindowVisible(window()) != FALSE; }));
    EXPECT_TRUE(pumpUntil([&] { return wineTrayIcons() == before; }));
}

// The Options dialog, open when the window goes to the tray, stays on screen with a taskbar
// button of its own, and gives it up when the window comes back.
TEST_F(TrayModeTest, AnOpenOptionsDialogKeepsATaskbarButtonInTrayMode) {
    startWithOptions();
    choose(IdOptions1);
    HWND dialog = options().handle();
    ASSERT_TRUE(IsWindowVisible(dialog));
    minimise(SC_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(window()));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ(GetForegroundWindow(), dialog);
    onIcon({WM_LBUTTONDOWN, WM_LBUTTONUP});
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

// The whole program, as the entry point runs it: the Options dialog is there, hidden, once the
// program waits for input, opens from the menu and takes Esc from the program's message loop; Exit
// from the tray menu ends the program and takes the icon away.
struct ProgramRun {
    RecordingTrayIcon* tray;
    int step = 0;
    int ticks = 0;
    HWND main = nullptr;
    HWND options = nullptr;
    bool optionsCreatedHidden = false;
    bool optionsClosedByEsc = false;
    MenuChoice exit{IdExit2};
};
ProgramRun* programRun = nullptr;

void CALLBACK driveProgram(HWND, UINT, UINT_PTR, DWORD) {
    ProgramRun* run = programRun;
    if (run == nullptr) {
        return;
    }
    if (++run->ticks > 300) {
        // Given up: end the run so that the test fails rather than hangs.
        EndMenu();
        PostQuitMessage(2);
        return;
    }
    switch (run->step) {
        case 0:
            run->main = threadWindow(L"TForm1");
            if (run->main == nullptr || !IsWindowVisible(run->main)) {
                return;
            }
            // Made once the program first waits for input.
            run->options = threadWindow(L"TForm2");
            if (run->options == nullptr) {
                return;
            }
            run->optionsCreatedHidden = run->options != nullptr && !IsWindowVisible(run->options) &&
                                        GetWindow(run->options, GW_OWNER) == run->main;
            PostMessageW(run->main, WM_COMMAND, MAKEWPARAM(IdOptions1, 0), 0);
            break;
        case 1:
            if (GetActiveWindow() != run->options || GetFocus() == nullptr) {
                return;
            }
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case 2:
            if (IsWindowVisible(run->options)) {
                return;
            }
            run->optionsClosedByEsc = true;
            PostMessageW(run->main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case 3:
            if (IsWindowVisible(run->main) || run->tray->calls.empty()) {
                return;
            }
            PostMessageW(run->main, run->tray->message, 1, WM_RBUTTONUP);
            break;
        default:
            stepMenu(run->exit);
            return;
    }
    ++run->step;
}

TEST_F(Form1Test, ExitFromTheTrayMenuEndsTheProgramAndRemovesTheIcon) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    ProgramRun run{&tray_};
    programRun = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, &driveProgram);
    const int code =
        runProgram(GetModuleHandleW(nullptr), SW_SHOW,
                   Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", true, &tray_});
    KillTimer(nullptr, timer);
    programRun = nullptr;
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(run.optionsCreatedHidden);
    EXPECT_TRUE(run.optionsClosedByEsc);
    EXPECT_TRUE(run.exit.appeared);
    EXPECT_FALSE(IsWindow(run.main));
    EXPECT_EQ(tray_.calls, (Calls{"add", "remove"}));
    EXPECT_TRUE(prompts_.errors.empty());
}

}  // namespace
}  // namespace tonvale::testing
