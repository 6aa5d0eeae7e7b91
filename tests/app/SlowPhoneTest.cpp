// The window while a phone that writes at a real phone's pace takes seconds for one file: the
// upload still runs inside its handler, but the window paints, shows the wait cursor and its
// progress on the taskbar button, and never lets Windows take it for hung.
#include <algorithm>
#include <thread>

#include "Form1Fixture.h"
#include "ImportHook.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;
using Clock = std::chrono::steady_clock;

class RecordingTaskbarProgress final : public TaskbarProgress {
  public:
    std::vector<uint64_t> shown;  // the bytes done, at every showing
    uint64_t total = 0;
    int clears = 0;

    void show(HWND, uint64_t done, uint64_t of) override {
        shown.push_back(done);
        total = of;
    }
    void clear(HWND) override { ++clears; }
};

// Windows marks a window "Not Responding" and ghosts it when its thread has not looked at its
// queue (GetMessage or PeekMessage) for 5 seconds; Wine never does, so the test times the looks.
std::vector<Clock::time_point>* looksAtTheQueue = nullptr;
ImportHook* peekHook = nullptr;

BOOL WINAPI recordPeekMessage(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    if (looksAtTheQueue != nullptr) {
        looksAtTheQueue->push_back(Clock::now());
    }
    return reinterpret_cast<decltype(&PeekMessageW)>(peekHook->original())(message, window, first,
                                                                           last, remove);
}

bool anyUpdateRegion(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return true;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (anyUpdateRegion(child)) {
            return true;
        }
    }
    return false;
}

// Looks at the window from inside the upload, at each write the program asks of the phone.
class PhoneWatchingTheWindow final : public ForwardingPhone {
  public:
    using ForwardingPhone::ForwardingPhone;
    HWND window = nullptr;
    HWND list = nullptr;
    HWND clearLog = nullptr;
    int writes = 0;
    bool waitCursorAtEveryWrite = true;
    bool waitCursorSetForAChild = false;
    bool paintedWhenUncovered = false;
    std::thread sender;

    int writeFile(const void* data, uint32_t length) override {
        ++writes;
        const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
        waitCursorAtEveryWrite = waitCursorAtEveryWrite && GetCursor() == wait;
        if (writes == 2) {
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            SendMessageW(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            waitCursorSetForAChild = GetCursor() == wait;
            // A command sent from elsewhere meanwhile waits for the upload, as a click does.
            sender = std::thread([this] {
                SendMessageW(window, WM_COMMAND, MAKEWPARAM(IdBitBtn10, BN_CLICKED),
                             reinterpret_cast<LPARAM>(clearLog));
            });
        }
        if (writes == 3) {
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        if (writes == 4) {
            paintedWhenUncovered = !anyUpdateRegion(window);
        }
        return real_.writeFile(data, length);
    }
};

TEST_F(Form1Test, AtAPhonesPaceTheWindowPaintsShowsProgressAndTheWaitCursorAndNeverHangs) {
    const fs::path ini = folder_ / L"p2kapi.ini";
    writeBytes(ini, "[Phone]\r\nRoot=" + phoneRoot_.string() +
                        "\r\nAttachDelayMs=0\r\nWriteKiBPerSecond=50\r\n");
    P2KTest_ResetFromIni(ini.c_str());
    RecordingTaskbarProgress taskbar;
    PhoneWatchingTheWindow phone(phone_);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone, &prompts_, settingsPath_, L"app_tests", false, nullptr, &taskbar});
    loop_.addForm(form_->handle());
    form_->show(SW_SHOW);
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    const std::string contents(1024 * 1024, 'p');
    openFiles({localFile(L"a.bin", contents)});
    press(L"BitBtn10");
    phone.window = form_->handle();
    phone.list = control(L"ListView1");
    phone.clearLog = control(L"BitBtn10");

    std::vector<Clock::time_point> looks;
    ImportHook hook("user32.dll", "PeekMessageW", reinterpret_cast<void*>(&recordPeekMessage));
    ASSERT_TRUE(hook.installed());
    peekHook = &hook;
    looksAtTheQueue = &looks;
    const auto started = Clock::now();
    press(L"BitBtn2");
    const auto ended = Clock::now();
    looksAtTheQueue = nullptr;
    phone.sender.join();

    EXPECT_EQ(logLines(), (Lines{L"2 files found in phone", L"a.bin was uploaded in phone",
                                 L"3 files found in phone"}));
    EXPECT_TRUE(readBytes(onPhone(L"picture", L"a.bin")) == contents);
    EXPECT_EQ(phone.writes, 17);
    looks.insert(looks.begin(), started);
    looks.push_back(ended);
    Clock::duration longestWithoutALook{};
    for (size_t i = 1; i < looks.size(); ++i) {
        longestWithoutALook = std::max(longestWithoutALook, looks[i] - looks[i - 1]);
    }
    EXPECT_LT(longestWithoutALook, std::chrono::seconds(5));
    EXPECT_TRUE(phone.waitCursorAtEveryWrite);
    EXPECT_TRUE(phone.waitCursorSetForAChild);
    EXPECT_TRUE(phone.paintedWhenUncovered);
    // The button's progress moved within the one file, to its whole length.
    ASSERT_GE(taskbar.shown.size(), 10u);
    EXPECT_TRUE(std::is_sorted(taskbar.shown.begin(), taskbar.shown.end()));
    EXPECT_LT(taskbar.shown.front(), 200000u);
    EXPECT_GT(taskbar.shown.back(), 1000000u);
    EXPECT_EQ(taskbar.total, 1048576u);
    EXPECT_EQ(taskbar.clears, 1);

    // Afterwards the cursor is the window's own again, and the command sent meanwhile runs.
    SendMessageW(phone.list, WM_SETCURSOR, reinterpret_cast<WPARAM>(phone.list),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    pumpFor(100);
    EXPECT_EQ(logLines(), Lines{});
    form_.reset();
}

// Windows logs off while a file is half on the phone: the message that asks is sent from
// Windows' own thread, and arrives between two of the upload's writes.
class PhoneSeeingTheSessionEnd final : public ForwardingPhone {
  public:
    using ForwardingPhone::ForwardingPhone;
    HWND window = nullptr;
    fs::path file;
    int writes = 0;
    std::thread windows;
    LRESULT mayEnd = -1;
    bool goneWhenTheEndReturned = false;

    int writeFile(const void* data, uint32_t length) override {
        if (++writes == 2) {
            windows = std::thread([this] {
                mayEnd = SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                goneWhenTheEndReturned = !fs::exists(file);
            });
        }
        return real_.writeFile(data, length);
    }
};

TEST_F(Form1Test, ALogOffDuringAnUploadAsksWindowsToWaitAndThenLeavesNoHalfFile) {
    const fs::path ini = folder_ / L"p2kapi.ini";
    writeBytes(ini, "[Phone]\r\nRoot=" + phoneRoot_.string() +
                        "\r\nAttachDelayMs=0\r\nWriteKiBPerSecond=200\r\n");
    P2KTest_ResetFromIni(ini.c_str());
    PhoneSeeingTheSessionEnd phone(phone_);
    form_ =
        std::make_unique<TForm1>(GetModuleHandleW(nullptr),
                                 Form1Setup{&phone, &prompts_, settingsPath_, L"app_tests", false});
    loop_.addForm(form_->handle());
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    phone.window = form_->handle();
    phone.file = onPhone(L"picture", L"a.bin");
    openFiles({localFile(L"a.bin", std::string(400 * 1024, 'a'))});
    press(L"BitBtn10");
    P2KTest_ClearCallLog();
    press(L"BitBtn2");
    phone.windows.join();

    EXPECT_EQ(phone.mayEnd, FALSE) << "Windows is asked to wait for the upload";
    EXPECT_TRUE(phone.goneWhenTheEndReturned) << "Windows may end the program right after";
    EXPECT_FALSE(fs::exists(phone.file));
    const std::string calls = callLog();
    EXPECT_TRUE(calls.ends_with("File_Close\nFile_Delete /a/mobile/picture/a.bin\n")) << calls;
    EXPECT_EQ(logLines().back(), L"a.bin was not uploaded in phone: Windows is ending the session");
}

}  // namespace
}  // namespace tonvale::testing
