// Upload against a phone that keeps its files: the library calls in order, the log, the
// progress bar, the room check, retries and large files.
#include <gtest/gtest.h>

#include "FakePhone.h"
#include "TransferFakes.h"
#include "Upload.h"

namespace tonvale::testing {
namespace {

using Calls = std::vector<std::string>;
using Lines = std::vector<std::wstring>;

struct Uploading {
    FakePhone phone;
    RecordingWorkspaceView view;
    FakeLocalFiles files;
    FileList list{testCollation(), &view};
    Contents contents;
    UploadRun run;
    std::wstring folder = L"/a/mobile/audio/";
    std::wstring pending = L"0";
    std::wstring freeSpace = L"1000000";

    Uploading() { phone.fileCountAnswer = 12; }
    void add(const std::wstring& name, std::string bytes) {
        const std::wstring path = L"C:\\m\\" + name;
        files.contents[path] = bytes;
        list.setSize(*list.add(entryForPath(path)), static_cast<int64_t>(bytes.size()));
    }
    void upload() {
        phone.calls.clear();
        uploadFiles(phone, list, files, contents, UploadFigures{folder, pending, freeSpace}, view,
                    run);
    }
    // The calls after the opening count, up to the closing one.
    Calls writes() const { return Calls(phone.calls.begin() + 4, phone.calls.end() - 2); }
};

TEST(Upload, WritesEveryEntryInNameOrderWithTheLogAndTheProgress) {
    Uploading u;
    u.add(L"c.mid", "ccc");
    u.add(L"a.mid", "a");
    u.add(L"b.mid", "bb");
    u.view.progressPosition = 0;
    u.upload();
    EXPECT_EQ(u.phone.calls,
              (Calls{"File_SetPointer", "P2K_GetStatus", "File_Count", "File_Count",
                     "File_Delete /a/mobile/audio/a.mid", "File_Create /a/mobile/audio/a.mid",
                     "File_Write 1", "File_Close", "File_Delete /a/mobile/audio/b.mid",
                     "File_Create /a/mobile/audio/b.mid", "File_Write 2", "File_Close",
                     "File_Delete /a/mobile/audio/c.mid", "File_Create /a/mobile/audio/c.mid",
                     "File_Write 3", "File_Close", "File_Count", "File_Count"}));
    EXPECT_EQ(u.view.log, (Lines{L"12 files found in phone", L"a.mid was uploaded in phone",
                                 L"b.mid was uploaded in phone", L"c.mid was uploaded in phone",
                                 L"12 files found in phone"}));
    EXPECT_EQ(u.view.progressMaximum, 3);
    EXPECT_EQ(u.view.progressPosition, 3);
    EXPECT_EQ(u.view.refreshes, 3) << "the window shows each entry as it is done";
    EXPECT_EQ(u.phone.files["/a/mobile/audio/c.mid"], "ccc");
    EXPECT_EQ(u.files.loaded, (Lines{L"C:\\m\\a.mid", L"C:\\m\\b.mid", L"C:\\m\\c.mid"}));
}

TEST(Upload, StopsBeforeWritingWithoutAPhoneAnEmptyListOrRoom) {
    Uploading notConnected;
    notConnected.add(L"a.mid", "a");
    notConnected.phone.connected = false;
    notConnected.upload();
    EXPECT_EQ(notConnected.phone.calls,
              (Calls{"File_SetPointer", "P2K_GetStatus", "File_Count", "File_Count"}));
    EXPECT_EQ(notConnected.view.log, (Lines{L"not connect", L"12 files found in phone"}));
    EXPECT_EQ(notConnected.view.progressMaximum, 1);

    Uploading empty;
    empty.upload();
    EXPECT_EQ(empty.view.log, (Lines{L"12 files found in phone", L"files don't selected",
                                     L"12 files found in phone"}));

    Uploading noRoom;
    noRoom.add(L"a.mid", "a");
    noRoom.freeSpace = L"4096";
    noRoom.pending = L"4096";
    noRoom.upload();
    EXPECT_EQ(noRoom.view.log,
              (Lines{L"12 files found in phone", L"not memory", L"12 files found in phone"}));
    EXPECT_TRUE(noRoom.phone.files.empty());
    EXPECT_EQ(noRoom.files.loaded, Lines{L"C:\\m\\a.mid"}) << "the first entry is loaded first";
}

TEST(Upload, AFigureThatIsNotA32BitNumberEndsTheCommandWithTheConversionMessage) {
    const std::pair<std::wstring, std::wstring> figures[] = {
        {L"", L"0"}, {L"12k", L"0"}, {L"1000", L"2147483648"}};
    const wchar_t* messages[] = {L"'' is not a valid integer value",
                                 L"'12k' is not a valid integer value",
                                 L"'2147483648' is not a valid integer value"};
    for (size_t i = 0; i < 3; ++i) {
        Uploading u;
        u.add(L"a.mid", "a");
        u.freeSpace = figures[i].first;
        u.pending = figures[i].second;
        try {
            u.upload();
            ADD_FAILURE() << "converted " << i;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.message(), messages[i]);
        }
        EXPECT_TRUE(u.phone.files.empty());
        EXPECT_EQ(u.view.log, Lines{L"12 files found in phone"}) << "no closing count";
    }
}

TEST(Upload, AFailedCreateOrWriteIsAttemptedAgainAndAHalfFileIsRemoved) {
    Uploading u;
    u.add(L"a.mid", "aaaa");
    u.phone.createResults = {-1};
    u.phone.writeResults = {5};
    u.upload();
    EXPECT_EQ(u.writes(),
              (Calls{"File_Delete /a/mobile/audio/a.mid", "File_Create /a/mobile/audio/a.mid",
                     "File_Delete /a/mobile/audio/a.mid", "File_Create /a/mobile/audio/a.mid",
                     "File_Write 4", "File_Close", "File_Delete /a/mobile/audio/a.mid",
                     "File_Delete /a/mobile/audio/a.mid", "File_Create /a/mobile/audio/a.mid",
                     "File_Write 4", "File_Close"}));
    EXPECT_EQ(u.view.log, (Lines{L"12 files found in phone", L"file creat error",
                                 L"a.mid was uploaded in phone", L"12 files found in phone"}));
    EXPECT_EQ(u.phone.files["/a/mobile/audio/a.mid"], "aaaa");
}

TEST(Upload, AnEntryWhoseAttemptsAreSpentIsReportedAndTheNextOneGoesOn) {
    Uploading u;
    u.add(L"a.mid", "a");
    u.add(L"b.mid", "b");
    u.phone.createResults = {-1, -1, -1};
    u.upload();
    EXPECT_EQ(u.view.log,
              (Lines{L"12 files found in phone", L"file creat error", L"file creat error",
                     L"file creat error", L"a.mid was not uploaded in phone",
                     L"b.mid was uploaded in phone", L"12 files found in phone"}));
    EXPECT_EQ(u.phone.files.count("/a/mobile/audio/a.mid"), 0u);
    EXPECT_EQ(u.view.progressPosition, 2);

    Uploading failingWrites;
    failingWrites.add(L"a.mid", "a");
    failingWrites.phone.writeResults = {1, 1, 1};
    failingWrites.upload();
    EXPECT_EQ(failingWrites.view.log[1], L"a.mid was not uploaded in phone");
    EXPECT_TRUE(failingWrites.phone.files.empty()) << "no half-written file is left behind";
    EXPECT_EQ(failingWrites.view.progressPosition, 0);
}

TEST(Upload, FilesOf64KiBOrMoreGoInPiecesTheLibraryCanCarry) {
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 + i / 251);
    }
    Uploading u;
    u.add(L"a.3gp", "");
    u.add(L"b.3gp", std::string(65535, 'b'));
    u.add(L"c.3gp", big);
    u.upload();
    EXPECT_EQ(u.writes(),
              (Calls{"File_Delete /a/mobile/audio/a.3gp", "File_Create /a/mobile/audio/a.3gp",
                     "File_Write 0", "File_Close", "File_Delete /a/mobile/audio/b.3gp",
                     "File_Create /a/mobile/audio/b.3gp", "File_Write 65535", "File_Close",
                     "File_Delete /a/mobile/audio/c.3gp", "File_Create /a/mobile/audio/c.3gp",
                     "File_Write 65535", "File_Write 65535", "File_Write 65535", "File_Write 3395",
                     "File_Close"}));
    EXPECT_EQ(u.phone.files["/a/mobile/audio/a.3gp"], "");
    EXPECT_EQ(u.phone.files["/a/mobile/audio/c.3gp"], big);
}

TEST(Upload, WritesWhatTheFileHoldsNowUnderTheEntrysNameIntoTheSelectedFolder) {
    Uploading u;
    u.add(L"a.mid", "short");
    u.files.contents[L"C:\\m\\a.mid"] = "grew since it was opened";
    u.list.rename(0, L"ring.mid");
    u.phone.files["/a/mobile/picture/ring.mid"] = "old";
    u.folder = L"/a/mobile/picture/";
    u.upload();
    EXPECT_EQ(u.phone.files["/a/mobile/picture/ring.mid"], "grew since it was opened");
    EXPECT_EQ(u.view.log[1], L"ring.mid was uploaded in phone");
}

TEST(Upload, AFileGoneSinceOpenEndsTheCommandAfterTheEntriesBeforeIt) {
    Uploading u;
    u.add(L"a.mid", "a");
    u.add(L"b.mid", "b");
    u.files.contents.erase(L"C:\\m\\b.mid");
    EXPECT_THROW(u.upload(), RuntimeError);
    EXPECT_EQ(u.phone.files.count("/a/mobile/audio/a.mid"), 1u);
    EXPECT_EQ(u.view.log, (Lines{L"12 files found in phone", L"a.mid was uploaded in phone"}));
}

TEST(Upload, TellsTheBytesWrittenOfTheWholeUploadAfterEveryPiece) {
    Uploading u;
    u.add(L"a.mid", std::string(200000, 'a'));
    u.add(L"b.mid", "bbbbbbbbbb");
    u.phone.writeResults = {0, 0, 0, 0, 1};  // b's first write fails and is made again
    u.upload();
    EXPECT_EQ(u.view.bytesShown,
              (std::vector<std::string>{"65535/200010", "131070/200010", "196605/200010",
                                        "200000/200010", "200010/200010"}));

    // A later piece that fails takes the count back to where the file began.
    Uploading later;
    later.add(L"a.mid", std::string(100000, 'a'));
    later.phone.writeResults = {0, 1};
    later.upload();
    EXPECT_EQ(later.view.bytesShown,
              (std::vector<std::string>{"65535/100000", "65535/100000", "100000/100000"}));
}

TEST(Upload, TheWindowIsShownAfterEveryEntryThatFailsToo) {
    Uploading u;
    for (const wchar_t* name : {L"a.mid", L"b.mid", L"c.mid"}) {
        u.add(name, "x");
    }
    u.phone.createResults = std::deque<int>(9, -1);
    u.upload();
    EXPECT_EQ(u.view.log.size(), 2u + 3 * 4) << "three tries of each, and its line";
    EXPECT_EQ(u.view.refreshes, 3);
}

TEST(Upload, APhonePulledOutEndsTheUploadAfterTheEntryInHand) {
    Uploading u;
    for (const wchar_t* name : {L"a.mid", L"b.mid", L"c.mid", L"d.mid", L"e.mid"}) {
        u.add(name, "x");
    }
    u.phone.writesBeforeDetach = 2;
    u.upload();
    EXPECT_EQ(u.view.log,
              (Lines{L"12 files found in phone", L"a.mid was uploaded in phone",
                     L"b.mid was uploaded in phone", L"file creat error", L"file creat error",
                     L"file creat error", L"c.mid was not uploaded in phone", L"not connect",
                     L"12 files found in phone"}));
    for (const std::string& call : u.phone.calls) {
        EXPECT_EQ(call.find("/d.mid"), std::string::npos) << call;
        EXPECT_EQ(call.find("/e.mid"), std::string::npos) << call;
    }

    u.phone.connected = true;
    u.upload();
    EXPECT_EQ(u.phone.files.size(), 5u);
    EXPECT_EQ(u.view.log.back(), L"12 files found in phone");
    EXPECT_EQ(u.view.progressPosition, 5);
}

// Stands in for the imaging component: a file whose contents begin "big" is fitted to a tenth
// of its bytes, one that begins "bad" cannot be, and anything else is left as it is.
class FakeFitter final : public PictureFitter {
  public:
    std::vector<std::string> seen;
    FittedPicture fit(Contents& contents, PictureSize screen) override {
        const std::string bytes(contents.begin(), contents.end());
        seen.push_back(bytes.substr(0, 3) + "@" + std::to_string(screen.width) + "x" +
                       std::to_string(screen.height));
        if (bytes.starts_with("big")) {
            contents.resize(contents.size() / 10);
            return {FittedPicture::Outcome::Fitted, {12, 34}, {}};
        }
        if (bytes.starts_with("bad")) {
            return {FittedPicture::Outcome::NotFitted, {}, L"it cannot be read"};
        }
        return {};
    }
};

// Pictures are fitted only into the Picture category's folder and only while that is on; a
// fitted picture's bytes are what the phone gets, and its line follows the entry's own.
TEST(Upload, PicturesIntoThePictureFolderAreFittedAsAskedAndSaySo) {
    Uploading u;
    FakeFitter fitter;
    u.add(L"a.jpg", "big" + std::string(997, 'a'));
    u.add(L"b.jpg", "bad picture");
    u.add(L"c.jpg", "small");
    u.folder = L"/a/mobile/picture/";
    const auto upload = [&](const std::wstring& folder, bool enabled) {
        u.phone.calls.clear();
        uploadFiles(u.phone, u.list, u.files, u.contents,
                    UploadFigures{folder, u.pending, u.freeSpace, {enabled, {240, 320}}}, u.view,
                    u.run, &fitter);
    };
    upload(L"/a/mobile/picture/", true);
    EXPECT_EQ(fitter.seen, (std::vector<std::string>{"big@240x320", "bad@240x320", "sma@240x320"}));
    EXPECT_EQ(u.phone.files["/a/mobile/picture/a.jpg"], "big" + std::string(97, 'a'));
    EXPECT_EQ(u.phone.files["/a/mobile/picture/b.jpg"], "bad picture");
    EXPECT_EQ(Lines(u.view.log.begin() + 1, u.view.log.end() - 1),
              (Lines{L"a.jpg was uploaded in phone", L"a.jpg was fitted to 12x34",
                     L"b.jpg was uploaded in phone", L"b.jpg was not fitted: it cannot be read",
                     L"c.jpg was uploaded in phone"}));
    EXPECT_EQ(u.view.bytesShown.back(), "116/116") << "the fitted size counts";

    fitter.seen.clear();
    upload(L"/a/mobile/audio/", true);
    upload(L"/a/mobile/picture/", false);
    EXPECT_TRUE(fitter.seen.empty());
    EXPECT_EQ(u.phone.files["/a/mobile/picture/a.jpg"].size(), 1000u);
}

// Windows ends the session between two pieces of a file: the file goes from the phone at once
// and the library hears nothing more, not even the closing count.
TEST(Upload, TheEndOfTheSessionDeletesTheFileBeingWrittenAndEndsTheUploadThere) {
    Uploading u;
    u.add(L"a.mid", "a");
    u.add(L"b.mid", std::string(150000, 'b'));
    u.add(L"c.mid", "c");
    u.view.whileShowingBytes = [&u] {
        if (u.view.bytesShown.size() == 3) {
            u.run.stop(u.phone);
        }
    };
    u.upload();
    EXPECT_EQ(Calls(u.phone.calls.begin() + 8, u.phone.calls.end()),
              (Calls{"File_Delete /a/mobile/audio/b.mid", "File_Create /a/mobile/audio/b.mid",
                     "File_Write 65535", "File_Write 65535", "File_Close",
                     "File_Delete /a/mobile/audio/b.mid"}));
    EXPECT_EQ(u.view.log.back(), L"b.mid was not uploaded in phone: Windows is ending the session");
    EXPECT_EQ(u.phone.files.count("/a/mobile/audio/b.mid"), 0u);
    EXPECT_EQ(u.phone.files["/a/mobile/audio/a.mid"], "a");
}

// Before a category is applied there is no phone folder; a bare name is no phone path.
TEST(Upload, WithoutAPhoneFolderNothingIsAskedOfThePhone) {
    Uploading u;
    u.add(L"a.mid", "a");
    u.folder.clear();
    u.view.progressMaximum = 100;
    u.upload();
    EXPECT_TRUE(u.phone.calls.empty());
    EXPECT_EQ(u.view.log, Lines{L"No phone folder: select a category tab first"});
    EXPECT_EQ(u.view.progressMaximum, 100);
}

TEST(Upload, ANameThePhoneCannotHoldIsSkippedNotWrittenUnderAnotherName) {
    Uploading u;
    // An unpaired surrogate, which no code page holds, not even UTF-8.
    const std::wstring broken = std::wstring(L"a") + static_cast<wchar_t>(0xD800) + L".mid";
    u.add(broken, "note");
    u.add(L"z.mid", "z");
    u.upload();
    EXPECT_EQ(u.view.log[1],
              broken + L" was not uploaded in phone: the phone cannot hold its name");
    EXPECT_EQ(u.view.log[2], L"z.mid was uploaded in phone");
    EXPECT_EQ(u.phone.files.size(), 1u);
}

}  // namespace
}  // namespace tonvale::testing
