// The system's file-open dialog as the Open command runs it, filled in by the test as a user
// would, and the answers it gives.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "OpenDialog.h"
#include "TestFiles.h"

namespace tonvale::testing {
namespace {

struct DialogSeen {
    std::wstring typed;  // what the user types into the name box
    bool found = false;
    std::wstring nameBox;  // what the name box held when the dialog came up
};
DialogSeen* dialogSeen = nullptr;

void CALLBACK fillTheDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowW(L"#32770", L"Open media file(s) for upload to phone");
    if (dialog == nullptr || dialogSeen == nullptr || dialogSeen->found) {
        return;
    }
    dialogSeen->found = true;
    wchar_t shown[512] = {};
    GetDlgItemTextW(dialog, cmb13, shown, 512);
    dialogSeen->nameBox = shown;
    SetDlgItemTextW(dialog, cmb13, dialogSeen->typed.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

std::optional<OpenDialogChoice> runTyping(const OpenDialogState& state, std::wstring typed,
                                          DialogSeen& seen) {
    seen.typed = std::move(typed);
    dialogSeen = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &fillTheDialog);
    auto choice = runOpenDialog(nullptr, state);
    KillTimer(nullptr, timer);
    dialogSeen = nullptr;
    return choice;
}

TEST(OpenDialog, ReturnsEverySelectedFileWithItsFolderAndTheFilterChosen) {
    const TempFolder folder;
    writeBytes(folder / L"a.mid", "a");
    writeBytes(folder / L"b.mid", "b");
    OpenDialogState state;
    state.initialDir = folder.path().wstring();
    state.filter = std::wstring(L"MP3(*.mp3)\0*.mp3\0MIDI(*.mid;*.midi)\0*.mid;*.midi\0", 49);
    state.filterIndex = 2;
    state.fileName = L"first.mid";
    DialogSeen seen;
    const auto choice = runTyping(state, L"\"b.mid\" \"a.mid\"", seen);
    ASSERT_TRUE(seen.found) << "the dialog carries its title";
    EXPECT_EQ(seen.nameBox, L"first.mid");
    ASSERT_TRUE(choice.has_value());
    ASSERT_EQ(choice->files.size(), 2u);
    for (const std::wstring& file : choice->files) {
        EXPECT_EQ(std::filesystem::path(file).parent_path(), folder.path());
    }
    EXPECT_EQ(choice->filterIndex, 2);
}

// The dialog makes the folder the files came from the process's current one; kept so, a USB
// stick or card could not be ejected while the program runs.
TEST(OpenDialog, TheCurrentFolderIsTheOneFromBeforeTheDialog) {
    const TempFolder before;
    const TempFolder chosen;
    writeBytes(chosen / L"a.mid", "a");
    wchar_t original[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, original);
    ASSERT_TRUE(SetCurrentDirectoryW(before.path().c_str()));
    OpenDialogState state;
    state.initialDir = chosen.path().wstring();
    DialogSeen seen;
    const auto choice = runTyping(state, L"a.mid", seen);
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(original);
    ASSERT_TRUE(choice.has_value());
    EXPECT_TRUE(std::filesystem::equivalent(current, before.path())) << current;
}

// Under Wine the program measures a selection of several names before the dialog copies it.
TEST(OpenDialog, ASelectionFitsOnlyWhenItsWholeAnswerIsKnownToFit) {
    const std::wstring names = L"\"a.mid\" \"b.mid\"";
    // "C:\\Music", a zero, "a.mid", a zero, "b.mid", a zero and the closing zero: 22.
    EXPECT_TRUE(selectionFits(9, names, 22));
    EXPECT_FALSE(selectionFits(9, names, 21));
    EXPECT_FALSE(selectionFits(0, names, 65519)) << "a folder of unknown length";
    EXPECT_FALSE(selectionFits(-1, names, 65519));
    EXPECT_TRUE(selectionFits(-1, L"a.mid", 65519)) << "one name the dialog measures itself";
}

TEST(OpenDialog, TheDialogsAnswerGivesFullPathsInItsOrder) {
    EXPECT_EQ(selectedFiles(L"C:\\Music\\one.mid\0"),
              std::vector<std::wstring>{L"C:\\Music\\one.mid"});
    EXPECT_EQ(selectedFiles(L"C:\\Music\0b.mid\0a.mid\0"),
              (std::vector<std::wstring>{L"C:\\Music\\b.mid", L"C:\\Music\\a.mid"}));
    EXPECT_EQ(selectedFiles(L"D:\\\0x.jpg\0y.jpg\0"),
              (std::vector<std::wstring>{L"D:\\x.jpg", L"D:\\y.jpg"}));
    EXPECT_TRUE(selectedFiles(L"\0").empty());
}

}  // namespace
}  // namespace tonvale::testing
