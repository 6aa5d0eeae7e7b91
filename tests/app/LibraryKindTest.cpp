// The window over each kind of phone library users bring: operations of either calling
// convention, the handler called with the phone's state or without, from the library's thread
// or inside P2K_Init on the window's own, with or without a call when the phone goes away. The
// whole road (connect at start-up, one upload, Connect, Restart, Update rings, the cable
// pulled) must look the same with each.
#include "Form1Fixture.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

struct LibraryKind {
    const char* name;
    bool cdecl_;
    bool withState;
    bool onCallersThread;
    bool notifyDetach;
};

void PrintTo(const LibraryKind& kind, std::ostream* out) {
    *out << kind.name;
}

std::string iniKeys(const LibraryKind& kind) {
    return std::string("CallingConvention=") + (kind.cdecl_ ? "cdecl" : "stdcall") +
           "\r\nHandlerArgument=" + (kind.withState ? "state" : "none") +
           "\r\nHandlerThread=" + (kind.onCallersThread ? "caller" : "own") +
           "\r\nNotifyDetach=" + (kind.notifyDetach ? "1" : "0") +
           // Long enough that a detach's notice is taken while the phone is still away.
           "\r\nRestartDelayMs=400\r\n";
}

class LibraryKindTest : public Form1Test, public ::testing::WithParamInterface<LibraryKind> {};

TEST_P(LibraryKindTest, TheWholeRoadLooksTheSame) {
    const LibraryKind& kind = GetParam();
    if (kind.cdecl_ && sizeof(void*) == 8) {
        GTEST_SKIP() << "a 32-bit convention's run: an x86-64 library has one convention";
    }
    startWithLibrary(iniKeys(kind));
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    EXPECT_EQ(P2KTest_HandlerThreadId() == GetCurrentThreadId(), kind.onCallersThread);
    EXPECT_EQ(panel(0), L"Status: Connected");
    EXPECT_EQ(panel(1), L"Phone: E398");

    const std::string picture = "\xFF\xD8 a picture of a few bytes";
    openFiles({localFile(L"a.jpg", picture)});
    press(L"BitBtn2");
    EXPECT_EQ(readBytes(onPhone(L"picture", L"a.jpg")), picture);

    press(L"BitBtn4");
    ASSERT_TRUE(waitForLogLine(L"Connected", 2));
    press(L"BitBtn11");
    EXPECT_EQ(panel(0), L"Status: Dinnected");
    ASSERT_TRUE(waitForLogLine(L"Connected", 3));
    press(L"BitBtn3");
    EXPECT_FALSE(fs::exists(onPhone(L"audio", L"MyToneDB.db")));
    ASSERT_TRUE(waitForLogLine(L"Connected", 4));
    EXPECT_EQ(panel(0), L"Status: Connected");

    const Lines before = logLines();
    const std::wstring figure = text(L"Edit3");
    const int notices = P2KTest_HandlerCalls();
    P2KTest_Detach();
    if (kind.notifyDetach) {
        ASSERT_EQ(P2KTest_WaitForHandlerCalls(notices + 1, 5000), 1);
        EXPECT_TRUE(pumpUntil([this] { return panel(0) == L"Status: Dinnected"; }));
    } else {
        pumpFor(100);
        EXPECT_EQ(panel(0), L"Status: Connected") << "nothing tells the window";
    }
    EXPECT_EQ(logLines(), before);
    EXPECT_EQ(panel(1), L"Phone: E398");
    EXPECT_EQ(text(L"Edit3"), figure);

    const Lines log = logLines();
    EXPECT_EQ(std::count(log.begin(), log.end(), L"Connected"), 4);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"a.jpg was uploaded in phone"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"Restarting phone..."), 2);
}

// Each convention with each way of calling the handler, and a detach told or not, paired so
// that every two of these choices meet.
INSTANTIATE_TEST_SUITE_P(
    Libraries, LibraryKindTest,
    ::testing::Values(LibraryKind{"stdcall_plain_own", false, false, false, false},
                      LibraryKind{"stdcall_plain_caller_detach", false, false, true, true},
                      LibraryKind{"stdcall_state_own_detach", false, true, false, true},
                      LibraryKind{"stdcall_state_caller", false, true, true, false},
                      LibraryKind{"cdecl_plain_own_detach", true, false, false, true},
                      LibraryKind{"cdecl_plain_caller", true, false, true, false},
                      LibraryKind{"cdecl_state_own", true, true, false, false},
                      LibraryKind{"cdecl_state_caller_detach", true, true, true, true}),
    [](const ::testing::TestParamInfo<LibraryKind>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tonvale::testing
