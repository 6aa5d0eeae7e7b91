// The window's own commands, the categories and start-up, pressed and read back as a user would.
#include "Form1Fixture.h"
#include "HeldFile.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

TEST_F(Form1Test, AFreshStartShowsPictureAndADisconnectedPhone) {
    start();
    EXPECT_EQ(win::TabControl(control(L"TabControl1")).selected(), 0);
    EXPECT_EQ(text(L"Edit1"), L"/a/mobile/picture/");
    EXPECT_EQ(panel(0), L"Status: Dinnected");
    EXPECT_EQ(panel(1), L"");
    EXPECT_EQ(panel(2), L"");
    EXPECT_EQ(panel(3), L"");
    EXPECT_EQ(win::ListViewControl(control(L"ListView1")).itemCount(), 0);
    EXPECT_EQ(text(L"Memo1"), L"");
    EXPECT_EQ(text(L"Edit2"), L"");
    EXPECT_EQ(text(L"Edit3"), L"");
    using namespace std::string_literals;
    EXPECT_EQ(form().openDialog().filter,
              L"JPEG(*.jpg;*.jpeg)\0*.jpg;*.jpeg\0GIF(*.gif)\0*.gif\0PNG(*.png)\0*.png\0"
              L"EMS(*.ems;*.emp)\0*.ems;*.emp\0BMP(*.bmp;*.wbmp)\0*.bmp;*.wbmp\0All formats\0"
              L"*.jpg;*.jpeg;*.gif;*.png;*.emp;*.ems;*.wbmp;*.bmp\0\0"s);
    EXPECT_EQ(form().openDialog().title, L"Open media file(s) for upload to phone");
    EXPECT_EQ(callLog().rfind("P2K_Init\n", 0), 0u) << callLog();
    // The settings file is saved at every start: a missing one now exists, empty.
    ASSERT_TRUE(fs::exists(settingsPath_));
    EXPECT_EQ(fs::file_size(settingsPath_), 0u);
    EXPECT_TRUE(prompts_.errors.empty());
}

TEST_F(Form1Test, StartUpTakesTheStartingFolderAndSavesTheFileInItsOwnForm) {
    writeBytes(settingsPath_,
               "; remembered by Tonvale\r\n\r\n[options]\r\n  initialdir = C:\\Ring tones\\  \r\n");
    start();
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Ring tones");
    EXPECT_EQ(readBytes(settingsPath_), "[options]\r\ninitialdir=C:\\Ring tones\\\r\n\r\n");
}

TEST_F(Form1Test, StartingFolderKeepsTheBackslashOfADriveRoot) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=D:\\\r\n");
    start();
    EXPECT_EQ(form().openDialog().initialDir, L"D:\\");
}

TEST_F(Form1Test, AnUnwritableSettingsFileIsReportedAndTheRestOfCreationIsSkipped) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=C:\\Music\r\n");
    {
        HeldFile other(settingsPath_, FILE_SHARE_READ);
        ASSERT_TRUE(other.held());
        start();
    }
    ASSERT_EQ(prompts_.errors.size(), 1u);
    const ShownBox& box = prompts_.errors[0];
    EXPECT_EQ(box.title, L"app_tests");
    EXPECT_EQ(box.owner, form().handle());
    const std::wstring expectedStart = L"Cannot create file \"" + settingsPath_.wstring() + L"\". ";
    EXPECT_EQ(box.text.rfind(expectedStart, 0), 0u) << box.text;
    EXPECT_GT(box.text.size(), expectedStart.size()) << "the system's reason follows";
    // Registered and the starting folder taken, but nothing after the failed save.
    EXPECT_EQ(callLog().rfind("P2K_Init\n", 0), 0u);
    EXPECT_EQ(form().openDialog().initialDir, L"C:\\Music");
    EXPECT_EQ(text(L"Edit1"), L"");
    EXPECT_EQ(form().openDialog().filter, L"");
    EXPECT_EQ(panel(0), L"");

    // The program runs on: choosing a category fills the path.
    clickTab(1);
    EXPECT_EQ(text(L"Edit1"), L"/a/mobile/audio/");
}

TEST_F(Form1Test, AnUnreadableSettingsFileSkipsTheStartingFolderToo) {
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=C:\\Music\r\n");
    {
        HeldFile other(settingsPath_, 0);
        ASSERT_TRUE(other.held());
        start();
    }
    ASSERT_EQ(prompts_.errors.size(), 1u);
    const std::wstring expectedStart = L"Cannot open file \"" + settingsPath_.wstring() + L"\". ";
    EXPECT_EQ(prompts_.errors[0].text.rfind(expectedStart, 0), 0u) << prompts_.errors[0].text;
    EXPECT_EQ(form().openDialog().initialDir, L"");
    EXPECT_EQ(text(L"Edit1"), L"");
    EXPECT_EQ(panel(0), L"");
    EXPECT_EQ(readBytes(settingsPath_), "[Options]\r\nInitialDir=C:\\Music\r\n");
}

TEST_F(Form1Test, TabsSwitchThePathAndTheFilterButNothingElse) {
    start();
    writeBytes(folder_ / L"ring.mid", std::string(1536, 'r'));
    openFiles({folder_ / L"ring.mid"});
    press(L"BitBtn10");
    const Lines folders{L"/a/mobile/picture/", L"/a/mobile/audio/", L"/a/mobile/video/",
                        L"/a/mobile/system/", L"/a/mobile/system/"};
    const Lines firstFilters{L"JPEG(*.jpg;*.jpeg)", L"MP3(*.mp3)", L"3GP(*.3gp)", L"SPCOLOR(*.sch)",
                             L"MMA_UCP"};
    for (int index : {3, 4, 1, 2, 0}) {
        clickTab(index);
        EXPECT_EQ(win::TabControl(control(L"TabControl1")).selected(), index);
        EXPECT_EQ(text(L"Edit1"), folders[static_cast<size_t>(index)]);
        EXPECT_EQ(form().openDialog().filter.c_str(), firstFilters[static_cast<size_t>(index)]);
    }
    EXPECT_EQ(rows(), Lines{L"ring.mid|.mid|2"});
    EXPECT_EQ(text(L"Edit2"), L"1536");
    EXPECT_EQ(text(L"Memo1"), L"");
    EXPECT_EQ(panel(0), L"Status: Dinnected");
}

TEST_F(Form1Test, ClearFilesListEmptiesTheListAndBothFiguresButNotTheLog) {
    startConnected();
    EXPECT_FALSE(text(L"Edit3").empty());
    writeBytes(folder_ / L"a.mid", std::string(4096, 'a'));
    writeBytes(folder_ / L"b.mid", "b");
    openFiles({folder_ / L"a.mid", folder_ / L"b.mid"});
    EXPECT_EQ(text(L"Edit2"), L"4097");
    press(L"BitBtn10");
    press(L"BitBtn11");  // a line in the log, and the phone restarts
    press(L"BitBtn9");
    EXPECT_EQ(win::ListViewControl(control(L"ListView1")).itemCount(), 0);
    EXPECT_EQ(text(L"Edit2"), L"");
    EXPECT_EQ(text(L"Edit3"), L"");
    EXPECT_EQ(logLines(), Lines{L"Restarting phone..."});
}

TEST_F(Form1Test, ClearLogFileEmptiesOnlyTheLog) {
    start();
    writeBytes(folder_ / L"a.mid", "a");
    openFiles({folder_ / L"a.mid"});
    press(L"BitBtn10");
    press(L"BitBtn11");
    press(L"BitBtn3");
    EXPECT_EQ(logLines(), (Lines{L"Phone not connected", L"Phone not connected"}));
    press(L"BitBtn10");
    EXPECT_EQ(text(L"Memo1"), L"");
    EXPECT_EQ(win::ListViewControl(control(L"ListView1")).itemCount(), 1);
    EXPECT_EQ(panel(0), L"Status: Dinnected");
}

TEST_F(Form1Test, BothAboutEntriesShowTheSameBoxWithoutOwner) {
    start();
    choose(IdAbout1);
    choose(IdAbout2);
    ASSERT_EQ(prompts_.abouts.size(), 2u);
    for (const ShownBox& box : prompts_.abouts) {
        EXPECT_EQ(box.title, L"About Tonvale...");
        EXPECT_EQ(box.text, prompts_.abouts[0].text);
        EXPECT_NE(box.text.find(L"\n\n"), std::wstring::npos);
    }
    EXPECT_NE(prompts_.abouts[0].text.find(L"Tonvale"), std::wstring::npos);
}

// While the About box is up: the main window takes a command, then the box is dismissed.
struct AboutObserved {
    HWND form;
    HWND clearButton;
    bool boxFound = false;
    bool boxOwned = true;
    bool formEnabled = false;
    bool logCleared = false;
};
AboutObserved* aboutObserved = nullptr;

void CALLBACK actWhileAboutIsOpen(HWND, UINT, UINT_PTR, DWORD) {
    AboutObserved* observed = aboutObserved;
    HWND box = FindWindowW(L"#32770", L"About Tonvale...");
    if (observed == nullptr || box == nullptr || observed->boxFound) {
        return;
    }
    observed->boxFound = true;
    observed->boxOwned = GetWindow(box, GW_OWNER) != nullptr;
    observed->formEnabled = IsWindowEnabled(observed->form) != FALSE;
    SendMessageW(observed->clearButton, BM_CLICK, 0, 0);
    observed->logCleared = GetWindowTextLengthW(GetDlgItem(observed->form, IdMemo1)) == 0;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Form1Test, TheRealAboutBoxLeavesTheWindowUsable) {
    SystemPrompts systemPrompts;
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone_, &systemPrompts, settingsPath_, L"app_tests", false});
    form_->show(SW_SHOWNOACTIVATE);
    press(L"BitBtn11");

    AboutObserved seen{form().handle(), control(L"BitBtn10")};
    aboutObserved = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &actWhileAboutIsOpen);
    choose(IdAbout1);
    KillTimer(nullptr, timer);
    aboutObserved = nullptr;
    EXPECT_TRUE(seen.boxFound);
    EXPECT_FALSE(seen.boxOwned);
    EXPECT_TRUE(seen.formEnabled);
    EXPECT_TRUE(seen.logCleared) << "a command chosen during About runs at once";
}

TEST_F(Form1Test, BothExitEntriesAndTheCloseBoxEndTheWindow) {
    for (int entry : {int{IdExit1}, int{IdExit2}, 0}) {
        start();
        HWND window = form().handle();
        if (entry == 0) {
            SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            choose(entry);
        }
        EXPECT_FALSE(IsWindow(window)) << entry;
        form_.reset();
    }
}

}  // namespace
}  // namespace tonvale::testing
