// The main window's work without the window: what Open, Upload, Clear files list, the category,
// a rename and a connection report do to the list and the two figures.
#include <gtest/gtest.h>

#include "FakePhone.h"
#include "RuntimeError.h"
#include "TransferFakes.h"
#include "Utf8.h"
#include "Workspace.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

struct Working {
    FakePhone phone;
    FakeLocalFiles files;
    RecordingWorkspaceView view;
    Workspace workspace{phone, files, testCollation(), view, view};

    Working() { workspace.selectCategory(0); }
    // A file of `size` bytes, of which only `bytes` are there to read.
    std::wstring file(const std::wstring& name, int64_t size, std::string bytes = "x") {
        const std::wstring path = L"C:\\m\\" + name;
        files.contents[path] = std::move(bytes);
        files.reportedSizes[path] = size;
        return path;
    }
    void connect(int32_t freeBytes) {
        phone.freeBytesAnswers = {freeBytes};
        workspace.reportPhoneNotification();
    }
    // The upload's outcome: the line after the opening count, or the error box's message.
    std::wstring upload() {
        view.log.clear();
        try {
            workspace.upload();
        } catch (const RuntimeError& error) {
            return error.message();
        }
        return view.log.size() > 1 ? view.log[1] : L"";
    }
};

TEST(Workspace, TheCategorySetsTheFolderUploadsGoToAndNothingElse) {
    Working w;
    w.connect(1000000);
    w.workspace.open({w.file(L"a.jpg", 1)});
    const Lines folders = {L"/a/mobile/picture/", L"/a/mobile/audio/", L"/a/mobile/video/",
                           L"/a/mobile/system/", L"/a/mobile/system/"};
    for (int index = 0; index < 5; ++index) {
        w.workspace.selectCategory(index);
        EXPECT_EQ(w.view.folder, folders[static_cast<size_t>(index)]);
        EXPECT_EQ(w.upload(), L"a.jpg was uploaded in phone");
        EXPECT_EQ(w.phone.files.count(toUtf8(folders[static_cast<size_t>(index)]) + "a.jpg"), 1u);
    }
    w.workspace.selectCategory(5);
    EXPECT_EQ(w.workspace.category(), 4);
    EXPECT_EQ(w.view.rows, Lines{L"a.jpg|.jpg|0"});
    EXPECT_EQ(w.view.pending, L"1");
    EXPECT_EQ(w.view.freeSpace, L"1000000");
}

TEST(Workspace, ClearFilesEmptiesTheListThenBothFigures) {
    Working w;
    w.connect(4096);
    w.workspace.open({w.file(L"a.mid", 10)});
    w.view.events.clear();
    w.workspace.clearFiles();
    EXPECT_EQ(w.view.events, (Lines{L"rows cleared", L"pending=", L"free="}));
    EXPECT_EQ(w.workspace.pendingTotal(), L"");
    EXPECT_EQ(w.workspace.freeSpaceFigure(), L"");

    // A new Open before the phone reports again: the upload stops at the empty figure.
    w.workspace.open({w.file(L"b.mid", 1)});
    EXPECT_EQ(w.upload(), L"'' is not a valid integer value");
    EXPECT_TRUE(w.phone.files.empty());
    EXPECT_EQ(w.view.log, Lines{L"0 files found in phone"}) << "no closing count";
}

TEST(Workspace, OpenSetsThePendingTotalOnlyWhenEveryFileWasMeasured) {
    Working w;
    w.workspace.open({w.file(L"a.mid", 1536), w.file(L"b.mid", 2560)});
    EXPECT_EQ(w.workspace.pendingTotal(), L"4096");
    EXPECT_THROW(w.workspace.open({L"C:\\m\\gone.mid"}), RuntimeError);
    EXPECT_EQ(w.workspace.pendingTotal(), L"4096");
    EXPECT_EQ(w.view.rows.size(), 3u);
    w.workspace.open({});
    EXPECT_EQ(w.view.pending, L"0");
}

TEST(Workspace, TheRoomCheckTakesBothFiguresAsSigned32BitNumbers) {
    struct Case {
        int32_t freeBytes;
        int64_t selection;  // bytes; -1 for a cancelled Open
        const wchar_t* outcome;
    };
    const Case cases[] = {
        {2147483647, 2147483646, L"a.mid was uploaded in phone"},
        {2147483647, 2147483647, L"not memory"},
        {2147483647, 2147483648, L"'2147483648' is not a valid integer value"},
        {1, -1, L"a.mid was uploaded in phone"},
        {0, -1, L"not memory"},
        {-2147483647 - 1, -1, L"not memory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selection);
        Working w;
        w.connect(c.freeBytes);
        w.workspace.open({w.file(L"a.mid", c.selection < 0 ? 1 : c.selection)});
        if (c.selection < 0) {
            w.workspace.open({});
        }
        EXPECT_EQ(w.upload(), c.outcome);
    }
}

// A rename goes to the entry whose name was being edited, wherever other entries moved its
// row meanwhile; a name the phone cannot hold, or another entry's, is refused with a line.
TEST(Workspace, ARenameGoesToItsEntryOrIsRefusedWithALine) {
    Working w;
    w.workspace.open({w.file(L"a.mid", 1), w.file(L"c.mid", 1)});
    const uint64_t edited = w.workspace.files()[1].id;
    w.workspace.open({w.file(L"b.mid", 1)});
    w.view.log.clear();
    w.workspace.rename(edited, L"d.mid");
    EXPECT_EQ(w.view.rows, (Lines{L"a.mid|.mid|0", L"b.mid|.mid|0", L"d.mid|.mid|0"}));
    EXPECT_EQ(w.workspace.files()[2].path, L"C:\\m\\c.mid");

    w.workspace.rename(edited, L"x/y.mid");
    w.workspace.rename(edited, L"B.mid");
    EXPECT_EQ(w.view.rows, (Lines{L"a.mid|.mid|0", L"b.mid|.mid|0", L"d.mid|.mid|0"}));
    ASSERT_EQ(w.view.log.size(), 2u);
    EXPECT_EQ(w.view.log[0].substr(0, 18), L"Name not changed: ");
    EXPECT_EQ(w.view.log[1], L"Name not changed: \"B.mid\" is already in the list");

    w.workspace.clearFiles();
    w.workspace.rename(edited, L"e.mid");  // an entry that is gone
    EXPECT_TRUE(w.view.rows.empty());
}

TEST(Workspace, AConnectionReportRecordsTheSecondFreeSpaceAnswerAndADetachKeepsIt) {
    Working w;
    w.phone.freeBytesAnswers = {4096, 3072};
    w.workspace.reportPhoneNotification();
    EXPECT_EQ(w.view.panels[2], L"Volume: /a, Free: 4 Kb");
    EXPECT_EQ(w.workspace.freeSpaceFigure(), L"3072");
    EXPECT_EQ(w.view.freeSpace, L"3072");

    w.phone.connected = false;
    w.phone.freeBytesAnswers = {0};
    w.workspace.reportPhoneNotification();
    EXPECT_EQ(w.view.panels[0], L"Status: Dinnected");
    EXPECT_EQ(w.workspace.freeSpaceFigure(), L"3072");
    EXPECT_EQ(w.view.freeSpace, L"3072");
}

}  // namespace
}  // namespace tonvale::testing
