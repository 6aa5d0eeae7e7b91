// Open, the file list and Upload in the real window against the virtual phone: what the user
// sees, and the files on the phone byte for byte.
#include "Form1Fixture.h"

#include <shlobj.h>

#include <algorithm>
#include <thread>

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

std::string patterned(size_t size, int seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + static_cast<size_t>(seed) * 17 + i / 977) & 0xFF);
    }
    return bytes;
}

using TransferTest = Form1Test;

TEST_F(TransferTest, OpenShowsTheFilesInNameOrderLogsThemAndRemembersTheDialog) {
    start();
    const fs::path b = localFile(L"b.mid", std::string(1536, 'b'));
    const fs::path a = localFile(L"a.mid", std::string(2560, 'a'));
    const fs::path c = localFile(L"C.mid", std::string(500, 'c'));
    // The phone's names ignore case, as Windows' do: one from another folder is not added.
    const fs::path upper = localFile(L"other\\B.mid", std::string(500, 'B'));
    clickTab(1);
    openFiles({b, a, upper, c}, 2);
    EXPECT_EQ(rows(), (Lines{L"a.mid|.mid|2", L"b.mid|.mid|2", L"C.mid|.mid|0"}));
    EXPECT_EQ(logLines(), (Lines{L"Opened file: " + b.wstring(), L"Opened file: " + a.wstring(),
                                 L"B.mid is already in the list", L"Opened file: " + c.wstring(),
                                 L"Total: 3 files opened", L"Total size: 4 Kbytes"}));
    EXPECT_EQ(text(L"Edit2"), L"4596");
    EXPECT_EQ(progressMaximum(), 0);

    // The dialog ran over the Music category, and the next one starts from this selection.
    ASSERT_EQ(prompts_.dialogs.size(), 1u);
    EXPECT_EQ(prompts_.dialogs[0].title, L"Open media file(s) for upload to phone");
    EXPECT_EQ(prompts_.dialogs[0].filter.substr(0, 10), L"MP3(*.mp3)");
    EXPECT_EQ(prompts_.dialogs[0].filterIndex, 1);
    EXPECT_EQ(prompts_.dialogs[0].fileName, L"");
    press(L"BitBtn1");  // cancelled
    EXPECT_EQ(prompts_.dialogs[1].fileName, b.wstring());
    EXPECT_EQ(prompts_.dialogs[1].filterIndex, 2);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(text(L"Edit2"), L"0");
    choose(IdOpenfiles1);  // the menu entry runs the same command
    EXPECT_EQ(prompts_.dialogs.size(), 3u);
    EXPECT_EQ(prompts_.dialogs[2].filterIndex, 2) << "a cancelled choice is not kept";
}

// More rows than the list shows bring its vertical bar, and the name column gives up the bar's
// width rather than push the other two out of sight behind a horizontal bar.
TEST_F(TransferTest, TheNameColumnMakesRoomForTheScrollBarWhenTheRowsOverflow) {
    startShown();
    HWND list = control(L"ListView1");
    auto columnsFitTheList = [&] {
        RECT client{};
        GetClientRect(list, &client);
        return ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1) +
                   ListView_GetColumnWidth(list, 2) ==
               client.right;
    };
    std::vector<fs::path> files;
    for (int i = 0; i < 60; ++i) {
        files.push_back(localFile(L"tone" + std::to_wstring(i) + L".mid", "x"));
    }
    openFiles(files);
    pumpFor(10);
    ASSERT_EQ(rows().size(), 60u);
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(columnsFitTheList());
    EXPECT_EQ(ListView_GetColumnWidth(list, 1), 50);

    press(L"BitBtn9");
    pumpFor(10);
    EXPECT_FALSE(GetWindowLongPtrW(list, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_TRUE(columnsFitTheList()) << "the name column takes the bar's width back";
}

TEST_F(TransferTest, AFileThatCannotBeMeasuredEndsOpenWithTheErrorBox) {
    start();
    const fs::path a = localFile(L"a.mid", "a");
    // The log shows how far Open came while the box is still open.
    Lines logWhileBoxIsOpen;
    prompts_.whileErrorIsOpen = [&] { logWhileBoxIsOpen = logLines(); };
    openFiles({a, folder_ / L"gone.mid", localFile(L"c.mid", "c")});
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_EQ(logWhileBoxIsOpen, (Lines{L"Opened file: " + a.wstring(),
                                        L"Opened file: " + (folder_ / L"gone.mid").wstring()}));
    EXPECT_EQ(prompts_.errors[0].text, L"File not found.");
    EXPECT_EQ(rows(), (Lines{L"a.mid|.mid|0", L"gone.mid|.mid|"}));
    EXPECT_EQ(logLines().back(), L"Opened file: " + (folder_ / L"gone.mid").wstring());
    EXPECT_EQ(text(L"Edit2"), L"");
}

TEST_F(TransferTest, RenamingInPlaceMovesTheRowAndRefusesNamesThePhoneCannotHold) {
    startShown();
    openFiles({localFile(L"a.mid", "a"), localFile(L"b.mid", "b")});
    press(L"BitBtn10");
    auto rename = [&](int row, const wchar_t* name, UINT key) {
        ASSERT_NE(editName(row, name), nullptr);
        typeKey(key);
    };
    rename(0, L"z.mid", VK_RETURN);
    EXPECT_EQ(rows(), (Lines{L"b.mid|.mid|0", L"z.mid|.mid|0"}));
    rename(0, L"c.mid", VK_ESCAPE);
    EXPECT_EQ(rows(), (Lines{L"b.mid|.mid|0", L"z.mid|.mid|0"})) << "a cancel keeps the name";
    rename(1, L"..\\z.mid", VK_RETURN);
    EXPECT_EQ(rows(), (Lines{L"b.mid|.mid|0", L"z.mid|.mid|0"}));
    EXPECT_EQ(logLines(), Lines{L"Name not changed: \"..\\z.mid\" holds \"\\\", which a file name "
                                L"on the phone cannot hold"});
    EXPECT_TRUE(IsWindow(form().handle()));
}

// An HDROP as Explorer hands it over.
// A drop of `files` at `point`, in the client area of the window that takes it.
HGLOBAL dropOf(const std::vector<fs::path>& files, POINT point) {
    std::wstring names;
    for (const fs::path& file : files) {
        names += file.wstring() + L'\0';
    }
    names += L'\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    return memory;
}

// The system hands a drop to the nearest window, from the one under the pointer up, that
// accepts files, with the point in that window's client area.
HWND takerOfDropsOn(HWND window) {
    while (window != nullptr && !(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) {
        window = GetParent(window);
    }
    return window;
}

void dropOn(HWND control, int x, int y, const std::vector<fs::path>& files) {
    HWND taker = takerOfDropsOn(control);
    ASSERT_NE(taker, nullptr) << "nothing takes a drop there";
    POINT point{x, y};
    MapWindowPoints(control, taker, &point, 1);
    SendMessageW(taker, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(files, point)), 0);
}

// A drop as Explorer makes it, posted: it arrives when the window next looks at its queue.
void postDropOn(HWND control, int x, int y, const std::vector<fs::path>& files) {
    HWND taker = takerOfDropsOn(control);
    POINT point{x, y};
    MapWindowPoints(control, taker, &point, 1);
    PostMessageW(taker, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(files, point)), 0);
}

// A drop, Open from the menu or Clear files list, none of which takes the focus from an open
// name edit, ends the edit first; its name goes to the entry the edit began on.
TEST_F(TransferTest, AnOpenNameEditEndsBeforeTheListChangesAndRenamesItsOwnEntry) {
    startShown();
    const fs::path c = localFile(L"c.mid", "c");
    openFiles({localFile(L"a.mid", "a"), c});
    press(L"BitBtn10");
    HWND list = control(L"ListView1");
    ASSERT_NE(editName(1, L"x.mid"), nullptr);
    postDropOn(list, 10, 40, {localFile(L"b.mid", "b")});
    ASSERT_TRUE(pumpUntil([&] { return rows().size() == 3; }));
    typeKey(VK_RETURN);  // the user ends the edit, were it still open
    EXPECT_EQ(rows(), (Lines{L"a.mid|.mid|0", L"b.mid|.mid|0", L"x.mid|.mid|0"}));
    EXPECT_EQ(prompts_.dialogs.size(), 1u) << "the drop was no Open";

    ASSERT_NE(editName(0, L"y.mid"), nullptr);
    prompts_.choices.push_back(OpenDialogChoice{{localFile(L"d.mid", "d").wstring()}, 1});
    choose(IdOpenfiles1);
    typeKey(VK_RETURN);
    EXPECT_EQ(rows(), (Lines{L"b.mid|.mid|0", L"d.mid|.mid|0", L"x.mid|.mid|0", L"y.mid|.mid|0"}));

    // Clear files list, as the keyboard's or another program's click: the refused name's line
    // comes before the list goes.
    press(L"BitBtn10");
    ASSERT_NE(editName(0, L"a/b.mid"), nullptr);
    SendMessageW(form().handle(), WM_COMMAND, MAKEWPARAM(IdBitBtn9, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(L"BitBtn9")));
    EXPECT_EQ(ListView_GetEditControl(list), nullptr);
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(logLines(), (Lines{L"Name not changed: \"a/b.mid\" holds \"/\", which a file "
                                 L"name on the phone cannot hold"}));
}

// One name, one phone file: a rename onto another entry's name is refused, one that changes
// only the case of its own is taken, and each entry arrives as a file of its own.
TEST_F(TransferTest, ARenameOntoAListedNameIsRefusedAndEveryEntryArrives) {
    startShown();
    P2KTest_Attach();
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    clickTab(1);
    openFiles({localFile(L"ring.mid", "ring"), localFile(L"tone.mid", "tone")});
    press(L"BitBtn10");
    const auto rename = [&](int row, const wchar_t* name) {
        ASSERT_NE(editName(row, name), nullptr);
        typeKey(VK_RETURN);
    };
    rename(1, L"RING.mid");
    rename(0, L"Ring.MID");
    EXPECT_EQ(rows(), (Lines{L"Ring.MID|.mid|0", L"tone.mid|.mid|0"}));
    EXPECT_EQ(logLines(), Lines{L"Name not changed: \"RING.mid\" is already in the list"});
    press(L"BitBtn2");
    EXPECT_EQ(readBytes(onPhone(L"audio", L"Ring.MID")), "ring");
    EXPECT_EQ(readBytes(onPhone(L"audio", L"tone.mid")), "tone");
}

TEST_F(TransferTest, FilesDroppedOnTheListAreAddedAsIfOpened) {
    start();
    const fs::path b = localFile(L"b.gif", std::string(2048, 'b'));
    const fs::path a = localFile(L"a.jpg", std::string(1024, 'a'));
    dropOn(control(L"Memo1"), 10, 10, {b});
    EXPECT_TRUE(rows().empty()) << "a drop on the log";
    dropOn(control(L"ListView1"), 10, 40, {b, a});
    EXPECT_EQ(rows(), (Lines{L"a.jpg|.jpg|1", L"b.gif|.gif|2"}));
    EXPECT_EQ(logLines(), (Lines{L"Opened file: " + b.wstring(), L"Opened file: " + a.wstring(),
                                 L"Total: 2 files opened", L"Total size: 3 Kbytes"}));
    EXPECT_EQ(text(L"Edit2"), L"3072");
    EXPECT_TRUE(prompts_.dialogs.empty());
}

TEST_F(TransferTest, UploadPutsEveryFileOnThePhoneByteForByte) {
    startConnected();
    press(L"BitBtn10");
    const std::string big = patterned(5 * 1024 * 1024 + 3, 1);
    const std::string middle = patterned(200000, 2);
    writeBytes(onPhone(L"video", L"b.3gp"), "an older clip");
    clickTab(2);
    openFiles({localFile(L"c.mp4", big), localFile(L"b.3gp", middle), localFile(L"a.3gp", "")});
    press(L"BitBtn10");
    press(L"BitBtn2");
    EXPECT_EQ(readBytes(onPhone(L"video", L"a.3gp")), "");
    EXPECT_EQ(readBytes(onPhone(L"video", L"b.3gp")), middle) << "the older file is replaced";
    EXPECT_TRUE(readBytes(onPhone(L"video", L"c.mp4")) == big);
    const Lines log = logLines();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[1], L"a.3gp was uploaded in phone");
    EXPECT_EQ(log[2], L"b.3gp was uploaded in phone");
    EXPECT_EQ(log[3], L"c.mp4 was uploaded in phone");
    EXPECT_EQ(log[0].substr(log[0].find(L' ')), L" files found in phone");
    EXPECT_EQ(std::stoi(log[4]), std::stoi(log[0]) + 2) << "b.3gp replaced one already there";
    EXPECT_EQ(progressMaximum(), 3);
    EXPECT_EQ(progressPosition(), 3);
}

// Typing in the list selects as in Explorer's details view: the next row whose name begins
// with the letters; letters no name begins with select nothing else.
TEST_F(TransferTest, TypedLettersSelectTheNextRowWhoseNameBeginsWithThem) {
    startShown();
    openFiles({localFile(L"apple.jpg", "a"), localFile(L"Banana.jpg", "b"),
               localFile(L"cherry.jpg", "c")});
    HWND list = control(L"ListView1");
    SetFocus(list);
    auto selectedRow = [list] { return ListView_GetNextItem(list, -1, LVNI_SELECTED); };
    PostMessageW(list, WM_CHAR, L'b', 1);
    pumpFor(50);
    EXPECT_EQ(selectedRow(), 1);
    Sleep(1100);  // a pause ends the typed word
    PostMessageW(list, WM_CHAR, L'c', 1);
    pumpFor(50);
    EXPECT_EQ(selectedRow(), 2);
    Sleep(1100);
    PostMessageW(list, WM_CHAR, L'z', 1);
    pumpFor(50);
    EXPECT_EQ(selectedRow(), 2);
}

// A name edit open when Upload is chosen from the menu (which takes no focus) ends first; a
// focus change while the upload runs, which would end it then, changes nothing of the list the
// upload works through. Every file arrives once, under one name.
TEST_F(TransferTest, ANameEditOpenWhenTheMenusUploadStartsEndsFirstAndEveryFileArrivesOnce) {
    startWithLibrary("WriteKiBPerSecond=40\r\n");
    form_->show(SW_SHOW);
    SetForegroundWindow(form_->handle());
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    std::vector<fs::path> files;
    for (int i = 0; i < 20; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"f%02d.jpg", i);
        files.push_back(localFile(name, patterned(8192, i)));
    }
    openFiles(files);
    HWND edit = editName(0, L"zz-renamed.jpg");
    ASSERT_NE(edit, nullptr);
    // As the user switching to another window meanwhile: the edit loses the focus.
    std::thread switcher([edit] {
        Sleep(300);
        SendMessageW(edit, WM_KILLFOCUS, 0, 0);
    });
    choose(IdUploadfiles1);
    switcher.join();

    const Lines log = logLines();
    int uploaded = 0;
    for (const std::wstring& line : log) {
        uploaded += line.ends_with(L" was uploaded in phone") ? 1 : 0;
    }
    EXPECT_EQ(uploaded, 20);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"zz-renamed.jpg was uploaded in phone"), 1);
    EXPECT_FALSE(fs::exists(onPhone(L"picture", L"f00.jpg")));
    EXPECT_EQ(readBytes(onPhone(L"picture", L"zz-renamed.jpg")), patterned(8192, 0));
    for (int i = 1; i < 20; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"f%02d.jpg", i);
        EXPECT_EQ(
            std::count(log.begin(), log.end(), std::wstring(name) + L" was uploaded in phone"), 1)
            << name;
        EXPECT_EQ(readBytes(onPhone(L"picture", name)), patterned(8192, i)) << name;
    }
    EXPECT_EQ(rows().back(), L"zz-renamed.jpg|.jpg|8");
}

}  // namespace
}  // namespace tonvale::testing
