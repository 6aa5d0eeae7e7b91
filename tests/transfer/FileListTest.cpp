// The file list and Open: order, names, sizes, log lines and the pending total.
#include <gtest/gtest.h>

#include <cwctype>

#include "FileList.h"
#include "OpenFiles.h"
#include "TransferFakes.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

struct Opening {
    RecordingWorkspaceView view;
    FakeLocalFiles files;
    FileList list{testCollation(), &view};
    std::wstring pending;

    void open(const Lines& selection) { pending = openFiles(selection, list, files, view); }
};

TEST(FileList, KeepsNamesInCollationOrderAndARenamedEntryTakesItsNewPlace) {
    Opening o;
    o.files.contents = {{L"C:\\x\\b.mid", "b"}, {L"C:\\x\\a.mid", "a"}, {L"C:\\x\\C.mid", "C"}};
    o.open({L"C:\\x\\b.mid", L"C:\\x\\a.mid", L"C:\\x\\C.mid"});
    EXPECT_EQ(o.view.rows, (Lines{L"a.mid|.mid|0", L"b.mid|.mid|0", L"C.mid|.mid|0"}));

    // A new name takes its place at once; path, type and size stay.
    EXPECT_EQ(o.list.rename(0, L"d.mid"), 2u);
    EXPECT_EQ(o.view.rows, (Lines{L"b.mid|.mid|0", L"C.mid|.mid|0", L"d.mid|.mid|0"}));
    EXPECT_EQ(o.list[2].path, L"C:\\x\\a.mid");
    EXPECT_EQ(o.list.rename(2, L"A"), 0u);
    EXPECT_EQ(o.list[0].type, L".mid");

    o.list.clear();
    EXPECT_TRUE(o.view.rows.empty());
    EXPECT_FALSE(o.list.holdsName(L"b.mid"));
}

// The phone's file system ignores case: a second file of a listed name would overwrite the
// first there, so it is not added. It has a line of its own, and the totals leave it out.
TEST(FileList, OneNameOneEntryWithCaseIgnored) {
    Opening o;
    o.files.contents = {{L"C:\\x\\ring.mid", std::string(1536, 'r')},
                        {L"D:\\y\\RING.MID", std::string(4096, 'R')},
                        {L"D:\\y\\\u00E4.mid", "x"},
                        {L"E:\\z\\\u00C4.MID", "y"},
                        {L"E:\\z\\tone.mid", std::string(2560, 't')}};
    o.open({L"C:\\x\\ring.mid", L"D:\\y\\\u00E4.mid"});
    o.view.log.clear();
    o.open({L"D:\\y\\RING.MID", L"E:\\z\\\u00C4.MID", L"E:\\z\\tone.mid"});
    EXPECT_EQ(o.view.log,
              (Lines{L"RING.MID is already in the list", L"\u00C4.MID is already in the list",
                     L"Opened file: E:\\z\\tone.mid", L"Total: 1 files opened",
                     L"Total size: 2 Kbytes"}));
    EXPECT_EQ(o.pending, L"2560");
    EXPECT_EQ(o.view.rows.size(), 3u);
    EXPECT_EQ(o.list[0].path, L"C:\\x\\ring.mid");

    // A rename onto another entry's name is refused; one of its own case is not.
    EXPECT_EQ(o.list.rename(0, L"Tone.mid"), std::nullopt);
    EXPECT_EQ(o.list.rename(0, L"Ring.MID"), 0u);
    EXPECT_EQ(o.list[0].name, L"Ring.MID");
    EXPECT_TRUE(o.list.holdsName(L"ring.mid"));
    EXPECT_EQ(o.list.rename(0, L"bell.mid"), 0u);
    EXPECT_FALSE(o.list.holdsName(L"ring.mid"));
}

TEST(FileList, TheTypeIsTheLastExtension) {
    EXPECT_EQ(entryForPath(L"C:\\x\\ring.v2.mid").type, L".mid");
    EXPECT_EQ(entryForPath(L"C:\\x.y\\tone").type, L"");
}

// Typed letters select the next row whose name begins with them, case ignored, going round;
// none that fits is no row at all.
TEST(FileList, TypeAheadFindsTheNextNameThatBeginsWithTheLetters) {
    Opening o;
    for (const wchar_t* name : {L"apple.jpg", L"Banana.jpg", L"avocado.jpg", L"cherry.mid"}) {
        o.list.add(entryForPath(std::wstring(L"C:\\x\\") + name));
    }
    const Collation ignoringCase = [](std::wstring_view a, std::wstring_view b) {
        std::wstring x(a), y(b);
        for (wchar_t& c : x)
            c = static_cast<wchar_t>(std::towlower(c));
        for (wchar_t& c : y)
            c = static_cast<wchar_t>(std::towlower(c));
        return x.compare(y);
    };
    EXPECT_EQ(o.list.findStartingWith(L"A", 0, true, ignoringCase), 0u);
    EXPECT_EQ(o.list.findStartingWith(L"a", 1, true, ignoringCase), 1u);  // avocado
    EXPECT_EQ(o.list.findStartingWith(L"b", 3, true, ignoringCase), 2u);  // round to Banana
    EXPECT_EQ(o.list.findStartingWith(L"b", 3, false, ignoringCase), std::nullopt);
    EXPECT_EQ(o.list.findStartingWith(L"avo", 0, true, ignoringCase), 1u);
    EXPECT_EQ(o.list.findStartingWith(L"z", 0, true, ignoringCase), std::nullopt);
    EXPECT_EQ(o.list.findStartingWith(L"cherry.mid", 0, true, ignoringCase, true), 3u);
    EXPECT_EQ(o.list.findStartingWith(L"cherry", 0, true, ignoringCase, true), std::nullopt);
}

TEST(FileList, NamesThatCannotBeAFileOnThePhoneAreRefused) {
    for (const wchar_t* name : {L"", L"a/b.mid", L"..\\b.mid", L"c:b.mid", L"tab\t.mid"}) {
        EXPECT_TRUE(whyNameIsRefused(name).has_value()) << name;
    }
    EXPECT_EQ(*whyNameIsRefused(L"a/b.mid"),
              L"Name not changed: \"a/b.mid\" holds \"/\", which a file name on the phone cannot "
              L"hold");
    for (const wchar_t* name : {L"ring tone.mid", L"MMA_UCP", L"caf\u00E9.jpg", L".hidden"}) {
        EXPECT_FALSE(whyNameIsRefused(name).has_value()) << name;
    }
}

TEST(FileList, KilobytesRoundHalvesToEven) {
    EXPECT_EQ(kilobytesRoundedHalfEven(500), 0);
    EXPECT_EQ(kilobytesRoundedHalfEven(512), 0);
    EXPECT_EQ(kilobytesRoundedHalfEven(513), 1);
    EXPECT_EQ(kilobytesRoundedHalfEven(1536), 2);
    EXPECT_EQ(kilobytesRoundedHalfEven(2560), 2);
    EXPECT_EQ(kilobytesRoundedHalfEven(3584), 4);
    EXPECT_EQ(kilobytesRoundedHalfEven(int64_t{5} << 30), int64_t{5} << 20);
}

TEST(OpenFiles, LogsEachFileAndTheTotalsOfTheSelection) {
    Opening o;
    o.files.contents = {{L"C:\\m\\b.mid", std::string(1536, 'b')},
                        {L"C:\\m\\a.mid", std::string(2560, 'a')},
                        {L"C:\\m\\MMA_UCP", std::string(500, 'm')},
                        {L"C:\\m\\c.mid", std::string(2560, 'c')}};
    o.view.progressMaximum = o.view.progressPosition = 7;
    o.open({L"C:\\m\\b.mid", L"C:\\m\\a.mid", L"C:\\m\\MMA_UCP"});
    EXPECT_EQ(o.view.rows, (Lines{L"a.mid|.mid|2", L"b.mid|.mid|2", L"MMA_UCP||0"}));
    EXPECT_EQ(o.view.log, (Lines{L"Opened file: C:\\m\\b.mid", L"Opened file: C:\\m\\a.mid",
                                 L"Opened file: C:\\m\\MMA_UCP", L"Total: 3 files opened",
                                 L"Total size: 4 Kbytes"}));
    EXPECT_EQ(o.pending, L"4596");
    EXPECT_EQ(o.view.progressMaximum, 0);
    EXPECT_EQ(o.view.progressPosition, 0);

    // A second selection adds to the list; the pending total is its own. A cancel is empty.
    o.open({L"C:\\m\\c.mid"});
    EXPECT_EQ(o.view.rows.size(), 4u);
    EXPECT_EQ(o.pending, L"2560");
    o.view.log.clear();
    o.open({});
    EXPECT_EQ(o.view.log, (Lines{L"Total: 0 files opened", L"Total size: 0 Kbytes"}));
    EXPECT_EQ(o.pending, L"0");
    EXPECT_EQ(o.view.rows.size(), 4u);
}

TEST(OpenFiles, AMissingFileEndsTheCommandAndItsEntryAndLineStay) {
    Opening o;
    o.files.contents = {{L"C:\\m\\a.mid", "aa"}, {L"C:\\m\\c.mid", "cc"}};
    o.pending = L"99";
    try {
        o.open({L"C:\\m\\a.mid", L"C:\\m\\gone.mid", L"C:\\m\\c.mid"});
        FAIL() << "a missing file must end the command";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.message(), L"File not found");
    }
    EXPECT_EQ(o.view.rows, (Lines{L"a.mid|.mid|0", L"gone.mid|.mid|"}));
    EXPECT_EQ(o.view.log, (Lines{L"Opened file: C:\\m\\a.mid", L"Opened file: C:\\m\\gone.mid"}));
    EXPECT_EQ(o.pending, L"99");
}

TEST(OpenFiles, SizesBeyondTwoGigabytesStayWhole) {
    Opening o;
    o.files.contents = {{L"C:\\v\\big.mp4", ""}};
    o.files.reportedSizes[L"C:\\v\\big.mp4"] = int64_t{3} << 30;
    o.open({L"C:\\v\\big.mp4"});
    EXPECT_EQ(o.view.rows, Lines{L"big.mp4|.mp4|3145728"});
    EXPECT_EQ(o.pending, L"3221225472");
}

}  // namespace
}  // namespace tonvale::testing
