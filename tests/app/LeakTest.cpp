// Rounds of the everyday commands must leave the process holding what it held before: every
// handle, GDI object and window a command makes is given back.
#include <algorithm>
#include <iostream>

#include "Form1Fixture.h"

namespace tonvale::testing {
namespace {

BOOL CALLBACK countWindow(HWND window, LPARAM count);

BOOL CALLBACK countChildWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, &countChildWindow, count);
    return TRUE;
}

// Wine answers GetProcessHandleCount and GetGuiResources with 0, so beside them the test counts
// for itself: kernel handles value by value, GDI objects by what is left of the process's own
// GDI table (filled with brushes and emptied again), windows of this thread with their children.
struct Resources {
    DWORD handleCount = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    int openHandles = 0;
    int freeGdiSlots = 0;
    int windows = 0;

    static Resources measure() {
        Resources now;
        GetProcessHandleCount(GetCurrentProcess(), &now.handleCount);
        now.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        now.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
        for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
            DWORD flags = 0;
            now.openHandles +=
                GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
        }
        std::vector<HBRUSH> brushes;
        while (brushes.size() < 1000000) {
            HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
            if (brush == nullptr) {
                break;
            }
            brushes.push_back(brush);
        }
        for (HBRUSH brush : brushes) {
            DeleteObject(brush);
        }
        now.freeGdiSlots = static_cast<int>(brushes.size());
        EnumThreadWindows(GetCurrentThreadId(), &countWindow,
                          reinterpret_cast<LPARAM>(&now.windows));
        return now;
    }
};

// Draws the window and every control into a picture, as they would be drawn on screen; the
// window stays hidden, which keeps the X server's timing out of the count.
BOOL CALLBACK drawControl(HWND control, LPARAM picture) {
    SendMessageW(control, WM_PRINT, static_cast<WPARAM>(picture),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    return TRUE;
}

void drawWindow(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    HDC screen = GetDC(nullptr);
    HDC picture = CreateCompatibleDC(screen);
    HBITMAP pixels =
        CreateCompatibleBitmap(screen, frame.right - frame.left, frame.bottom - frame.top);
    HGDIOBJ old = SelectObject(picture, pixels);
    drawControl(window, reinterpret_cast<LPARAM>(picture));
    EnumChildWindows(window, &drawControl, reinterpret_cast<LPARAM>(picture));
    SelectObject(picture, old);
    DeleteObject(pixels);
    DeleteDC(picture);
    ReleaseDC(nullptr, screen);
}

std::ostream& operator<<(std::ostream& out, const Resources& r) {
    return out << "GetProcessHandleCount " << r.handleCount << ", GetGuiResources GDI "
               << r.gdiObjects << " USER " << r.userObjects << "; counted: handles "
               << r.openHandles << ", free GDI slots " << r.freeGdiSlots << ", windows "
               << r.windows;
}

TEST_F(Form1Test, TwoHundredRoundsOfOpenUploadAndClearingGiveBackEveryHandle) {
    start(true);
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    press(L"BitBtn10");
    std::vector<fs::path> files;
    for (const wchar_t* name : {L"a.mid", L"b.mid", L"c.mid"}) {
        files.push_back(folder_ / name);
        writeBytes(files.back(), std::string(3000, 'x'));
    }
    // Clear files list empties the free-space figure: each round connects again first.
    auto round = [&] {
        press(L"BitBtn4");
        ASSERT_TRUE(waitForLogLine(L"Connected"));
        openFiles(files);
        press(L"BitBtn2");
        const auto log = logLines();
        ASSERT_EQ(std::count_if(log.begin(), log.end(),
                                [](const std::wstring& line) {
                                    return line.ends_with(L" was uploaded in phone");
                                }),
                  3);
        drawWindow(form().handle());
        press(L"BitBtn9");
        press(L"BitBtn10");
    };
    // The first rounds make what then lasts for the run: the list draws its first rows, the
    // controls their first texts.
    for (int i = 0; i < 5 && !HasFatalFailure(); ++i) {
        round();
    }
    ASSERT_FALSE(HasFatalFailure());
    const Resources before = Resources::measure();
    const DWORD started = GetTickCount();
    for (int i = 0; i < 200 && !HasFatalFailure(); ++i) {
        round();
    }
    const DWORD took = GetTickCount() - started;
    const Resources after = Resources::measure();
    std::cout << "before: " << before << "\nafter:  " << after << "\n200 rounds: " << took
              << " ms\n";
    // The threads' runtime gives a lock its wait event the first time two threads meet on it,
    // which is whenever the library's thread first meets the window's: one event a lock, once.
    constexpr int kLockEvents = 2;
    EXPECT_GE(after.openHandles, before.openHandles);
    EXPECT_LE(after.openHandles, before.openHandles + kLockEvents);
    EXPECT_LE(after.handleCount, before.handleCount + kLockEvents);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.userObjects, before.userObjects);
    EXPECT_EQ(after.freeGdiSlots, before.freeGdiSlots);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_GT(before.openHandles, 0);
    EXPECT_GT(before.freeGdiSlots, 0);
    EXPECT_GT(before.windows, 10) << "the form and its controls";
    EXPECT_TRUE(prompts_.errors.empty());
}

}  // namespace
}  // namespace tonvale::testing
