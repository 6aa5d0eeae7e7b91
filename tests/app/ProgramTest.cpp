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

}  // namespace
}  // namespace tonvale::testing
