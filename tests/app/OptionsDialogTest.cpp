// The Options dialog beside the real main window: its layout read back from the live window, the
// keyboard as typed through the program's message loop, and what OK and No store.
#include <windowsx.h>

#include "Form1Fixture.h"
#include "HeldFile.h"
#include "Utf8.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

class OptionsDialogTest : public Form1Test {
  protected:
    HWND dialog() { return options().handle(); }
    HWND item(const wchar_t* name) { return options().control(name); }
    std::wstring itemText(const wchar_t* name) { return win::Control(item(name)).text(); }

    // Configuration > Options..., until the dialog has the keyboard.
    void openOptions() {
        choose(IdOptions1);
        ASSERT_TRUE(pumpUntil([this] { return GetActiveWindow() == dialog(); }));
    }

    // Types text into the control that has the focus, a character at a time.
    void typeText(const std::wstring& text) {
        HWND target = GetFocus();
        for (wchar_t character : text) {
            PostMessageW(target, WM_CHAR, character, 1);
        }
        pumpFor(20);
    }

    std::wstring focusedItem() {
        HWND focus = GetFocus();
        for (const wchar_t* name :
             {L"BitBtn1", L"Edit2", L"BitBtn2", L"BitBtn3", L"RadioGroup1", L"RadioGroup2",
              L"GroupBox1", L"CheckBox1", L"Edit3", L"Edit4"}) {
            if (focus != nullptr && focus == item(name)) {
                return name;
            }
        }
        return focus == nullptr ? L"" : L"another window";
    }

    RECT frame(HWND window) {
        RECT place{};
        GetWindowRect(window, &place);
        return place;
    }
};

DWORD styleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

TEST_F(OptionsDialogTest, IsAHiddenToolWindowCentredOnTheMainWindowAtItsFirstShowingOnly) {
    startWithOptions();
    EXPECT_FALSE(IsWindowVisible(dialog())) << "created hidden";
    EXPECT_EQ(GetWindow(dialog(), GW_OWNER), form().handle());
    wchar_t caption[64] = {};
    GetWindowTextW(dialog(), caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Options");
    RECT client{};
    GetClientRect(dialog(), &client);
    EXPECT_EQ(client.right, 441) << "wider by the pictures' group";
    EXPECT_EQ(client.bottom, 282);
    EXPECT_TRUE(GetWindowLongPtrW(dialog(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(styleOf(dialog()) & WS_SYSMENU) << "the close box";
    EXPECT_FALSE(styleOf(dialog()) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(item(L"Edit2"), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72)) << "8 points";
    ReleaseDC(nullptr, screen);

    // The main window sits elsewhere than the screen's centre, so centring on the screen fails.
    SetWindowPos(form().handle(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    openOptions();
    const RECT main = frame(form().handle());
    RECT shown = frame(dialog());
    EXPECT_NEAR(shown.left + shown.right, main.left + main.right, 2);
    EXPECT_NEAR(shown.top + shown.bottom, main.top + main.bottom, 2);

    // Moved by the user, it comes back where it was left.
    SetWindowPos(dialog(), nullptr, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    typeKey(VK_ESCAPE);
    ASSERT_FALSE(IsWindowVisible(dialog()));
    openOptions();
    shown = frame(dialog());
    EXPECT_EQ(shown.left, 600);
    EXPECT_EQ(shown.top, 400);
}

TEST_F(OptionsDialogTest, ControlsSitWhereTheDesignerPutThemWithTheirTextsAndStates) {
    startWithOptions();
    struct Placement {
        const wchar_t* name;
        const wchar_t* container;  // nullptr for the dialog itself
        int left, top, width, height;
        const wchar_t* text;
        bool enabled;
    };
    const Placement placements[] = {
        {L"GroupBox1", nullptr, 8, 8, 233, 49, L"OpenDialog InitialDir:", true},
        {L"Edit2", L"GroupBox1", 8, 16, 217, 21, L"", true},
        {L"RadioGroup1", nullptr, 8, 64, 233, 105, L"Default Tab:", false},
        {L"RadioGroup2", nullptr, 8, 176, 233, 65, L"Connect Tipe:", false},
        {L"BitBtn1", nullptr, 8, 248, 75, 25, L"OK", true},
        {L"BitBtn2", nullptr, 88, 248, 75, 25, L"&No", true},
        {L"BitBtn3", nullptr, 168, 248, 75, 25, L"&Defaults", false},
        {L"GroupBox2", nullptr, 248, 8, 185, 73, L"Pictures:", true},
        {L"CheckBox1", L"GroupBox2", 8, 18, 169, 17, L"&Fit to the phone's screen", true},
        {L"Edit3", L"GroupBox2", 48, 41, 41, 21, L"176", true},
        {L"Edit4", L"GroupBox2", 107, 41, 41, 21, L"220", true},
    };
    for (const Placement& expected : placements) {
        SCOPED_TRACE(toUtf8(expected.name));
        ASSERT_NE(item(expected.name), nullptr);
        RECT container{};
        if (expected.container != nullptr) {
            container = rectInForm(dialog(), item(expected.container));
        }
        const RECT actual = rectInForm(dialog(), item(expected.name));
        EXPECT_EQ(actual.left - container.left, expected.left);
        EXPECT_EQ(actual.top - container.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.width);
        EXPECT_EQ(actual.bottom - actual.top, expected.height);
        EXPECT_EQ(itemText(expected.name), expected.text);
        EXPECT_EQ(IsWindowEnabled(item(expected.name)) != FALSE, expected.enabled);
    }
    // Each group's items, top to bottom, lie inside it, disabled and none selected.
    const std::pair<const wchar_t*, Lines> groups[] = {
        {L"RadioGroup1", {L"Picture", L"Music", L"Video", L"Palette", L"Menu"}},
        {L"RadioGroup2", {L"Auto", L"On Button"}},
    };
    for (const auto& [group, expectedItems] : groups) {
        SCOPED_TRACE(toUtf8(group));
        const RECT box = rectInForm(dialog(), item(group));
        Lines items;
        int lastTop = box.top;
        for (HWND child = GetWindow(dialog(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const RECT place = rectInForm(dialog(), child);
            if ((styleOf(child) & BS_TYPEMASK) != BS_AUTORADIOBUTTON || place.top < box.top ||
                place.bottom > box.bottom) {
                continue;
            }
            items.push_back(win::Control(child).text());
            EXPECT_GT(place.top, lastTop);
            lastTop = place.top;
            EXPECT_GE(place.left, box.left);
            EXPECT_LE(place.right, box.right);
            EXPECT_FALSE(IsWindowEnabled(child));
            EXPECT_EQ(SendMessageW(child, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        }
        EXPECT_EQ(items, expectedItems);
    }
    // The buttons' pictures fit their height.
    for (const wchar_t* button : {L"BitBtn1", L"BitBtn2", L"BitBtn3"}) {
        const SIZE picture = buttonPictureSize(item(button));
        EXPECT_EQ(picture.cx, 16) << toUtf8(button);
        EXPECT_EQ(picture.cy, 16) << toUtf8(button);
    }
}

// Tab and Shift+Tab walk OK, the field and No, passing the disabled controls by; Enter presses
// OK, or the focused No; Esc presses No; a later showing gives the focus back where it was.
TEST_F(OptionsDialogTest, TheKeyboardWalksTheDialogAndEnterAndEscCloseIt) {
    startWithOptions();
    openOptions();
    EXPECT_EQ(focusedItem(), L"BitBtn1") << "OK has the focus at the first showing";
    Lines forward;
    for (int i = 0; i < 3; ++i) {
        typeKey(VK_TAB);
        forward.push_back(focusedItem());
    }
    EXPECT_EQ(forward, (Lines{L"Edit2", L"BitBtn2", L"CheckBox1"}));
    for (int i = 0; i < 3; ++i) {
        typeKey(VK_TAB);
        forward.push_back(focusedItem());
    }
    EXPECT_EQ(forward, (Lines{L"Edit2", L"BitBtn2", L"CheckBox1", L"Edit3", L"Edit4", L"BitBtn1"}));
    Lines backward;
    for (int i = 0; i < 6; ++i) {
        typeKey(VK_TAB, true);
        backward.push_back(focusedItem());
    }
    EXPECT_EQ(backward,
              (Lines{L"Edit4", L"Edit3", L"CheckBox1", L"BitBtn2", L"Edit2", L"BitBtn1"}));
    // The disabled controls keep their places in the order, after No, for when they work.
    Lines stops;
    for (HWND child = GetWindow(dialog(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (styleOf(child) & WS_TABSTOP) {
            stops.push_back(win::Control(child).text());
        }
    }
    EXPECT_EQ(stops, (Lines{L"OK", L"", L"&No", L"&Defaults", L"Picture", L"Auto",
                            L"&Fit to the phone's screen", L"176", L"220"}));

    // Enter in the field is OK: stored, hidden.
    typeKey(VK_TAB);
    typeText(L"C:\\Tones");
    typeKey(VK_RETURN);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Tones");
    EXPECT_EQ(readBytes(settingsPath_),
              "[Options]\r\nInitialDir=C:\\Tones\r\n"
              "FitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n");

    // Back in the field; Esc is No.
    openOptions();
    EXPECT_EQ(focusedItem(), L"Edit2");
    typeText(L"\\More");
    typeKey(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Tones");

    // Enter on the focused No presses No.
    openOptions();
    typeKey(VK_TAB);
    ASSERT_EQ(focusedItem(), L"BitBtn2");
    typeKey(VK_RETURN);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(readBytes(settingsPath_),
              "[Options]\r\nInitialDir=C:\\Tones\r\n"
              "FitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n");
    EXPECT_EQ(itemText(L"Edit2"), L"C:\\Tones\\More");
    EXPECT_TRUE(prompts_.errors.empty());
}

// The file keeps the folder as typed, blanks and trailing backslash included; the file dialog
// takes it at once as the next start reads it back.
TEST_F(OptionsDialogTest, OkStoresTheFolderAndTheNextStartReadsItBack) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=C:\\Music\r\n[Other]\r\nKey=1\r\n");
    startWithOptions();
    openOptions();
    EXPECT_EQ(itemText(L"Edit2"), L"") << "the field is not filled from the file";
    SetWindowTextW(item(L"Edit2"), L" D:\\Ring tones\\");
    SendMessageW(item(L"BitBtn1"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(form().openDialog().initialDir, L"D:\\Ring tones");
    EXPECT_EQ(
        readBytes(settingsPath_),
        "[Options]\r\nInitialDir= D:\\Ring tones\\\r\n"
        "FitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n[Other]\r\nKey=1\r\n\r\n");
    openOptions();
    EXPECT_EQ(itemText(L"Edit2"), L" D:\\Ring tones\\") << "kept for the next showing";

    form_.reset();
    start();
    EXPECT_EQ(form().openDialog().initialDir, L"D:\\Ring tones");
}

TEST_F(OptionsDialogTest, OkWithAnEmptyFieldStoresAnEmptyValue) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=C:\\Music\r\n");
    startWithOptions();
    ASSERT_EQ(form().openDialog().initialDir, L"C:\\Music");
    openOptions();
    typeKey(VK_RETURN);
    EXPECT_EQ(form().openDialog().initialDir, L"");
    EXPECT_EQ(readBytes(settingsPath_),
              "[Options]\r\nInitialDir=\r\n"
              "FitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n");
}

// The pictures' controls show what the file holds at the first showing; OK stores them with the
// folder, and the next start reads them back. A screen size out of range keeps the dialog open
// with a box saying what the field takes, and stores nothing.
TEST_F(OptionsDialogTest, ThePicturesOptionIsStoredAndReadBackAndABadSizeIsRefused) {
    writeBytes(settingsPath_,
               "[Options]\r\nFitPictures=1\r\nScreenWidth=240\r\nScreenHeight=x\r\n");
    startWithOptions();
    openOptions();
    EXPECT_EQ(Button_GetCheck(item(L"CheckBox1")), BST_CHECKED);
    EXPECT_EQ(itemText(L"Edit3"), L"240");
    EXPECT_EQ(itemText(L"Edit4"), L"220") << "a value the file cannot vouch for is the default";

    const std::string saved = readBytes(settingsPath_);
    SetWindowTextW(item(L"Edit4"), L"4097");
    typeKey(VK_RETURN);
    EXPECT_TRUE(IsWindowVisible(dialog()));
    ASSERT_EQ(prompts_.refusals.size(), 1u);
    EXPECT_EQ(prompts_.refusals[0].text,
              L"The screen's height takes a whole number of pixels from 16 to 4096.");
    EXPECT_EQ(prompts_.refusals[0].owner, dialog());
    EXPECT_EQ(focusedItem(), L"Edit4");
    EXPECT_EQ(readBytes(settingsPath_), saved);
    EXPECT_EQ(form().pictureOptions(), (PictureOptions{true, 240, 220}));

    typeText(L"320");
    SetFocus(item(L"CheckBox1"));
    typeKey(VK_SPACE);
    typeKey(VK_RETURN);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(form().pictureOptions(), (PictureOptions{false, 240, 320}));
    EXPECT_EQ(readBytes(settingsPath_),
              "[Options]\r\nFitPictures=0\r\nScreenWidth=240\r\nScreenHeight=320\r\n"
              "InitialDir=\r\n\r\n");

    options_.reset();
    form_.reset();
    startWithOptions();
    EXPECT_EQ(form().pictureOptions(), (PictureOptions{false, 240, 320}));
    openOptions();
    EXPECT_EQ(Button_GetCheck(item(L"CheckBox1")), BST_UNCHECKED);
    EXPECT_EQ(itemText(L"Edit4"), L"320");
}

// No and the close box store nothing and change nothing, but the typed text stays.
TEST_F(OptionsDialogTest, NoAndTheCloseBoxStoreNothingButKeepTheTypedText) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=C:\\Music\r\n");
    startWithOptions();
    const std::string saved = readBytes(settingsPath_);
    for (bool closeBox : {false, true}) {
        openOptions();
        SetFocus(item(L"Edit2"));
        typeText(closeBox ? L"Y" : L"X");
        if (closeBox) {
            SendMessageW(dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            SendMessageW(item(L"BitBtn2"), BM_CLICK, 0, 0);
        }
        EXPECT_FALSE(IsWindowVisible(dialog()));
        EXPECT_TRUE(IsWindow(dialog())) << "hidden, not destroyed";
    }
    EXPECT_EQ(itemText(L"Edit2"), L"XY");
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Music");
    EXPECT_EQ(readBytes(settingsPath_), saved);
}

// The save fails after the folder was handed on: the error box over the dialog, which stays
// open, and the file as it was.
TEST_F(OptionsDialogTest, AnUnwritableSettingsFileStopsOkWithTheRuntimesMessage) {
    startWithOptions();
    openOptions();
    SetWindowTextW(item(L"Edit2"), L"C:\\Video");
    {
        HeldFile other(settingsPath_, FILE_SHARE_READ);
        ASSERT_TRUE(other.held());
        typeKey(VK_RETURN);
    }
    ASSERT_EQ(prompts_.errors.size(), 1u);
    const ShownBox& box = prompts_.errors[0];
    const std::wstring expectedStart = L"Cannot create file \"" + settingsPath_.wstring() + L"\". ";
    EXPECT_EQ(box.text.rfind(expectedStart, 0), 0u) << toUtf8(box.text);
    EXPECT_GT(box.text.size(), expectedStart.size()) << "the system's reason follows";
    EXPECT_EQ(box.title, L"app_tests");
    EXPECT_EQ(box.owner, dialog());
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Video");
    EXPECT_TRUE(IsWindowVisible(dialog()));
    EXPECT_EQ(readBytes(settingsPath_), "");
}

// Real mouse clicks: the enabled field takes the focus, the disabled controls take nothing.
TEST_F(OptionsDialogTest, TheDisabledControlsRefuseInput) {
    startWithOptions();
    openOptions();
    auto click = [&](const wchar_t* name) {
        RECT place{};
        GetWindowRect(item(name), &place);
        SetCursorPos((place.left + place.right) / 2, (place.top + place.bottom) / 2);
        INPUT clicks[2] = {};
        clicks[0].type = clicks[1].type = INPUT_MOUSE;
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        pumpFor(50);
    };
    for (const wchar_t* name : {L"RadioGroup1Item1", L"RadioGroup2Item0", L"BitBtn3"}) {
        click(name);
        EXPECT_EQ(focusedItem(), L"BitBtn1") << toUtf8(name);
        EXPECT_EQ(SendMessageW(item(name), BM_GETCHECK, 0, 0), BST_UNCHECKED) << toUtf8(name);
    }
    click(L"Edit2");
    EXPECT_EQ(focusedItem(), L"Edit2") << "a click reaches an enabled control";
    EXPECT_TRUE(IsWindowVisible(dialog()));
}

// Options brings the dialog to the front each time; the main window stays usable meanwhile.
TEST_F(OptionsDialogTest, OptionsBringsTheDialogToTheFrontAndBothWindowsStayUsable) {
    startWithOptions();
    openOptions();
    EXPECT_TRUE(IsWindowEnabled(form().handle()));
    press(L"BitBtn11");  // without a phone: a line in the log
    SetForegroundWindow(form().handle());
    ASSERT_TRUE(pumpUntil([this] { return GetActiveWindow() == form().handle(); }));
    SetFocus(control(L"BitBtn10"));
    typeKey(VK_RETURN);
    EXPECT_EQ(logLines(), Lines{}) << "the main window takes its keys";
    EXPECT_TRUE(IsWindowVisible(dialog()));
    openOptions();
    EXPECT_EQ(GetForegroundWindow(), dialog());
}

// The system's boxes disable only their owner, the main window: the dialog is held off by hand,
// and takes input again however the box ends.
TEST_F(OptionsDialogTest, TakesNoInputWhileTheOpenDialogOrAnErrorBoxIsUp) {
    startWithOptions();
    openOptions();
    std::vector<bool> enabledWhileUp;
    prompts_.whileChoosing = [&] { enabledWhileUp.push_back(IsWindowEnabled(dialog()) != FALSE); };
    prompts_.whileErrorIsOpen = [&] {
        enabledWhileUp.push_back(IsWindowEnabled(dialog()) != FALSE);
    };
    press(L"BitBtn1");  // cancelled
    EXPECT_TRUE(IsWindowEnabled(dialog()));
    openFiles({folder_ / L"missing.mid"});  // chosen, then refused with the error box
    EXPECT_EQ(prompts_.errors.size(), 1u);
    EXPECT_EQ(enabledWhileUp, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(IsWindowEnabled(dialog()));
}

}  // namespace
}  // namespace tonvale::testing
