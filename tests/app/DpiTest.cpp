// The windows at the display scale of the run: Wine takes it from LogPixels in the prefix, and
// `make test` runs this file at 96, 120 and 144 DPI, telling it which in TONVALE_DPI. Every
// length of the 96-DPI design is expected at MulDiv(length, dpi, 96), within 2 pixels.
#include <cstdlib>

#include "Form1Fixture.h"
#include "Utf8.h"
#include "win/Dpi.h"

namespace tonvale::testing {
namespace {

int runDpi() {
    const char* dpi = std::getenv("TONVALE_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

// A 96-DPI rectangle in a form's client area: left, top, width, height.
struct Design {
    const wchar_t* name;
    int left, top, width, height;
};

int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

class DpiTest : public Form1Test {
  protected:
    void SetUp() override {
        dpi_ = runDpi();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    int at(int designLength) const { return MulDiv(designLength, dpi_, 96); }
    int at(int designLength, int dpi) const { return MulDiv(designLength, dpi, 96); }

    void expectPlaces(HWND form, const std::vector<Design>& designs,
                      const std::function<HWND(const wchar_t*)>& find, int dpi) {
        for (const Design& design : designs) {
            SCOPED_TRACE(toUtf8(design.name));
            const RECT actual = rectInForm(form, find(design.name));
            EXPECT_NEAR(actual.left, at(design.left, dpi), 2);
            EXPECT_NEAR(actual.top, at(design.top, dpi), 2);
            EXPECT_NEAR(actual.right - actual.left, at(design.width, dpi), 2);
            EXPECT_NEAR(actual.bottom - actual.top, at(design.height, dpi), 2);
        }
    }
    void expectMainWindowAt(int dpi) {
        HWND window = form().handle();
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_NEAR(client.right, at(749, dpi), 2);
        EXPECT_NEAR(client.bottom, at(486, dpi), 2);
        expectPlaces(
            window, kMainWindow, [this](const wchar_t* name) { return control(name); }, dpi);
        const std::vector<int> edges =
            win::StatusBarControl(control(L"StatusBar1")).panelRightEdges();
        ASSERT_EQ(edges.size(), 4u);
        const int widths[] = {100, 80, 170, 50};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(edges[i] - (i > 0 ? edges[i - 1] : 0), at(widths[i], dpi), 2) << i;
        }
        const win::ListViewControl list(control(L"ListView1"));
        EXPECT_NEAR(list.columnWidth(1), at(50, dpi), 2);
        EXPECT_NEAR(list.columnWidth(2), at(50, dpi), 2);
        EXPECT_EQ(buttonPictureSize(control(L"BitBtn1")).cx, at(32, dpi));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        LOGFONTW controlFont{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(L"BitBtn1"), WM_GETFONT, 0, 0)),
                   sizeof controlFont, &controlFont);
        EXPECT_EQ(controlFont.lfHeight, -MulDiv(8, dpi, 72)) << "MS Sans Serif at 8 points";
    }

    int dpi_ = 96;
    const std::vector<Design> kMainWindow{
        {L"TabControl1", 0, 0, 749, 467},     {L"GroupBox2", 8, 40, 201, 65},
        {L"BitBtn1", 16, 56, 89, 41},         {L"BitBtn2", 112, 56, 89, 41},
        {L"GroupBox4", 216, 40, 297, 65},     {L"BitBtn4", 224, 56, 89, 41},
        {L"BitBtn3", 320, 56, 89, 41},        {L"BitBtn11", 416, 56, 89, 41},
        {L"GroupBox3", 520, 40, 113, 49},     {L"Edit1", 528, 56, 97, 21},
        {L"ListView1", 8, 111, 279, 344},     {L"Memo1", 294, 111, 447, 322},
        {L"ProgressBar1", 296, 440, 281, 17}, {L"BitBtn9", 584, 440, 75, 17},
        {L"BitBtn10", 664, 440, 73, 17},      {L"StatusBar1", 0, 467, 749, 19},
    };
};

TEST_F(DpiTest, TheMainWindowAndEveryControlFollowTheScale) {
    startShown();
    EXPECT_EQ(win::dpiOfWindow(form().handle()), dpi_) << "the run's LogPixels";
    expectMainWindowAt(dpi_);
    // Centred on the screen.
    RECT frame{};
    GetWindowRect(form().handle(), &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2);

    // Maximised, the anchored controls keep their scaled distances to the edges.
    ShowWindow(form().handle(), SW_MAXIMIZE);
    RECT client{};
    GetClientRect(form().handle(), &client);
    const RECT bar = rectInForm(form().handle(), control(L"BitBtn10"));
    EXPECT_NEAR(client.right - bar.right, at(749 - 737), 2);
    EXPECT_NEAR(client.bottom - bar.bottom, at(486 - 457), 2);
}

TEST_F(DpiTest, TheOptionsDialogFollowsTheScale) {
    startWithOptions();
    RECT client{};
    GetClientRect(options().handle(), &client);
    EXPECT_NEAR(client.right, at(441), 2);
    EXPECT_NEAR(client.bottom, at(282), 2);
    expectPlaces(
        options().handle(),
        {{L"BitBtn1", 8, 248, 75, 25},
         {L"GroupBox1", 8, 8, 233, 49},
         {L"Edit2", 16, 24, 217, 21},
         {L"RadioGroup2", 8, 176, 233, 65},
         {L"GroupBox2", 248, 8, 185, 73},
         {L"Edit4", 355, 49, 41, 21}},
        [this](const wchar_t* name) { return options().control(name); }, dpi_);
    EXPECT_EQ(buttonPictureSize(options().control(L"BitBtn1")).cx, at(16));

    // Moved to a monitor of another scale, it takes the suggested size and lays itself out.
    const int other = dpi_ == 144 ? 96 : 144;
    RECT frame{};
    GetWindowRect(options().handle(), &frame);
    RECT suggested{0, 0, at(441, other), at(282, other)};
    win::adjustFrameForDpi(
        suggested, static_cast<DWORD>(GetWindowLongPtrW(options().handle(), GWL_STYLE)), false,
        static_cast<DWORD>(GetWindowLongPtrW(options().handle(), GWL_EXSTYLE)), other);
    OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
    SendMessageW(options().handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    GetClientRect(options().handle(), &client);
    EXPECT_NEAR(client.right, at(441, other), 2);
    EXPECT_NEAR(client.bottom, at(282, other), 2);
    expectPlaces(
        options().handle(), {{L"BitBtn2", 88, 248, 75, 25}},
        [this](const wchar_t* name) { return options().control(name); }, other);
    EXPECT_EQ(buttonPictureSize(options().control(L"BitBtn1")).cx, at(16, other));
}

// A caption is whole when its text, in the control's own font, fits the room the control
// gives it: a button's width less its edges and picture, a group's less its corners, a tab's
// item less its picture, a status panel less its borders.
TEST_F(DpiTest, NoCaptionIsCut) {
    startWithOptions();
    std::vector<std::pair<HWND, std::wstring>> buttons;
    for (const wchar_t* name :
         {L"BitBtn1", L"BitBtn2", L"BitBtn3", L"BitBtn4", L"BitBtn11", L"BitBtn9", L"BitBtn10"}) {
        buttons.push_back({control(name), text(name)});
    }
    for (const wchar_t* name : {L"BitBtn1", L"BitBtn2", L"BitBtn3"}) {
        buttons.push_back({options().control(name), win::Control(options().control(name)).text()});
    }
    for (const auto& [button, caption] : buttons) {
        SCOPED_TRACE(toUtf8(caption));
        RECT client{};
        GetClientRect(button, &client);
        const int picture = buttonPictureSize(button).cx;
        const int room = client.right - at(8) - (picture > 0 ? picture + at(4) : 0);
        EXPECT_LE(textWidth(button, caption), room);
    }
    for (HWND group : {control(L"GroupBox2"), control(L"GroupBox3"), control(L"GroupBox4"),
                       options().control(L"GroupBox1"), options().control(L"RadioGroup1"),
                       options().control(L"RadioGroup2"), options().control(L"GroupBox2")}) {
        const std::wstring caption = win::Control(group).text();
        SCOPED_TRACE(toUtf8(caption));
        RECT client{};
        GetClientRect(group, &client);
        EXPECT_LE(textWidth(group, caption), client.right - at(16));
    }
    // The check box's caption beside its box.
    HWND fit = options().control(L"CheckBox1");
    RECT fitClient{};
    GetClientRect(fit, &fitClient);
    EXPECT_LE(textWidth(fit, win::Control(fit).text()) + at(16), fitClient.right);
    HWND tabs = control(L"TabControl1");
    const win::TabControl tabControl(tabs);
    for (int i = 0; i < tabControl.tabCount(); ++i) {
        SCOPED_TRACE(toUtf8(tabControl.tabCaption(i)));
        RECT item{};
        TabCtrl_GetItemRect(tabs, i, &item);
        EXPECT_LE(textWidth(tabs, tabControl.tabCaption(i)) + at(32), item.right - item.left);
    }
    // Every text a panel shows, in the narrowest panel that shows it.
    HWND bar = control(L"StatusBar1");
    const std::vector<int> edges = win::StatusBarControl(bar).panelRightEdges();
    const std::pair<int, const wchar_t*> panels[] = {{0, L"Status: Connected"},
                                                     {0, L"Status: Dinnected"},
                                                     {1, L"Phone: E398"},
                                                     {1, L"Phone: xxx"},
                                                     {2, L"Volume: /a, Free: 32767 Kb"},
                                                     {2, L"Volume: /a, Free: xxx Kbytes"}};
    for (const auto& [panel, caption] : panels) {
        SCOPED_TRACE(toUtf8(caption));
        const int width = edges[static_cast<size_t>(panel)] -
                          (panel > 0 ? edges[static_cast<size_t>(panel) - 1] : 0);
        EXPECT_LE(textWidth(bar, caption), width - at(4));
    }
}

// Windows tells a window that moved to a monitor of another scale with WM_DPICHANGED and the
// rectangle it suggests; the window takes it and lays itself out, font and pictures too.
TEST_F(DpiTest, MovingToAMonitorOfAnotherScaleRedrawsTheWindowAtIt) {
    startShown();
    const int other = dpi_ == 144 ? 96 : 144;
    RECT frame{};
    GetWindowRect(form().handle(), &frame);
    RECT suggested{0, 0, at(749, other), at(486, other)};
    win::adjustFrameForDpi(suggested,
                           static_cast<DWORD>(GetWindowLongPtrW(form().handle(), GWL_STYLE)), true,
                           0, other);
    OffsetRect(&suggested, frame.left - suggested.left, frame.top - suggested.top);
    SendMessageW(form().handle(), WM_DPICHANGED, MAKEWPARAM(other, other),
                 reinterpret_cast<LPARAM>(&suggested));
    expectMainWindowAt(other);

    RECT back{0, 0, at(749), at(486)};
    win::adjustFrameForDpi(back, static_cast<DWORD>(GetWindowLongPtrW(form().handle(), GWL_STYLE)),
                           true, 0, dpi_);
    OffsetRect(&back, frame.left - back.left, frame.top - back.top);
    SendMessageW(form().handle(), WM_DPICHANGED, MAKEWPARAM(dpi_, dpi_),
                 reinterpret_cast<LPARAM>(&back));
    expectMainWindowAt(dpi_);
}

}  // namespace
}  // namespace tonvale::testing
