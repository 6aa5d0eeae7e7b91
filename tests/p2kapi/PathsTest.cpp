// Phone paths: what the phone refuses, and that nothing outside the volume is ever touched.
#include "PhoneFixture.h"

#include <windows.h>

namespace {

using P2kapiPathsTest = PhoneTest;

// Each names "escape.txt" somewhere the phone must not reach, or is not a phone path at all.
const char* const kBadPaths[] = {
    "/a/../escape.txt",
    "/a/mobile/../../escape.txt",
    "/a/mobile/..",
    "/a/mobile/..\\escape.txt",
    "/a/mobile\\escape.txt",
    "/b/escape.txt",
    "a/escape.txt",
    "mobile/escape.txt",
    "/A/escape.txt",
    "/a",
    "/a/",
    "",
    "/a/c:escape.txt",
    "/a/escape.txt:stream",
    "/a/esc\x01"
    "ape.txt",
    "/a/esc\x1f"
    "ape.txt",
    "/a/esc\x7f"
    "ape.txt",
    "/a/esc\nape.txt",
    "/a//escape.txt",
    "/a/mobile/",
    "/a/nul",
    "/a/mobile/con",
    "/a/mobile/./escape.txt",
    "/a/./escape.txt",
    "/a/esc?ape.txt",
    "/a/esc*ape.txt",
    "/a/esc<ape.txt",
    "/a/esc>ape.txt",
    "/a/esc|ape.txt",
    "/a/esc\"ape.txt",
};

TEST_F(P2kapiPathsTest, BadPathsAreRefusedAndTouchNothing) {
    writeHostFile(base_ / "escape.txt", "outside");
    const auto before = snapshot(base_);

    for (const char* path : kBadPaths) {
        SCOPED_TRACE(testing::PrintToString(std::string(path)));
        EXPECT_EQ(-1, File_Create(path, 0));
        EXPECT_NE(0, File_Write("x", 1));
        EXPECT_NE(0, File_Delete(path));
    }
    EXPECT_EQ(-1, File_Create(nullptr, 0));
    EXPECT_NE(0, File_Delete(nullptr));

    EXPECT_EQ(before, snapshot(base_));
}

TEST_F(P2kapiPathsTest, BadPathDoesNotCloseTheOpenFile) {
    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    EXPECT_EQ(-1, File_Create("/a/../escape.txt", 0));
    EXPECT_EQ(0, File_Write("abc", 3));
    EXPECT_EQ(0, File_Close());
    EXPECT_EQ(3u, fs::file_size(hostPath("/a/mobile/audio/a.mid")));
}

TEST_F(P2kapiPathsTest, GoodNamesMapBelowTheRootThroughTheAnsiCodePage) {
    ASSERT_LE(0, File_Create("/a/top.txt", 0));
    ASSERT_LE(0, File_Create("/a/mobile/audio/My Tone (2) - final.mid", 0));
    // Dots in a row are no way up: only a part that is ".." is.
    ASSERT_LE(0, File_Create("/a/mobile/picture/intro..jpg", 0));
    ASSERT_LE(0, File_Create("/a/mobile/picture/Track 01 - ...And Justice.jpg", 0));
    ASSERT_EQ(0, File_Close());
    EXPECT_TRUE(fs::is_regular_file(root_ / "top.txt"));
    EXPECT_TRUE(fs::is_regular_file(root_ / "mobile" / "audio" / "My Tone (2) - final.mid"));
    EXPECT_TRUE(fs::is_regular_file(root_ / "mobile" / "picture" / "intro..jpg"));
    EXPECT_TRUE(
        fs::is_regular_file(root_ / "mobile" / "picture" / "Track 01 - ...And Justice.jpg"));

    if (::GetACP() == 1252) {
        ASSERT_LE(0, File_Create("/a/mobile/audio/caf\xe9.mid", 0));
        ASSERT_EQ(0, File_Close());
        EXPECT_TRUE(fs::is_regular_file(root_ / "mobile" / "audio" / L"caf\u00e9.mid"));
    }
}

}  // namespace
