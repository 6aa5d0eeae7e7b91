// The whole program as a user meets it: Tonvale.exe started beside the virtual phone and
// driven from outside through its window, its real file-open dialog and its message boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "Form1Layout.h"
#include "Form2Layout.h"
#include "OtherProcessWindows.h"
#include "RunningTonvale.h"
#include "TestFiles.h"

namespace tonvale::e2e {
namespace {

using Lines = std::vector<std::wstring>;
using testing::hintWindowOf;
using testing::readBytes;
using testing::TempFolder;
using testing::wineTrayIcons;
using testing::writeBytes;

std::string patterned(size_t size, int seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 151 + static_cast<size_t>(seed) * 29 + i / 1021) & 0xFF);
    }
    return bytes;
}

class EndToEnd : public ::testing::Test {
  protected:
    fs::path local(const wchar_t* name, const std::string& bytes) {
        const fs::path file = folder_ / L"files" / name;
        fs::create_directories(file.parent_path());
        writeBytes(file, bytes);
        return file;
    }
    // Started and through its start-up: the window may be found before its creation ends,
    // and the settings file is saved before the status shows; an attached phone is reported.
    std::unique_ptr<RunningTonvale> startTonvale(const PhoneSettings& phone = {}) {
        auto tonvale = std::make_unique<RunningTonvale>(folder_ / L"Tonvale", phone);
        if (phone.attached) {
            EXPECT_TRUE(tonvale->waitForLogLine(L"Connected"));
        } else {
            EXPECT_TRUE(waitUntil([&] { return tonvale->panel(0) == L"Status: Dinnected"; }));
        }
        return tonvale;
    }

    TempFolder folder_;
};

// Attach, pick a category, Open in the real dialog, Upload: for every category.
TEST_F(EndToEnd, TheTypicalRoadPutsTheFilesOfEveryCategoryOnThePhone) {
    struct Road {
        int tab;
        const wchar_t* phoneFolder;
        std::vector<std::wstring> names;
    };
    const Road roads[] = {
        {0, L"picture", {L"logo.gif", L"wall.jpg"}},
        {1, L"audio", {L"ring.mid", L"song.mp3"}},
        {2, L"video", {L"clip.3gp"}},
        {3, L"system", {L"blue.sch"}},
        {4, L"system", {L"MMA_UCP"}},
    };
    auto tonvale = startTonvale();
    // The log's hint is added once the window first waits for input.
    HWND hint = nullptr;
    for (int waited = 0; hint == nullptr && waited < 5000; waited += 20) {
        Sleep(20);
        hint = hintWindowOf(tonvale->window());
    }
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(SendMessageW(hint, TTM_GETTOOLCOUNT, 0, 0), 1);
    int seed = 0;
    for (const Road& road : roads) {
        SCOPED_TRACE(road.tab);
        const fs::path files = folder_ / L"files" / std::to_wstring(road.tab);
        std::vector<std::string> contents;
        for (const std::wstring& name : road.names) {
            contents.push_back(patterned(road.tab == 2 ? 300000 : 5000 + 700 * seed, seed));
            ++seed;
            fs::create_directories(files);
            writeBytes(files / name, contents.back());
        }
        tonvale->press(IdBitBtn10);  // a fresh log to read,
        tonvale->press(IdBitBtn9);   // a fresh list, which empties the free-space figure,
        tonvale->press(IdBitBtn4);   // and Connect, after which the phone reports it again
        ASSERT_TRUE(waitUntil([&] { return tonvale->logLines() == Lines{L"Connected"}; }));
        tonvale->clickTab(road.tab);
        ASSERT_TRUE(waitUntil([&] {
            return tonvale->text(IdEdit1) == L"/a/mobile/" + std::wstring(road.phoneFolder) + L"/";
        }));
        tonvale->press(IdBitBtn1);
        tonvale->pickInOpenDialog(files, road.names);
        ASSERT_TRUE(tonvale->waitForLogLine(L"Total: " + std::to_wstring(road.names.size()) +
                                            L" files opened"));
        tonvale->press(IdBitBtn2);
        ASSERT_TRUE(tonvale->waitForLogLine(road.names.back() + L" was uploaded in phone"));
        for (size_t i = 0; i < road.names.size(); ++i) {
            EXPECT_TRUE(readBytes(tonvale->phoneFolder(road.phoneFolder) / road.names[i]) ==
                        contents[i])
                << "not byte for byte on the phone";
        }
        EXPECT_EQ(tonvale->progressPosition(), static_cast<int>(road.names.size()));
    }
    tonvale->choose(IdExit1);
    EXPECT_EQ(tonvale->waitForExit(), 0);
}

// The phone comes back by itself, at a time of its own, so what shows while it is away is the
// window tests' to check; here the log tells the order.
TEST_F(EndToEnd, UpdateRingsAndRestartShowThePhoneGoneUntilItAttachesAgain) {
    auto tonvale = startTonvale();
    EXPECT_EQ(tonvale->panel(1), L"Phone: E398");
    tonvale->press(IdBitBtn3);
    ASSERT_TRUE(tonvale->waitForLogLine(L"Connected", 2));
    EXPECT_EQ(tonvale->logLines(), (Lines{L"Connected", L"/a/mobile/audio/MyToneDB.db was deleted",
                                          L"/a/mobile/audio/TempToneDB.db was deleted",
                                          L"Restarting phone...", L"Connected"}));
    EXPECT_FALSE(fs::exists(tonvale->phoneFolder(L"audio") / L"MyToneDB.db"));
    EXPECT_EQ(tonvale->panel(0), L"Status: Connected");

    tonvale->choose(IdRestart1);
    ASSERT_TRUE(tonvale->waitForLogLine(L"Connected", 3));
    EXPECT_EQ(tonvale->logLines()[5], L"Restarting phone...");
    EXPECT_EQ(tonvale->panel(1), L"Phone: E398");
}

TEST_F(EndToEnd, UploadAfterClearFilesListShowsTheConversionMessageAndWritesNothing) {
    const fs::path file = local(L"photo.jpg", patterned(4000, 1));
    auto tonvale = startTonvale();
    tonvale->press(IdBitBtn9);
    ASSERT_TRUE(waitUntil([&] { return tonvale->text(IdEdit3).empty(); }));
    tonvale->choose(IdOpenfiles1);
    tonvale->pickInOpenDialog(file.parent_path(), {L"photo.jpg"});
    ASSERT_TRUE(tonvale->waitForLogLine(L"Total: 1 files opened"));
    EXPECT_EQ(tonvale->rows(), Lines{L"photo.jpg|.jpg|4"});
    tonvale->choose(IdUploadfiles1);
    EXPECT_EQ(tonvale->answerMessageBox(), L"'' is not a valid integer value.");
    EXPECT_FALSE(fs::exists(tonvale->phoneFolder(L"picture") / L"photo.jpg"));
    // The command ended at the conversion, before any closing count.
    const Lines log = tonvale->logLines();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], L"Total size: 4 Kbytes");
    EXPECT_EQ(log.back(), L"2 files found in phone");
}

TEST_F(EndToEnd, TheSettingsFileIsWrittenAtStartInItsOwnForm) {
    fs::create_directories(folder_ / L"Tonvale");
    writeBytes(folder_ / L"Tonvale" / L"Tonvale.ini",
               "; mine\r\n[Options]\r\nInitialDir=C:\\Music\\\r\n");
    auto tonvale = startTonvale({false});
    EXPECT_EQ(tonvale->panel(0), L"Status: Dinnected");
    EXPECT_EQ(readBytes(tonvale->settingsFile()), "[Options]\r\nInitialDir=C:\\Music\\\r\n\r\n");
    tonvale->choose(IdExit1);
    EXPECT_EQ(tonvale->waitForExit(), 0);
}

TEST_F(EndToEnd, OptionsStoresTheStartingFolderThatTheOpenDialogThenStartsIn) {
    const fs::path file = local(L"tone.mid", "MThd");
    auto tonvale = startTonvale({false});
    EXPECT_EQ(readBytes(tonvale->settingsFile()), "") << "written, empty, at the first start";
    tonvale->choose(IdOptions1);
    HWND options = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        options = FindWindowW(L"TForm2", L"Options");
        return options != nullptr && IsWindowVisible(options);
    }));
    SendMessageW(GetDlgItem(options, IdForm2Edit2), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(file.parent_path().c_str()));
    PostMessageW(GetDlgItem(options, IdForm2BitBtn1), BM_CLICK, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(options); }));
    EXPECT_EQ(readBytes(tonvale->settingsFile()),
              "[Options]\r\nInitialDir=" + file.parent_path().string() +
                  "\r\nFitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n");

    // A bare name typed into the dialog is found in the folder it now starts in.
    tonvale->press(IdBitBtn1);
    tonvale->pickInOpenDialog({}, {L"tone.mid"});
    EXPECT_TRUE(tonvale->waitForLogLine(L"Opened file: " + file.wstring()));
}

TEST_F(EndToEnd, MinimisingGoesToTheTrayAndExitFromTheTrayMenuEndsTheProgram) {
    auto tonvale = startTonvale();
    const size_t iconsBefore = wineTrayIcons().size();
    PostMessageW(tonvale->window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(tonvale->window()); }));
    ASSERT_TRUE(waitUntil([&] { return wineTrayIcons().size() == iconsBefore + 1; }));
    HWND icon = wineTrayIcons().back();
    PostMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(icon, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(tonvale->window()) != FALSE; }));
    EXPECT_TRUE(waitUntil([&] { return wineTrayIcons().size() == iconsBefore; }));
    EXPECT_EQ(tonvale->logLines(), Lines{L"Connected"}) << "the window comes back as it was";

    // The tray menu's commands reach the hidden window.
    PostMessageW(tonvale->window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitUntil([&] { return wineTrayIcons().size() == iconsBefore + 1; }));
    tonvale->choose(IdRestartphone1);
    ASSERT_TRUE(tonvale->waitForLogLine(L"Restarting phone..."));
    EXPECT_FALSE(IsWindowVisible(tonvale->window()));
    tonvale->choose(IdExit2);
    EXPECT_EQ(tonvale->waitForExit(), 0);
    EXPECT_TRUE(waitUntil([&] { return wineTrayIcons().size() == iconsBefore; }));
}

}  // namespace
}  // namespace tonvale::e2e
