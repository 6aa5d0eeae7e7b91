// The form machinery on a form of the test's own: any table size, containers beneath what they
// hold, lookup by name and id, and the keyboard order of the table.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <exception>
#include <string>
#include <vector>

#include "win/Form.h"

namespace tonvale::testing {
namespace {

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kGroup = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;

// Thirty rows: two groups of fourteen buttons each.
constexpr std::array<win::ControlDescription, 30> kRows = [] {
    std::array<win::ControlDescription, 30> rows{};
    for (int i = 0; i < 30; ++i) {
        const bool group = i == 0 || i == 15;
        const int parent = i < 15 ? 1000 : 1015;
        rows[static_cast<size_t>(i)] = win::ControlDescription{1000 + i,
                                                               group ? L"Group" : L"Button",
                                                               L"Button",
                                                               group ? 0 : parent,
                                                               group ? 10 : 8 + (i % 15) * 20,
                                                               group ? (i == 0 ? 10 : 100) : 16,
                                                               group ? 320 : 18,
                                                               group ? 80 : 18,
                                                               L"",
                                                               group ? kGroup : kButton,
                                                               0,
                                                               win::AnchorTopLeft,
                                                               nullptr};
    }
    return rows;
}();

constexpr win::FormDescription kTestForm{L"TonvaleTestForm",
                                         L"Test form",
                                         WS_OVERLAPPEDWINDOW,
                                         WS_EX_CONTROLPARENT,
                                         340,
                                         200,
                                         win::FirstPlacement::CentreOnScreen,
                                         kRows,
                                         {}};

class TestForm final : public win::Form {
  public:
    TestForm() : Form(GetModuleHandleW(nullptr), kTestForm) { create(); }
    void onFailure(std::exception_ptr) override {}
};

TEST(FormMachinery, BuildsEveryRowOfATableOfAnySize) {
    TestForm form;
    std::vector<HWND> buttons;
    for (int i = 0; i < 30; ++i) {
        HWND control = form.control(1000 + i);
        ASSERT_NE(control, nullptr) << i;
        EXPECT_EQ(GetDlgCtrlID(control), 1000 + i);
        if (i != 0 && i != 15) {
            buttons.push_back(control);
        }
    }
    EXPECT_EQ(form.control(1030), nullptr);
    EXPECT_EQ(form.control(L"Group"), form.control(1000)) << "the first of that name";

    // The keyboard order is the table's, from the first button of the first group on.
    HWND current = GetNextDlgTabItem(form.handle(), nullptr, FALSE);
    for (HWND expected : buttons) {
        EXPECT_EQ(current, expected);
        current = GetNextDlgTabItem(form.handle(), current, FALSE);
    }
    // Both groups lie beneath every button.
    EXPECT_EQ(GetWindow(form.control(1000), GW_HWNDLAST), form.control(1015));
    EXPECT_EQ(GetWindow(form.control(1015), GW_HWNDPREV), form.control(1000));
}

}  // namespace
}  // namespace tonvale::testing
