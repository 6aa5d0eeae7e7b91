// Attaching, detaching, restarting, and the handler calls the program waits for.
#include "PhoneFixture.h"

#include <windows.h>

#include <atomic>
#include <thread>

namespace {

constexpr unsigned kPatienceMs = 5000;

std::atomic<int> handlerCalls{0};
std::atomic<DWORD> handlerThread{0};
std::atomic<int> otherHandlerCalls{0};

void P2K_CALL recordCall() {
    handlerThread = ::GetCurrentThreadId();
    ++handlerCalls;
}

void P2K_CALL recordOtherCall() {
    ++otherHandlerCalls;
}

// A handler that asks the phone about itself, as the program's does.
std::atomic<int> statusSeenInHandler{-1};
std::atomic<int32_t> freeSeenInHandler{-1};
std::atomic<unsigned char> labelStartSeenInHandler{0};

void P2K_CALL askPhone() {
    int32_t volume = 0;
    unsigned char label[7] = {};
    statusSeenInHandler = P2K_GetStatus();
    freeSeenInHandler = File_VolInfo(&volume);
    if (Seem_Read(279, 1, 1, 7, label) == 0) {
        labelStartSeenInHandler = label[0];
    }
}

// A handler that stays in its first call until released, so that calls queue up behind it.
std::atomic<int> blockerCalls{0};
std::atomic<bool> blockerReleased{false};

void P2K_CALL blockUntilReleased() {
    ++blockerCalls;
    while (!blockerReleased) {
        ::Sleep(1);
    }
}

class P2kapiConnectionTest : public PhoneTest {
  protected:
    void SetUp() override {
        PhoneTest::SetUp();
        handlerCalls = 0;
        handlerThread = 0;
        otherHandlerCalls = 0;
    }
};

TEST_F(P2kapiConnectionTest, AttachAfterDelayCallsHandlerFromLibraryThread) {
    resetPhone(true, 50);
    ASSERT_EQ(0, P2K_Init(&recordCall));

    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    EXPECT_EQ(1, P2K_GetStatus());
    EXPECT_EQ(1, handlerCalls.load());
    EXPECT_NE(::GetCurrentThreadId(), handlerThread.load());
    EXPECT_EQ(handlerThread.load(), P2KTest_HandlerThreadId());
}

TEST_F(P2kapiConnectionTest, PhoneIsAwayUntilTheAttachDelayHasPassed) {
    resetPhone(true, 60000);
    EXPECT_NE(1, P2K_GetStatus());
    EXPECT_EQ(-1, File_Create("/a/mobile/audio/a.mid", 0));

    P2KTest_Attach();
    EXPECT_EQ(1, P2K_GetStatus());
    EXPECT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
}

TEST_F(P2kapiConnectionTest, EachRegistrationWhileAttachedCallsOnce) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(0, P2K_Init(&recordCall));
    }
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(3, kPatienceMs));
    ::Sleep(100);
    EXPECT_EQ(3, handlerCalls.load());
    EXPECT_EQ(3, P2KTest_HandlerCalls());
    EXPECT_NE(::GetCurrentThreadId(), handlerThread.load());
}

TEST_F(P2kapiConnectionTest, RegistrationsWhileDetachedLeadToOneCallOfTheLatestOnAttach) {
    resetPhone(false);
    P2K_Init(&recordOtherCall);
    P2K_Init(&recordCall);
    P2K_Init(&recordCall);
    ::Sleep(100);
    EXPECT_EQ(0, handlerCalls.load());

    P2KTest_Attach();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    ::Sleep(100);
    EXPECT_EQ(1, handlerCalls.load());
    EXPECT_EQ(0, otherHandlerCalls.load());
    EXPECT_NE(::GetCurrentThreadId(), handlerThread.load());
}

TEST_F(P2kapiConnectionTest, RestartDisconnectsAtOnceAndClosesTheOpenFile) {
    const std::string phonePath = "/a/mobile/audio/tone.mid";
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    ASSERT_EQ(0, File_Write("abc", 3));
    ASSERT_TRUE(isOpenElsewhere(hostPath(phonePath)));

    ASSERT_EQ(0, P2K_Restart());
    EXPECT_NE(1, P2K_GetStatus());
    EXPECT_FALSE(isOpenElsewhere(hostPath(phonePath)));
    EXPECT_EQ(3u, fs::file_size(hostPath(phonePath)));
    EXPECT_NE(0, File_Write("def", 3));
    EXPECT_EQ(-1, File_Create("/a/mobile/audio/other.mid", 0));
    EXPECT_EQ(-1, File_Count());
    EXPECT_NE(0, File_Delete(phonePath.c_str()));
    EXPECT_NE(0, P2K_Restart());

    P2KTest_Attach();
    // The file closed with the connection; nothing is open to write to.
    EXPECT_NE(0, File_Write("def", 3));
    EXPECT_EQ(3u, fs::file_size(hostPath(phonePath)));
}

TEST_F(P2kapiConnectionTest, RestartedPhoneAttachesAgainAndCallsHandler) {
    resetPhone(true, 0, 100);
    P2K_Init(&recordCall);
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));

    ASSERT_EQ(0, P2K_Restart());
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(2, kPatienceMs));
    EXPECT_EQ(1, P2K_GetStatus());
    EXPECT_EQ(2, handlerCalls.load());
    EXPECT_NE(::GetCurrentThreadId(), handlerThread.load());
}

TEST_F(P2kapiConnectionTest, RestartWithoutPhoneFailsAndChangesNothing) {
    resetPhone(false, 0, 0);
    P2K_Init(&recordCall);
    EXPECT_NE(0, P2K_Restart());
    ::Sleep(100);
    EXPECT_NE(1, P2K_GetStatus());
    EXPECT_EQ(0, handlerCalls.load());
}

TEST_F(P2kapiConnectionTest, ResetDropsNotificationsStillPending) {
    resetPhone(true, 100);
    P2K_Init(&recordCall);
    resetPhone(false);
    ::Sleep(300);
    EXPECT_EQ(0, handlerCalls.load());
    EXPECT_EQ(0, P2KTest_HandlerCalls());
    EXPECT_NE(1, P2K_GetStatus());
}

TEST_F(P2kapiConnectionTest, ResetWaitsForTheRunningHandlerAndDropsQueuedCalls) {
    P2K_Init(&blockUntilReleased);
    while (blockerCalls == 0) {
        ::Sleep(1);
    }
    P2K_Init(&blockUntilReleased);
    P2K_Init(&blockUntilReleased);
    std::thread releaser([] {
        ::Sleep(100);
        blockerReleased = true;
    });
    resetPhone(true);
    // Reset returned, so the blocked call has ended; none of the queued ones may follow.
    EXPECT_TRUE(blockerReleased.load());
    releaser.join();
    ::Sleep(100);
    EXPECT_EQ(1, blockerCalls.load());

    P2K_Init(&recordCall);
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    ::Sleep(100);
    EXPECT_EQ(1, handlerCalls.load());
    EXPECT_EQ(1, P2KTest_HandlerCalls());
}

TEST_F(P2kapiConnectionTest, HandlerMayCallBackIntoTheLibrary) {
    resetPhone(true, 0, 60000, 32 * kMiB, "V3x ");
    P2K_Init(&askPhone);
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    EXPECT_EQ(1, statusSeenInHandler.load());
    EXPECT_EQ(32 * kMiB - hostBytes(root_), freeSeenInHandler.load());
    EXPECT_EQ('V', labelStartSeenInHandler.load());
}

}  // namespace
