// The virtual phone as each kind of phone library in the wild: operations of either calling
// convention, a handler called with the phone's state or without, inside P2K_Init on the
// caller's thread or from the library's own, and told of a detach too.
#include "PhoneFixture.h"

#include <windows.h>

#include <atomic>

namespace {

constexpr unsigned kPatienceMs = 5000;

std::atomic<int> calls{0};
std::atomic<int> lastState{-1};
std::atomic<DWORD> lastThread{0};

// Takes the state a library may pass, as a C function does: the caller removes it.
void __cdecl recordState(int state) {
    lastState = state;
    lastThread = ::GetCurrentThreadId();
    ++calls;
}

class P2kapiLibraryKindTest : public PhoneTest {
  protected:
    void SetUp() override {
        PhoneTest::SetUp();
        calls = 0;
        lastState = -1;
        lastThread = 0;
    }
    // The phone as p2kapi.ini describes it, attached at once, restarted after 100 ms.
    void resetFromIni(const std::string& keys) {
        const fs::path ini = base_ / "p2kapi.ini";
        writeHostFile(ini,
                      "[Phone]\r\nRoot=root\r\nAttachDelayMs=0\r\nRestartDelayMs=100\r\n" + keys);
        P2KTest_ResetFromIni(ini.c_str());
    }
    static void registerHandler() { P2K_Init(reinterpret_cast<P2K_ConnectHandler>(&recordState)); }
};

TEST_F(P2kapiLibraryKindTest, ACallersThreadHandlerIsCalledInsideP2KInitWithTheState) {
    resetFromIni("HandlerArgument=state\r\nHandlerThread=caller\r\n");
    registerHandler();
    // Before P2K_Init returned, on this thread.
    EXPECT_EQ(1, calls.load());
    EXPECT_EQ(1, lastState.load());
    EXPECT_EQ(::GetCurrentThreadId(), lastThread.load());
    EXPECT_EQ(1, P2KTest_HandlerCalls());

    // An attach without a caller comes from the library's thread.
    P2KTest_Detach();
    P2KTest_Attach();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(2, kPatienceMs));
    EXPECT_NE(::GetCurrentThreadId(), lastThread.load());
}

TEST_F(P2kapiLibraryKindTest, ADetachIsToldOnlyWhenAskedForWithStateZero) {
    resetFromIni("HandlerArgument=state\r\nNotifyDetach=1\r\n");
    registerHandler();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    EXPECT_EQ(1, lastState.load());
    EXPECT_NE(::GetCurrentThreadId(), lastThread.load());

    P2KTest_Detach();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(2, kPatienceMs));
    EXPECT_EQ(0, lastState.load());
    EXPECT_NE(1, P2K_GetStatus());

    // A restart is a detach and an attach.
    P2KTest_Attach();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(3, kPatienceMs));
    ASSERT_EQ(0, P2K_Restart());
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(5, kPatienceMs));
    EXPECT_EQ(1, lastState.load());

    // Without NotifyDetach, and with an unknown word for the argument, a detach calls nothing.
    resetFromIni("HandlerArgument=maybe\r\nNotifyDetach=0\r\n");
    registerHandler();
    ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
    P2KTest_Detach();
    ::Sleep(100);
    EXPECT_EQ(1, P2KTest_HandlerCalls());
}

#if defined(__i386__)

// Calls `operation` with `count` words pushed, the last first, and returns how many bytes of
// them it took off the stack itself; the stack pointer is put back either way.
extern "C" uint32_t bytesTakenBy(const void* operation, const uint32_t* words,
                                 uint32_t count) __asm__("bytesTakenBy");
__asm__(
    ".text\n"
    "bytesTakenBy:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl 12(%ebp), %esi\n"
    "    movl 16(%ebp), %ecx\n"
    "1:  testl %ecx, %ecx\n"
    "    jz 2f\n"
    "    decl %ecx\n"
    "    pushl (%esi,%ecx,4)\n"
    "    jmp 1b\n"
    "2:  movl %esp, %edi\n"
    "    call *8(%ebp)\n"
    "    movl %esp, %eax\n"
    "    subl %edi, %eax\n"
    "    leal -8(%ebp), %esp\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebp\n"
    "    ret\n");

uint32_t bytesTakenByExport(const char* name, const uint32_t* words, uint32_t count) {
    const auto operation = ::GetProcAddress(::GetModuleHandleW(L"p2kapi.dll"), name);
    EXPECT_NE(nullptr, operation) << name;
    return operation ? bytesTakenBy(reinterpret_cast<const void*>(operation), words, count) : ~0u;
}

#endif

TEST_F(P2kapiLibraryKindTest, TheOperationsTakeTheirArgumentsOffTheStackByTheConvention) {
#if defined(__i386__)
    const uint32_t pointerArguments[] = {0, 0};
    resetFromIni("");
    EXPECT_EQ(8u, bytesTakenByExport("File_SetPointer", pointerArguments, 2));
    EXPECT_EQ(0u, bytesTakenByExport("P2K_GetStatus", nullptr, 0));
    resetFromIni("CallingConvention=CDECL\r\n");
    EXPECT_EQ(0u, bytesTakenByExport("File_SetPointer", pointerArguments, 2));
    // The call went through: it is in the log.
    EXPECT_NE(std::string::npos, callLog().find("File_SetPointer 0 0\n"));
    resetFromIni("CallingConvention=pascal\r\n");
    EXPECT_EQ(8u, bytesTakenByExport("File_SetPointer", pointerArguments, 2));
#else
    GTEST_SKIP() << "a 32-bit convention's test: an x86-64 library has one convention";
#endif
}

}  // namespace
