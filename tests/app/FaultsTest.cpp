// What goes wrong around the window: a phone pulled mid-upload, local files locked or gone,
// names the phone cannot take, a settings folder that takes no new file, a selection beyond 2 GiB,
// a flood of notifications during an upload and a selection too long for the file
// dialog.
#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <chrono>

#include "Form1Fixture.h"
#include "SettingsFileIO.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

class FaultsTest : public Form1Test {
  protected:
    // The library's calls from the first line that starts with `from`.
    std::string callsFrom(const std::string& from) const {
        const std::string log = callLog();
        const size_t at = log.find(from);
        return at == std::string::npos ? std::string() : log.substr(at);
    }
};

TEST_F(FaultsTest, APhonePulledMidUploadEndsItAfterTheEntryInHandAndTheNextUploadWritesAll) {
    startConnected();
    press(L"BitBtn10");
    const std::string middle(200000, 'm');  // four pieces: the phone goes after the second
    std::vector<fs::path> files;
    for (const wchar_t* name : {L"a.jpg", L"b.jpg", L"c.jpg", L"d.jpg", L"e.jpg"}) {
        files.push_back(localFile(name, name == std::wstring(L"c.jpg") ? middle : "x"));
    }
    openFiles(files);
    press(L"BitBtn10");
    P2KTest_DetachAfterWrites(4);
    press(L"BitBtn2");

    const Lines log = logLines();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(log[0].substr(log[0].find(L' ')), L" files found in phone");
    EXPECT_EQ(Lines(log.begin() + 1, log.end()),
              (Lines{L"a.jpg was uploaded in phone", L"b.jpg was uploaded in phone",
                     L"file creat error", L"file creat error", L"c.jpg was not uploaded in phone",
                     L"not connect", L"-1 files found in phone"}));
    EXPECT_EQ(progressMaximum(), 5);
    EXPECT_EQ(progressPosition(), 2);
    // After the failed write the program closes the file and asks for it to go, then tries the
    // entry again within its bound; the entries after it are left alone.
    EXPECT_EQ(callsFrom("File_Create /a/mobile/picture/c.jpg"),
              "File_Create /a/mobile/picture/c.jpg 0\nFile_Write 65535\nFile_Write 65535\n"
              "File_Write 65535\nFile_Close\nFile_Delete /a/mobile/picture/c.jpg\n"
              "File_Delete /a/mobile/picture/c.jpg\nFile_Create /a/mobile/picture/c.jpg 0\n"
              "File_Delete /a/mobile/picture/c.jpg\nFile_Create /a/mobile/picture/c.jpg 0\n"
              "P2K_GetStatus\nFile_Count\nFile_Count\n");
    EXPECT_EQ(readBytes(onPhone(L"picture", L"b.jpg")), "x");
    // A phone that is gone cannot delete: the two pieces that arrived stay, closed.
    EXPECT_TRUE(readBytes(onPhone(L"picture", L"c.jpg")) == middle.substr(0, 2 * 65535));
    HeldFile exclusive(onPhone(L"picture", L"c.jpg"), 0);
    EXPECT_TRUE(exclusive.held()) << "the phone file was left open";
    exclusive.release();
    EXPECT_FALSE(fs::exists(onPhone(L"picture", L"d.jpg")));
    EXPECT_TRUE(prompts_.errors.empty());

    P2KTest_Attach();
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    press(L"BitBtn2");
    for (const wchar_t* name : {L"a.jpg", L"b.jpg", L"d.jpg", L"e.jpg"}) {
        EXPECT_EQ(readBytes(onPhone(L"picture", name)), "x") << name;
    }
    EXPECT_TRUE(readBytes(onPhone(L"picture", L"c.jpg")) == middle);
    EXPECT_EQ(logLines().back().substr(logLines().back().find(L' ')), L" files found in phone");
    EXPECT_EQ(progressPosition(), 5);
}

TEST_F(FaultsTest, LocalFilesLockedOrGoneEndOpenAndUploadWithTheRuntimesMessage) {
    startConnected();
    press(L"BitBtn10");
    const fs::path a = localFile(L"a.mid", "aaaa");
    const fs::path b = localFile(L"b.mid", "bb");
    const fs::path c = localFile(L"c.mid", "c");
    {
        HeldFile writer(b, 0);
        ASSERT_TRUE(writer.held());
        openFiles({a, b, c});
    }
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_EQ(prompts_.errors[0].text, L"I/O error 32.");
    EXPECT_EQ(rows(), (Lines{L"a.mid|.mid|0", L"b.mid|.mid|"}));
    EXPECT_EQ(logLines(), (Lines{L"Opened file: " + a.wstring(), L"Opened file: " + b.wstring()}));

    press(L"BitBtn9");
    press(L"BitBtn4");
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    openFiles({a, b, c});
    EXPECT_EQ(text(L"Edit2"), L"7");
    press(L"BitBtn10");
    {
        HeldFile writer(b, 0);
        press(L"BitBtn2");
    }
    ASSERT_EQ(prompts_.errors.size(), 2u);
    EXPECT_EQ(prompts_.errors[1].text, L"I/O error 32.");
    EXPECT_EQ(readBytes(onPhone(L"picture", L"a.mid")), "aaaa");
    EXPECT_FALSE(fs::exists(onPhone(L"picture", L"b.mid")));
    Lines log = logLines();
    ASSERT_EQ(log.size(), 2u) << "no closing count after the failure";
    EXPECT_EQ(log[1], L"a.mid was uploaded in phone");

    press(L"BitBtn10");
    fs::remove(c);
    press(L"BitBtn2");
    ASSERT_EQ(prompts_.errors.size(), 3u);
    EXPECT_EQ(prompts_.errors[2].text, L"File not found.");
    EXPECT_EQ(readBytes(onPhone(L"picture", L"b.mid")), "bb");
    EXPECT_FALSE(fs::exists(onPhone(L"picture", L"c.mid")));
    log = logLines();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(Lines(log.begin() + 1, log.end()),
              (Lines{L"a.mid was uploaded in phone", L"b.mid was uploaded in phone"}));
    // Nothing is left open by the failures.
    EXPECT_TRUE(HeldFile(a, 0).held());
    EXPECT_TRUE(HeldFile(b, 0).held());
}

TEST_F(FaultsTest, NamesThePhoneCannotTakeAreReportedAndTheOthersGoOn) {
    startShown();
    P2KTest_Attach();
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    clickTab(1);
    // A name outside the phone's 8-bit characters, and one the phone's file system refuses.
    openFiles({localFile(L"a\u266B.mid", "a"), localFile(L"b.mid", "b"), localFile(L"c.mid", "c")});
    ASSERT_NE(editName(2, L"c*.mid"), nullptr);
    typeKey(VK_RETURN);
    ASSERT_EQ(rows()[2], L"c*.mid|.mid|0");
    press(L"BitBtn10");
    press(L"BitBtn2");
    const Lines log = logLines();
    ASSERT_EQ(log.size(), 8u);
    EXPECT_EQ(Lines(log.begin() + 1, log.end() - 1),
              (Lines{L"a\u266B.mid was not uploaded in phone: the phone cannot hold its name",
                     L"b.mid was uploaded in phone", L"file creat error", L"file creat error",
                     L"file creat error", L"c*.mid was not uploaded in phone"}));
    std::vector<std::wstring> onThePhone;
    for (const auto& file : fs::directory_iterator(phoneRoot_ / L"mobile" / L"audio")) {
        onThePhone.push_back(file.path().filename().wstring());
    }
    std::sort(onThePhone.begin(), onThePhone.end());
    EXPECT_EQ(onThePhone, (Lines{L"MyToneDB.db", L"TempToneDB.db", L"b.mid"}));
    EXPECT_TRUE(prompts_.errors.empty());
}

TEST_F(FaultsTest, AFirstStartInAFolderThatTakesNoNewFileReportsItAndRunsOn) {
    // As good as a read-only folder, which Wine running as root would write into anyway.
    fs::create_directory(stagingPathFor(settingsPath_));
    start();
    ASSERT_EQ(prompts_.errors.size(), 1u);
    const std::wstring expectedStart = L"Cannot create file \"" + settingsPath_.wstring() + L"\". ";
    EXPECT_EQ(prompts_.errors[0].text.rfind(expectedStart, 0), 0u) << prompts_.errors[0].text;
    EXPECT_FALSE(fs::exists(settingsPath_));
    EXPECT_TRUE(fs::is_directory(stagingPathFor(settingsPath_))) << "not ours to remove";
    clickTab(1);
    EXPECT_EQ(text(L"Edit1"), L"/a/mobile/audio/");
}

// With the settings file held by another program at start, no category is applied: Upload
// has no phone folder then and asks the phone nothing, until a tab is chosen.
TEST_F(FaultsTest, WithoutAPhoneFolderUploadAsksThePhoneNothing) {
    {
        HeldFile other(settingsPath_, 0);
        ASSERT_TRUE(other.held());
        start(true);
    }
    ASSERT_EQ(prompts_.errors.size(), 1u);
    ASSERT_EQ(text(L"Edit1"), L"");
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    openFiles({localFile(L"song.mp3", "s")});
    press(L"BitBtn10");
    P2KTest_ClearCallLog();
    press(L"BitBtn2");
    EXPECT_EQ(logLines(), Lines{L"No phone folder: select a category tab first"});
    EXPECT_EQ(callLog(), "");
    clickTab(1);
    press(L"BitBtn2");
    EXPECT_EQ(readBytes(onPhone(L"audio", L"song.mp3")), "s");
}

TEST_F(FaultsTest, ASelectionOfMoreThan2GiBStopsTheUploadAtItsPendingTotal) {
    startConnected();
    press(L"BitBtn10");
    const fs::path big = localFile(L"z.3gp", "");
    {
        // Sparse where the host allows it: nothing needs reading but the first entry.
        HANDLE file =
            CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = int64_t{1} << 31;
        const bool grown = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(grown);
    }
    clickTab(2);
    openFiles({big, localFile(L"a.3gp", "a")});
    EXPECT_EQ(rows(), (Lines{L"a.3gp|.3gp|0", L"z.3gp|.3gp|2097152"}));
    EXPECT_EQ(text(L"Edit2"), L"2147483649");
    press(L"BitBtn10");
    press(L"BitBtn2");
    ASSERT_EQ(prompts_.errors.size(), 1u);
    EXPECT_EQ(prompts_.errors[0].text, L"'2147483649' is not a valid integer value.");
    EXPECT_FALSE(fs::exists(onPhone(L"video", L"a.3gp")));
    EXPECT_EQ(logLines().size(), 1u);
}

// Steps in on the upload's first write: the library reports the phone 1,000 times over and
// the test waits until every report has been posted to the window.
class PhoneNotifyingDuringAWrite final : public ForwardingPhone {
  public:
    using ForwardingPhone::ForwardingPhone;
    static constexpr int kBurst = 1000;
    bool allPosted = false;

    int writeFile(const void* data, uint32_t length) override {
        if (!burstSent_) {
            burstSent_ = true;
            const int before = P2KTest_HandlerCalls();
            for (int i = 0; i < kBurst; ++i) {
                real_.registerConnectionHandler();
            }
            allPosted = P2KTest_WaitForHandlerCalls(before + kBurst, 30000) == 1;
        }
        return real_.writeFile(data, length);
    }

  private:
    bool burstSent_ = false;
};

TEST_F(FaultsTest, ABurstOfNotificationsDuringAnUploadIsHandledAfterItAndNoneIsLost) {
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 1, 0, 100);
    PhoneNotifyingDuringAWrite phone(phone_);
    form_ =
        std::make_unique<TForm1>(GetModuleHandleW(nullptr),
                                 Form1Setup{&phone, &prompts_, settingsPath_, L"app_tests", false});
    loop_.addForm(form_->handle());
    ASSERT_TRUE(waitForLogLine(L"Connected"));
    openFiles({localFile(L"a.mid", "a"), localFile(L"b.mid", "b")});
    press(L"BitBtn10");
    press(L"BitBtn2");
    ASSERT_TRUE(phone.allPosted);

    Lines expected = logLines();
    ASSERT_EQ(expected.size(), 4u) << "the upload runs to its end undisturbed";
    EXPECT_EQ(expected[2], L"b.mid was uploaded in phone");
    expected.insert(expected.end(), PhoneNotifyingDuringAWrite::kBurst, L"Connected");
    EXPECT_TRUE(waitForLogLine(L"Connected", PhoneNotifyingDuringAWrite::kBurst));
    pumpFor(200);
    EXPECT_EQ(logLines(), expected);
    EXPECT_EQ(panel(0), L"Status: Connected");
    EXPECT_TRUE(prompts_.errors.empty());
    form_.reset();
}

// Types a selection into the real file dialog's name box and confirms it; closes whatever the
// dialog shows instead, so that a refusal that is not a cancel cannot hang the test.
struct TypedSelection {
    std::wstring typed;
    bool typedIn = false;
    int ticksSinceTyped = 0;
    bool closedByForce = false;
};
TypedSelection* typedSelection = nullptr;

void CALLBACK typeIntoTheDialog(HWND, UINT, UINT_PTR, DWORD) {
    TypedSelection* selection = typedSelection;
    if (selection == nullptr) {
        return;
    }
    HWND dialog = FindWindowW(L"#32770", L"Open media file(s) for upload to phone");
    if (!selection->typedIn) {
        if (dialog != nullptr) {
            selection->typedIn = true;
            SetDlgItemTextW(dialog, cmb13, selection->typed.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        return;
    }
    if (++selection->ticksSinceTyped > 30) {
        HWND box = FindWindowW(L"#32770", nullptr);
        if (box != nullptr) {
            selection->closedByForce = true;
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

TEST_F(FaultsTest, ASelectionPastTheDialogsNameBufferIsHandledLikeACancel) {
    const fs::path chosen = folder_ / L"chosen";
    fs::create_directories(chosen);
    writeBytes(settingsPath_, "[Options]\r\nInitialDir=" + chosen.string() + "\r\n");
    // The answer holds the folder and each name with a zero after it, and one zero more: names
    // of 200 characters, the first few one longer, fill it to exactly `total` characters.
    const size_t fixed = chosen.wstring().size() + 2;
    const size_t count = (65519 - fixed) / 201;
    auto selectionOf = [&](size_t total) {
        const size_t longer = total - fixed - count * 201;
        std::wstring typed;
        for (size_t i = 0; i < count; ++i) {
            const std::wstring name =
                std::to_wstring(1000 + i) + std::wstring(i < longer ? 193 : 192, L'n') + L".mid";
            writeBytes(chosen / name, "x");
            typed += L"\"" + name + L"\" ";
        }
        return typed;
    };

    SystemPrompts systemPrompts;
    P2KTest_Reset(phoneRoot_.c_str(), "E398", 32 << 20, 0, 0, 100);
    form_ = std::make_unique<TForm1>(
        GetModuleHandleW(nullptr),
        Form1Setup{&phone_, &systemPrompts, settingsPath_, L"app_tests", false});
    for (const size_t total : {65519u, 65520u}) {
        SCOPED_TRACE(total);
        TypedSelection selection{selectionOf(total)};
        typedSelection = &selection;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &typeIntoTheDialog);
        press(L"BitBtn10");
        press(L"BitBtn1");
        KillTimer(nullptr, timer);
        typedSelection = nullptr;
        ASSERT_TRUE(selection.typedIn);
        EXPECT_FALSE(selection.closedByForce) << "the dialog stayed open";
        const bool refused = total > 65519;
        const Lines log = logLines();
        ASSERT_EQ(log.size(), (refused ? 0 : count) + 2);
        EXPECT_EQ(log[log.size() - 2],
                  L"Total: " + std::to_wstring(refused ? 0 : count) + L" files opened");
        EXPECT_EQ(text(L"Edit2"), refused ? L"0" : std::to_wstring(count));
        EXPECT_EQ(rows().size(), count) << "the second selection adds nothing";
    }
}

}  // namespace
}  // namespace tonvale::testing
