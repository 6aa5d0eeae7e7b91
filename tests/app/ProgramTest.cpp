// Start-up as the entry point runs it: a failure on the way shows the error box.
#include "Form1Fixture.h"
#include "Program.h"

namespace tonvale::testing {
namespace {

// Refuses every list view, as a system out of resources might.
LRESULT CALLBACK refuseListViews(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[32] = {};
        GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
        if (std::wstring_view(name) == WC_LISTVIEWW) {
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Form1Test, AMainWindowThatCannotBeBuiltIsReportedAndEndsTheProgram) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    HHOOK hook = SetWindowsHookExW(WH_CBT, &refuseListViews, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int code = runProgram(GetModuleHandleW(nullptr), SW_SHOW,
                                Form1Setup{&phone_, &prompts_, settingsPath_, L"app_tests", true});
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(code, 1);
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_EQ(prompts_.errors[0].text, L"A control of the window cannot be created.");
    EXPECT_EQ(prompts_.errors[0].title, L"app_tests");
    EXPECT_EQ(prompts_.errors[0].owner, nullptr);
    // Nothing had asked the program to quit, which would take the box away unread.
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
}  // namespace tonvale::testing
