// Creating, writing, closing, deleting and counting phone files.
#include "PhoneFixture.h"

#include <windows.h>

namespace {

using P2kapiFilesTest = PhoneTest;

TEST_F(P2kapiFilesTest, WrittenBytesArriveExactlyOnTheHost) {
    const std::string phonePath = "/a/mobile/video/clip.3gp";
    const auto big = pattern(5 * kMiB + 123, 1);
    const auto chunked = pattern(200 * 1536, 2);

    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    EXPECT_EQ(0, File_Write(big.data(), 0));
    EXPECT_EQ(0, File_Write(big.data(), static_cast<uint32_t>(big.size())));
    for (size_t at = 0; at < chunked.size(); at += 1536) {
        ASSERT_EQ(0, File_Write(chunked.data() + at, 1536));
    }
    EXPECT_EQ(0, File_Close());

    auto expected = big;
    expected.insert(expected.end(), chunked.begin(), chunked.end());
    EXPECT_EQ(expected, readHostFile(hostPath(phonePath)));
}

TEST_F(P2kapiFilesTest, CreateClosesTheFileThatIsOpen) {
    ASSERT_LE(0, File_Create("/a/mobile/audio/first.mid", 0));
    ASSERT_EQ(0, File_Write("abc", 3));
    ASSERT_LE(0, File_Create("/a/mobile/audio/second.mid", 0));
    EXPECT_FALSE(isOpenElsewhere(hostPath("/a/mobile/audio/first.mid")));
    ASSERT_EQ(0, File_Write("xyz!", 4));
    ASSERT_EQ(0, File_Close());

    EXPECT_EQ(3u, fs::file_size(hostPath("/a/mobile/audio/first.mid")));
    EXPECT_EQ(4u, fs::file_size(hostPath("/a/mobile/audio/second.mid")));
}

TEST_F(P2kapiFilesTest, CreateEmptiesAnExistingFileEvenWhileItIsOpen) {
    const std::string phonePath = "/a/mobile/audio/old.mid";
    writeHostFile(hostPath(phonePath), "old content");

    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    ASSERT_EQ(0, File_Write("abc", 3));
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    ASSERT_EQ(0, File_Write("new", 3));
    ASSERT_EQ(0, File_Close());
    const auto content = readHostFile(hostPath(phonePath));
    EXPECT_EQ("new", std::string(content.begin(), content.end()));
}

TEST_F(P2kapiFilesTest, CreateNeedsAnExistingFolder) {
    EXPECT_EQ(-1, File_Create("/a/mobile/ringtones/a.mid", 0));
    EXPECT_FALSE(fs::exists(root_ / "mobile" / "ringtones"));
    EXPECT_EQ(-1, File_Create("/a/mobile/audio", 0));
    EXPECT_TRUE(fs::is_directory(root_ / "mobile" / "audio"));
}

TEST_F(P2kapiFilesTest, WriteAndCloseNeedAnOpenFile) {
    EXPECT_NE(0, File_Write("abc", 3));
    EXPECT_NE(0, File_Close());

    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    ASSERT_EQ(0, File_Close());
    EXPECT_NE(0, File_Write("abc", 3));
    EXPECT_NE(0, File_Close());
    EXPECT_EQ(0u, fs::file_size(hostPath("/a/mobile/audio/a.mid")));
}

TEST_F(P2kapiFilesTest, DeleteRemovesFilesButNotFolders) {
    writeHostFile(hostPath("/a/mobile/picture/wall.jpg"), "jpeg");

    EXPECT_EQ(0, File_Delete("/a/mobile/picture/wall.jpg"));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/picture/wall.jpg")));
    EXPECT_NE(0, File_Delete("/a/mobile/picture/wall.jpg"));
    EXPECT_NE(0, File_Delete("/a/mobile/picture"));
    EXPECT_TRUE(fs::is_directory(root_ / "mobile" / "picture"));
}

// The phone vouches that a name is missing only while the folder is as it last saw it.
TEST_F(P2kapiFilesTest, AFileAddedFromOutsideAfterACountIsStillDeleted) {
    EXPECT_GE(File_Count(), 2);
    ::Sleep(50);  // as a person adds a file: not in the same instant as the count
    writeHostFile(hostPath("/a/mobile/audio/late.mid"), "late");
    EXPECT_EQ(0, File_Delete("/a/mobile/audio/late.mid"));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/audio/late.mid")));

    ASSERT_LE(0, File_Create("/a/mobile/audio/own.mid", 0));
    ASSERT_EQ(0, File_Close());
    EXPECT_EQ(0, File_Delete("/a/mobile/audio/own.mid"));
    EXPECT_NE(0, File_Delete("/a/mobile/audio/own.mid"));
}

// The count answered from the phone's own record of its folders stays true when one of them
// changed from outside and was looked at since.
TEST_F(P2kapiFilesTest, TheCountStaysTrueAfterAFolderChangedFromOutside) {
    EXPECT_EQ(hostFileCount(root_), File_Count());
    ::Sleep(50);
    for (const char* name : {"x.jpg", "y.jpg", "z.jpg"}) {
        writeHostFile(hostPath(std::string("/a/mobile/picture/") + name), "host");
    }
    EXPECT_NE(0, File_Delete("/a/mobile/picture/missing.jpg"));
    EXPECT_EQ(hostFileCount(root_), File_Count());
}

// A delete while another program holds the file open (with deletion shared) leaves the file
// until that program lets go: until then the name is not free, and nothing may be reported
// written into a file that then disappears.
TEST_F(P2kapiFilesTest, ANameDeletedWhileAnotherProgramHoldsTheFileIsNotCreatedUntilItIsGone) {
    const std::string phonePath = "/a/mobile/picture/held.jpg";
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    ASSERT_EQ(0, File_Write("old", 3));
    ASSERT_EQ(0, File_Close());
    HANDLE holder = ::CreateFileW(hostPath(phonePath).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_EQ(0, File_Delete(phonePath.c_str()));
    EXPECT_EQ(-1, File_Create(phonePath.c_str(), 0));
    ::CloseHandle(holder);

    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    ASSERT_EQ(0, File_Write("new", 3));
    ASSERT_EQ(0, File_Close());
    EXPECT_EQ(std::vector<unsigned char>({'n', 'e', 'w'}), readHostFile(hostPath(phonePath)));
}

TEST_F(P2kapiFilesTest, CountCountsFilesInEveryFolderButNotFolders) {
    const int fresh = File_Count();
    EXPECT_EQ(hostFileCount(root_), fresh);
    EXPECT_GE(fresh, 2);  // The tone databases.

    fs::create_directories(root_ / "mobile" / "picture" / "empty" / "deeper");
    EXPECT_EQ(fresh, File_Count());

    writeHostFile(root_ / "top.txt", "1");
    writeHostFile(root_ / "mobile" / "picture" / "empty" / "deeper" / "deep.jpg", "2");
    ASSERT_LE(0, File_Create("/a/mobile/audio/new.mid", 0));
    EXPECT_EQ(fresh + 3, File_Count());
    File_Close();
    ASSERT_EQ(0, File_Delete("/a/top.txt"));
    EXPECT_EQ(fresh + 2, File_Count());
}

TEST_F(P2kapiFilesTest, InjectedCreateFailuresFailExactlyThatManyCalls) {
    P2KTest_FailNextCreates(2);
    EXPECT_EQ(-1, File_Create("/a/mobile/audio/1.mid", 0));
    EXPECT_EQ(-1, File_Create("/a/mobile/audio/2.mid", 0));
    EXPECT_LE(0, File_Create("/a/mobile/audio/3.mid", 0));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/audio/1.mid")));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/audio/2.mid")));
    EXPECT_TRUE(fs::exists(hostPath("/a/mobile/audio/3.mid")));
}

TEST_F(P2kapiFilesTest, InjectedWriteFailureWritesNothing) {
    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    ASSERT_EQ(0, File_Write("abc", 3));
    P2KTest_FailNextWrites(1);
    EXPECT_NE(0, File_Write("def", 3));
    EXPECT_EQ(0, File_Write("ghi", 3));
    ASSERT_EQ(0, File_Close());
    const auto content = readHostFile(hostPath("/a/mobile/audio/a.mid"));
    EXPECT_EQ("abcghi", std::string(content.begin(), content.end()));
}

TEST_F(P2kapiFilesTest, PlannedDetachComesRightAfterThatManySuccessfulWrites) {
    const std::string phonePath = "/a/mobile/video/clip.3gp";
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    P2KTest_DetachAfterWrites(3);
    P2KTest_FailNextWrites(1);
    EXPECT_NE(0, File_Write("xx", 2)) << "a failed write is not counted";
    EXPECT_EQ(0, File_Write("", 0));
    EXPECT_EQ(0, File_Write("abc", 3));
    EXPECT_EQ(1, P2K_GetStatus());
    EXPECT_EQ(0, File_Write("def", 3));

    // Gone, as if the cable were pulled: the file stays as far as it got, closed.
    int32_t volume = 0;
    EXPECT_NE(1, P2K_GetStatus());
    EXPECT_NE(0, File_Write("ghi", 3));
    EXPECT_NE(0, File_Close());
    EXPECT_NE(0, File_Delete(phonePath.c_str()));
    EXPECT_EQ(-1, File_Create("/a/mobile/video/other.3gp", 0));
    EXPECT_EQ(-1, File_Count());
    EXPECT_EQ(0, File_VolInfo(&volume));
    const auto content = readHostFile(hostPath(phonePath));
    EXPECT_EQ("abcdef", std::string(content.begin(), content.end()));
    EXPECT_FALSE(isOpenElsewhere(hostPath(phonePath)));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/video/other.3gp")));

    // Attached again, the phone stays; a cancelled or reset plan detaches nothing.
    P2KTest_Attach();
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    P2KTest_DetachAfterWrites(1);
    P2KTest_DetachAfterWrites(0);
    EXPECT_EQ(0, File_Write("a", 1));
    P2KTest_DetachAfterWrites(1);
    resetPhone(true);
    ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
    EXPECT_EQ(0, File_Write("a", 1));
    EXPECT_EQ(0, File_Write("b", 1));
    EXPECT_EQ(1, P2K_GetStatus());
}

TEST_F(P2kapiFilesTest, FileOperationsFailWithoutPhone) {
    writeHostFile(hostPath("/a/mobile/audio/keep.mid"), "keep");
    resetPhone(false);
    int32_t volume = 0;

    EXPECT_EQ(-1, File_Create("/a/mobile/audio/a.mid", 0));
    EXPECT_NE(0, File_Write("abc", 3));
    EXPECT_NE(0, File_Close());
    EXPECT_NE(0, File_Delete("/a/mobile/audio/keep.mid"));
    EXPECT_EQ(-1, File_Count());
    EXPECT_EQ(0, File_VolInfo(&volume));
    EXPECT_NE(0, File_SetPointer(0, 0));
    EXPECT_FALSE(fs::exists(hostPath("/a/mobile/audio/a.mid")));
    EXPECT_TRUE(fs::exists(hostPath("/a/mobile/audio/keep.mid")));
}

}  // namespace
