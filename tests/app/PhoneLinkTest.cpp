// The phone as the window meets it through the virtual phone: notifications from the library's
// thread, Connect, Restart and Update rings, and every entry of each command.
#include "Form1Fixture.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

constexpr int kConnectEntries[] = {IdBitBtn4, IdConnect2, IdConnect1};
constexpr int kRestartEntries[] = {IdBitBtn11, IdRestart1, IdRestartphone1};
constexpr int kUpdateRingsEntries[] = {IdBitBtn3, Idupdaterings2, IdUpdaterings1};

class PhoneLinkTest : public Form1Test {
  protected:
    // Buttons are pressed; menu entries are chosen.
    void use(int entry) {
        const ControlDescription* button = findControlDescription(entry);
        if (button != nullptr) {
            press(button->name);
        } else {
            choose(entry);
        }
    }
    void startConnected() {
        start(true);
        ASSERT_TRUE(waitForLogLine(L"Connected"));
    }
};

TEST_F(PhoneLinkTest, ANotificationFromTheLibrarysThreadFillsThePanelsOnTheWindowsThread) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    P2KTest_SetFreeSpace(2047);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", false});
    P2KTest_Attach();
    ASSERT_EQ(P2KTest_WaitForHandlerCalls(1, 5000), 1);
    EXPECT_NE(P2KTest_HandlerThreadId(), GetCurrentThreadId());
    // Nothing is touched until the window's own thread takes the message.
    EXPECT_EQ(panel(0), L"Status: Dinnected");
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    EXPECT_EQ(panel(0), L"Status: Connected");
    EXPECT_EQ(panel(1), L"Phone: E398");
    EXPECT_EQ(panel(2), L"Volume: /a, Free: 1 Kb");
    EXPECT_EQ(text(L"Edit3"), L"2047");
    EXPECT_EQ(logLines(), Lines{L"Connected"});
}

TEST_F(PhoneLinkTest, TheFreeSpaceOfTheVirtualVolumeReachesTheStatusBar) {
    startConnected();
    const std::wstring figure = text(L"Edit3");
    ASSERT_FALSE(figure.empty());
    const long long freeBytes = std::stoll(figure);
    EXPECT_GT(freeBytes, 0);
    EXPECT_LE(freeBytes, 32 << 20);
    EXPECT_EQ(panel(2), L"Volume: /a, Free: " + std::to_wstring(freeBytes / 1024) + L" Kb");
}

TEST_F(PhoneLinkTest, EveryConnectEntryRegistersAgainAndOnlyResetsTheProgressBar) {
    for (int entry : kConnectEntries) {
        start(false);
        P2KTest_ClearCallLog();
        use(entry);
        EXPECT_EQ(callLog(), "P2K_Init\n") << entry;
        EXPECT_EQ(progressMaximum(), 0);
        EXPECT_EQ(progressPosition(), 0);
        EXPECT_EQ(text(L"Memo1"), L"");
        EXPECT_EQ(panel(0), L"Status: Dinnected");
        EXPECT_EQ(panel(1), L"");
        pumpFor(50);
        EXPECT_EQ(P2KTest_HandlerCalls(), 0) << "no phone, no notification";
        form_.reset();
    }
}

TEST_F(PhoneLinkTest, ConnectWhileAttachedBringsOneMoreNotification) {
    startConnected();
    press(L"BitBtn4");
    ASSERT_TRUE(waitForLogLine(L"Connected", 2));
    pumpFor(100);
    EXPECT_EQ(logLines(), (Lines{L"Connected", L"Connected"}));
}

TEST_F(PhoneLinkTest, RestartAndUpdateRingsWithoutAPhoneOnlyLog) {
    constexpr int entries[] = {IdBitBtn11, IdRestart1,     IdRestartphone1,
                               IdBitBtn3,  Idupdaterings2, IdUpdaterings1};
    for (int entry : entries) {
        start(false);
        P2KTest_ClearCallLog();
        use(entry);
        EXPECT_EQ(logLines(), Lines{L"Phone not connected"}) << entry;
        EXPECT_EQ(callLog(), "P2K_GetStatus\n");
        EXPECT_EQ(panel(0), L"Status: Dinnected");
        EXPECT_EQ(progressMaximum(), 100);
        form_.reset();
    }
}

TEST_F(PhoneLinkTest, EveryRestartEntryRestartsAndThePhoneComesBack) {
    for (int entry : kRestartEntries) {
        startConnected();
        const std::wstring figure = text(L"Edit3");
        P2KTest_ClearCallLog();
        use(entry);
        EXPECT_EQ(callLog().rfind("P2K_GetStatus\nP2K_Restart\n", 0), 0u) << callLog();
        EXPECT_EQ(panel(0), L"Status: Dinnected");
        EXPECT_EQ(panel(1), L"Phone: xxx");
        EXPECT_EQ(panel(2), L"Volume: /a, Free: xxx Kbytes");
        EXPECT_EQ(logLines(), (Lines{L"Connected", L"Restarting phone..."}));
        EXPECT_EQ(progressMaximum(), 0);
        EXPECT_EQ(text(L"Edit3"), figure) << "the figure waits for the next notification";

        ASSERT_TRUE(waitForLogLine(L"Connected", 2)) << entry;
        EXPECT_EQ(panel(0), L"Status: Connected");
        EXPECT_EQ(panel(1), L"Phone: E398");
        form_.reset();
    }
}

TEST_F(PhoneLinkTest, EveryUpdateRingsEntryDeletesBothDatabasesAndRestarts) {
    for (int entry : kUpdateRingsEntries) {
        startConnected();
        const fs::path audio = phoneRoot_ / L"mobile" / L"audio";
        ASSERT_TRUE(fs::exists(audio / L"MyToneDB.db"));
        ASSERT_TRUE(fs::exists(audio / L"TempToneDB.db"));
        P2KTest_ClearCallLog();
        use(entry);
        EXPECT_EQ(callLog(),
                  "P2K_GetStatus\nFile_Delete /a/mobile/audio/MyToneDB.db\n"
                  "File_Delete /a/mobile/audio/TempToneDB.db\nP2K_Restart\n");
        EXPECT_FALSE(fs::exists(audio / L"MyToneDB.db"));
        EXPECT_FALSE(fs::exists(audio / L"TempToneDB.db"));
        EXPECT_EQ(logLines(),
                  (Lines{L"Connected", L"/a/mobile/audio/MyToneDB.db was deleted",
                         L"/a/mobile/audio/TempToneDB.db was deleted", L"Restarting phone..."}));
        EXPECT_EQ(panel(0), L"Status: Dinnected");
        EXPECT_EQ(panel(1), L"Phone: xxx");
        EXPECT_EQ(panel(2), L"Volume: /a, Free: xxx Kb");
        EXPECT_EQ(progressMaximum(), 0);
        ASSERT_TRUE(waitForLogLine(L"Connected", 2));
        form_.reset();
    }
}

TEST_F(PhoneLinkTest, UpdateRingsOnAPhoneWithoutMyToneStillRestarts) {
    startConnected();
    fs::remove(phoneRoot_ / L"mobile" / L"audio" / L"MyToneDB.db");
    P2KTest_ClearCallLog();
    press(L"BitBtn3");
    EXPECT_EQ(callLog(), "P2K_GetStatus\nFile_Delete /a/mobile/audio/MyToneDB.db\nP2K_Restart\n");
    EXPECT_TRUE(fs::exists(phoneRoot_ / L"mobile" / L"audio" / L"TempToneDB.db"));
    EXPECT_EQ(logLines(), (Lines{L"Connected", L"Restarting phone..."}));
}

TEST_F(PhoneLinkTest, NotificationsDuringACommandWaitForItAndNoneIsLostOrRepeated) {
    start(false);
    prompts_.whileAboutIsOpen = [this] {
        P2KTest_Attach();
        ASSERT_EQ(P2KTest_WaitForHandlerCalls(1, 5000), 1);
        press(L"BitBtn4");  // registering while attached: one more notification
        ASSERT_EQ(P2KTest_WaitForHandlerCalls(2, 5000), 1) << callLog();
        // The box's own loop would hand these over now; they must wait.
        pumpFor(100);
        EXPECT_EQ(text(L"Memo1"), L"");
        EXPECT_EQ(panel(0), L"Status: Dinnected");
    };
    choose(IdAbout1);
    EXPECT_EQ(logLines(), (Lines{L"Connected", L"Connected"}));
    EXPECT_EQ(panel(0), L"Status: Connected");
    pumpFor(100);
    EXPECT_EQ(logLines().size(), 2u);
}

TEST_F(PhoneLinkTest, NoNotificationReachesAWindowThatHasBegunToClose) {
    start(false);
    HWND window = form().handle();
    choose(IdExit1);
    ASSERT_FALSE(IsWindow(window));
    P2KTest_Attach();
    EXPECT_EQ(P2KTest_WaitForHandlerCalls(1, 5000), 1);
    MSG message{};
    EXPECT_FALSE(PeekMessageW(&message, nullptr, TForm1::WM_PHONE_CONNECTED,
                              TForm1::WM_PHONE_CONNECTED, PM_REMOVE));
}

}  // namespace
}  // namespace tonvale::testing
