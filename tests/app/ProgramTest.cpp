// Start-up as the entry point runs it: a failure on the way shows the error box.
#include "Form1Fixture.h"
#include "Program.h"
#include "Utf8.h"

namespace tonvale::testing {
namespace {

// Refuses every window of one class, as a system out of resources might.
const wchar_t* refusedClass = nullptr;

LRESULT CALLBACK refuseTheClass(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[32] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
        if (std::wstring_view(name) == refusedClass) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The main window's list view, then the Options dialog built after the main window.
TEST_F(Form1Test, AWindowThatCannotBeBuiltIsReportedAndEndsTheProgram) {
    const std::pair<const wchar_t*, const wchar_t*> refusals[] = {
        {WC_LISTVIEWW, L"A control of the window cannot be created."},
        {L"TForm2", L"The window cannot be created."}};
    for (const auto& [windowClass, message] : refusals) {
        SCOPED_TRACE(toUtf8(windowClass));
        P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
        prompts_.errors.clear();
        // Nothing may have asked the program to quit while the box is open: it would take the
        // box away unread.
        bool quitWhileBoxOpen = true;
        prompts_.whileErrorIsOpen = [&] {
            MSG quit{};
            quitWhileBoxOpen = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
        };
        refusedClass = windowClass;
        HHOOK hook = SetWindowsHookExW(WH_CBT, &refuseTheClass, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook, nullptr);
        const int code =
            runProgram(GetModuleHandleW(nullptr), SW_SHOW,
                       Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", true});
        UnhookWindowsHookEx(hook);
        EXPECT_EQ(code, 1);
        ASSERT_EQ(prompts_.errors.size(), 1u);
        EXPECT_EQ(prompts_.errors[0].text, message);
        EXPECT_EQ(prompts_.errors[0].title, L"app_tests");
        EXPECT_EQ(prompts_.errors[0].owner, nullptr);
        EXPECT_FALSE(quitWhileBoxOpen);
        MSG leftOver{};
        PeekMessageW(&leftOver, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

// Options typed ahead, before the program first waits for input, opens the dialog at once, and
// the program makes no second one once it is idle.
struct TypedAhead {
    HWND main = nullptr;
    int ticks = 0;
    int dialogs = 0;
    bool dialogShown = false;
};
TypedAhead* typedAhead = nullptr;

LRESULT CALLBACK chooseOptionsAtActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && typedAhead != nullptr && typedAhead->main == nullptr) {
        wchar_t name[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
        if (std::wstring_view(name) == L"TForm1") {
            typedAhead->main = reinterpret_cast<HWND>(wParam);
            PostMessageW(typedAhead->main, WM_COMMAND, MAKEWPARAM(IdOptions1, 0), 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK countOptionsDialogs(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"TForm2") {
        ++typedAhead->dialogs;
        typedAhead->dialogShown = typedAhead->dialogShown || IsWindowVisible(window);
    }
    return TRUE;
}

void CALLBACK closeWhenSettled(HWND, UINT, UINT_PTR, DWORD) {
    if (typedAhead == nullptr || typedAhead->main == nullptr || ++typedAhead->ticks != 10) {
        return;
    }
    EnumThreadWindows(GetCurrentThreadId(), &countOptionsDialogs, 0);
    PostMessageW(typedAhead->main, WM_CLOSE, 0, 0);
}

TEST_F(Form1Test, OptionsChosenBeforeTheFirstWaitOpensTheOneDialog) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    TypedAhead run;
    typedAhead = &run;
    HHOOK hook =
        SetWindowsHookExW(WH_CBT, &chooseOptionsAtActivation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &closeWhenSettled);
    const int code = runProgram(GetModuleHandleW(nullptr), SW_SHOW,
                                Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", true});
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    typedAhead = nullptr;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(run.dialogs, 1);
    EXPECT_TRUE(run.dialogShown);
    EXPECT_TRUE(prompts_.errors.empty());
}

}  // namespace
}  // namespace tonvale::testing
