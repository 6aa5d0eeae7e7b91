// The phone as the window meets it through the virtual phone: notifications from the library's
// thread, every entry of Connect, Restart and Update rings, and the phone coming back. The exact
// order of library calls is checked against a fake phone in the phone tests.
#include <algorithm>
#include <array>

#include "Form1Fixture.h"
#include "RuntimeError.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

class PhoneLinkTest : public Form1Test {
  protected:
    // A button by its name, or a menu item by its id.
    void use(const wchar_t* button, int menuItem) {
        if (button != nullptr) {
            press(button);
        } else {
            choose(menuItem);
        }
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

TEST_F(PhoneLinkTest, EveryEntryOfConnectRestartAndUpdateRingsRunsItsCommand) {
    struct Entry {
        const wchar_t* button;
        int menuItem;
        const char* calls;
        const wchar_t* logLine;  // nullptr for none
    };
    const Entry entries[] = {
        {L"BitBtn4", 0, "P2K_Init\n", nullptr},
        {nullptr, IdConnect2, "P2K_Init\n", nullptr},
        {nullptr, IdConnect1, "P2K_Init\n", nullptr},
        {L"BitBtn11", 0, "P2K_GetStatus\n", L"Phone not connected"},
        {nullptr, IdRestart1, "P2K_GetStatus\n", L"Phone not connected"},
        {nullptr, IdRestartphone1, "P2K_GetStatus\n", L"Phone not connected"},
        {L"BitBtn3", 0, "P2K_GetStatus\n", L"Phone not connected"},
        {nullptr, Idupdaterings2, "P2K_GetStatus\n", L"Phone not connected"},
        {nullptr, IdUpdaterings1, "P2K_GetStatus\n", L"Phone not connected"},
    };
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.menuItem);
        start(false);
        P2KTest_ClearCallLog();
        use(entry.button, entry.menuItem);
        EXPECT_EQ(callLog(), entry.calls);
        EXPECT_EQ(logLines(), entry.logLine ? Lines{entry.logLine} : Lines{});
        EXPECT_EQ(panel(0), L"Status: Dinnected");
        EXPECT_EQ(panel(1), L"");
        // Only Connect resets the progress bar; without a phone the others stop before.
        EXPECT_EQ(progressMaximum(), entry.logLine ? 100 : 0);
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

TEST_F(PhoneLinkTest, RestartFromTheTrayMenuShowsThePhoneGoneUntilItComesBack) {
    startConnected();
    const std::wstring figure = text(L"Edit3");
    choose(IdRestartphone1);
    EXPECT_EQ(panel(0), L"Status: Dinnected");
    EXPECT_EQ(panel(1), L"Phone: xxx");
    EXPECT_EQ(panel(2), L"Volume: /a, Free: xxx Kbytes");
    EXPECT_EQ(logLines(), (Lines{L"Connected", L"Restarting phone..."}));
    EXPECT_EQ(progressMaximum(), 0);
    EXPECT_EQ(text(L"Edit3"), figure) << "the figure waits for the next notification";

    ASSERT_TRUE(waitForLogLine(L"Connected", 2));
    EXPECT_EQ(panel(0), L"Status: Connected");
    EXPECT_EQ(panel(1), L"Phone: E398");
}

TEST_F(PhoneLinkTest, UpdateRingsDeletesBothDatabasesOnThePhoneAndRestartsIt) {
    startConnected();
    const fs::path audio = phoneRoot_ / L"mobile" / L"audio";
    ASSERT_TRUE(fs::exists(audio / L"MyToneDB.db"));
    ASSERT_TRUE(fs::exists(audio / L"TempToneDB.db"));
    choose(Idupdaterings2);
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
}

TEST_F(PhoneLinkTest, UpdateRingsOnAPhoneWithoutMyToneKeepsTheOtherAndStillRestarts) {
    startConnected();
    fs::remove(phoneRoot_ / L"mobile" / L"audio" / L"MyToneDB.db");
    press(L"BitBtn3");
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
    // Once the box is gone, the window's own loop reports them.
    ASSERT_TRUE(waitForLogLine(L"Connected", 2));
    EXPECT_EQ(panel(0), L"Status: Connected");
    pumpFor(100);
    EXPECT_EQ(logLines().size(), 2u);
}

// The real phone, except that reading the free space fails.
class PhoneFailingFreeSpace final : public ForwardingPhone {
  public:
    using ForwardingPhone::ForwardingPhone;
    int32_t freeBytes() override { throw RuntimeError(L"I/O error 31"); }
};

TEST_F(PhoneLinkTest, AFailingConnectionReportShowsTheErrorBoxAndTheProgramGoesOn) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 1, 0, 100);
    PhoneFailingFreeSpace failing(phone_);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&failing, &prompts_, settingsPath_, L"app_tests", false});
    ASSERT_TRUE(pumpUntil([this] { return !prompts_.errors.empty(); }));
    EXPECT_EQ(prompts_.errors[0].text, L"I/O error 31.");
    EXPECT_EQ(prompts_.errors[0].title, L"app_tests");
    EXPECT_EQ(logLines(), Lines{});
    press(L"BitBtn10");  // still taking commands
    EXPECT_TRUE(IsWindow(form().handle()));
}

// A message-only window that counts the announcements posted to it.
struct NotificationCounter {
    static constexpr UINT kMessage = WM_APP + 7;
    HWND window = CreateWindowExW(0, L"Static", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    ~NotificationCounter() { DestroyWindow(window); }
    int announcements() const {
        int count = 0;
        MSG message{};
        while (PeekMessageW(&message, window, kMessage, kMessage, PM_REMOVE)) {
            ++count;
        }
        return count;
    }
};

TEST_F(PhoneLinkTest, TheRelayCountsEveryNotificationForTheAttachedWindowOnly) {
    NotificationCounter first;
    NotificationCounter second;
    ConnectionRelay::attach(first.window, NotificationCounter::kMessage);
    for (int i = 0; i < 3; ++i) {
        ConnectionRelay::onConnect();
    }
    EXPECT_EQ(first.announcements(), 1) << "one message announces a burst";
    EXPECT_EQ(ConnectionRelay::take(first.window), 3);
    EXPECT_EQ(ConnectionRelay::take(first.window), 0);
    ConnectionRelay::onConnect();
    EXPECT_EQ(first.announcements(), 1) << "once taken, the next one is announced again";
    ConnectionRelay::detach(first.window);
    ConnectionRelay::onConnect();
    EXPECT_EQ(first.announcements(), 0) << "a detached window still receives notifications";
    EXPECT_EQ(ConnectionRelay::take(first.window), 0);

    ConnectionRelay::attach(second.window, NotificationCounter::kMessage);
    ConnectionRelay::detach(first.window);
    ConnectionRelay::onConnect();
    EXPECT_EQ(second.announcements(), 1) << "another window's detach cut this one off";
    EXPECT_EQ(ConnectionRelay::take(second.window), 1);
    ConnectionRelay::detach(second.window);
}

TEST_F(PhoneLinkTest, ASecondWindowKeepsItsNotificationsWhenTheFirstCloses) {
    start(false);
    auto first = std::move(form_);
    start(false);
    first.reset();
    P2KTest_Attach();
    ASSERT_TRUE(waitForLogLine(L"Connected")) << "the first window's teardown detached the second";
}

// Libraries in the wild may write the volume's name, up to 128 bytes, where File_VolInfo is
// handed the volume variable. Guards on both sides of the phone catch any byte written past the
// room the program gives it.
TEST_F(PhoneLinkTest, ALibraryWritingTheVolumeNameThereCorruptsNothing) {
    struct GuardedPhone {
        std::array<unsigned char, 64> before;
        P2kLibraryPhone phone{&ConnectionRelay::onConnect};
        std::array<unsigned char, 256> after;
    };
    auto guarded = std::make_unique<GuardedPhone>();
    guarded->before.fill(0xA5);
    guarded->after.fill(0xA5);
    const fs::path ini = folder_ / L"p2kapi.ini";
    writeBytes(ini, "[Phone]\r\nRoot=" + phoneRoot_.string() +
                        "\r\nAttachDelayMs=0\r\nVolumeNameBytes=128\r\n");
    P2KTest_ResetFromIni(ini.c_str());
    P2KTest_SetFreeSpace(2047);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&guarded->phone, &prompts_, settingsPath_, L"app_tests", false});
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    for (int i = 1; i < 100; ++i) {
        guarded->phone.registerConnectionHandler();
    }
    ASSERT_TRUE(waitForLogLine(L"Connected", 100));
    pumpFor(50);

    EXPECT_EQ(logLines(), Lines(100, L"Connected"));
    EXPECT_EQ(panel(0), L"Status: Connected");
    EXPECT_EQ(panel(1), L"Phone: E398");
    EXPECT_EQ(panel(2), L"Volume: /a, Free: 1 Kb");
    EXPECT_EQ(text(L"Edit3"), L"2047");
    EXPECT_TRUE(prompts_.errors.empty());
    EXPECT_EQ(std::count(guarded->before.begin(), guarded->before.end(), 0xA5), 64);
    EXPECT_EQ(std::count(guarded->after.begin(), guarded->after.end(), 0xA5), 256);
    form_.reset();
}

}  // namespace
}  // namespace tonvale::testing
