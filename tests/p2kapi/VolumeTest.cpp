// The volume's layout and free space.
#include "PhoneFixture.h"

#include <windows.h>

#include <limits>

namespace {

constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

using P2kapiVolumeTest = PhoneTest;

int32_t freeSpace() {
    int32_t volume = 0;
    return File_VolInfo(&volume);
}

TEST_F(P2kapiVolumeTest, FreshVolumeHasThePhonesFoldersAndToneDatabases) {
    for (const char* folder : {"picture", "audio", "video", "system"}) {
        EXPECT_TRUE(fs::is_directory(root_ / "mobile" / folder)) << folder;
    }
    for (const char* database : {"MyToneDB.db", "TempToneDB.db"}) {
        const fs::path file = root_ / "mobile" / "audio" / database;
        ASSERT_TRUE(fs::is_regular_file(file)) << database;
        EXPECT_GT(fs::file_size(file), 0u) << database;
    }
}

TEST_F(P2kapiVolumeTest, ExistingFilesAreKept) {
    const fs::path database = root_ / "mobile" / "audio" / "MyToneDB.db";
    writeHostFile(database, "my tones");
    writeHostFile(root_ / "mobile" / "picture" / "wall.jpg", "jpeg");
    resetPhone(true);

    const auto content = readHostFile(database);
    EXPECT_EQ("my tones", std::string(content.begin(), content.end()));
    EXPECT_TRUE(fs::exists(root_ / "mobile" / "picture" / "wall.jpg"));
}

TEST_F(P2kapiVolumeTest, FreeSpaceIsCapacityLessAllFiles) {
    writeHostFile(root_ / "mobile" / "picture" / "wall.jpg", std::string(5000, 'j'));
    EXPECT_EQ(32 * kMiB - hostBytes(root_), freeSpace());
}

TEST_F(P2kapiVolumeTest, FreeSpaceFallsAsAFileIsWrittenAndReturnsWhenDeleted) {
    const int32_t fresh = freeSpace();
    const auto data = pattern(10000, 3);

    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    ASSERT_EQ(0, File_Write(data.data(), 4000));
    EXPECT_EQ(fresh - 4000, freeSpace());
    ASSERT_EQ(0, File_Write(data.data(), 6000));
    EXPECT_EQ(fresh - 10000, freeSpace());
    ASSERT_EQ(0, File_Close());
    EXPECT_EQ(fresh - 10000, freeSpace());

    ASSERT_EQ(0, File_Delete("/a/mobile/audio/a.mid"));
    EXPECT_EQ(fresh, freeSpace());
}

TEST_F(P2kapiVolumeTest, ReplacedAndDeletedFilesLeaveTheirRoomToTheNextWrites) {
    writeHostFile(hostPath("/a/mobile/audio/a.mid"), std::string(800, 'a'));
    writeHostFile(hostPath("/a/mobile/audio/b.mid"), std::string(300, 'b'));
    resetPhone(true, 0, 60000, hostBytes(root_) + 1000);

    // Creating a.mid anew frees its 800 bytes, with no question about the free space between.
    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    EXPECT_EQ(0, File_Write(pattern(1800, 1).data(), 1800));
    EXPECT_NE(0, File_Write("x", 1));
    ASSERT_EQ(0, File_Close());
    // So does deleting b.mid, its 300.
    ASSERT_EQ(0, File_Delete("/a/mobile/audio/b.mid"));
    ASSERT_LE(0, File_Create("/a/mobile/audio/c.mid", 0));
    EXPECT_EQ(0, File_Write(pattern(300, 2).data(), 300));
    EXPECT_NE(0, File_Write("x", 1));
    ASSERT_EQ(0, File_Close());
    EXPECT_EQ(0, freeSpace());
}

TEST_F(P2kapiVolumeTest, WriteBeyondFreeSpaceFailsAndWritesNothing) {
    resetPhone(true, 0, 60000, hostBytes(root_) + 1000);
    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    ASSERT_EQ(0, File_Write(pattern(600, 4).data(), 600));
    EXPECT_NE(0, File_Write(pattern(401, 5).data(), 401));
    EXPECT_EQ(600u, fs::file_size(hostPath("/a/mobile/audio/a.mid")));
    EXPECT_EQ(0, File_Write(pattern(400, 6).data(), 400));
    EXPECT_EQ(0, freeSpace());
    EXPECT_NE(0, File_Write("x", 1));
}

TEST_F(P2kapiVolumeTest, LargeCapacitiesClampToTheSigned32BitRange) {
    const int64_t used = hostBytes(root_);
    resetPhone(true, 0, 60000, used + kInt32Max - 1);
    EXPECT_EQ(kInt32Max - 1, freeSpace());
    resetPhone(true, 0, 60000, used + kInt32Max + 1);
    EXPECT_EQ(kInt32Max, freeSpace());
    resetPhone(true, 0, 60000, 5 * 1024 * kMiB);
    EXPECT_EQ(kInt32Max, freeSpace());
}

TEST_F(P2kapiVolumeTest, OverfullVolumeGoesNegativeAndClamps) {
    writeHostFile(root_ / "mobile" / "video" / "big.3gp", std::string(1500, 'v'));
    resetPhone(true, 0, 60000, hostBytes(root_) - 1500);
    EXPECT_EQ(-1500, freeSpace());

    // A 3 GiB file the host keeps sparse: its size alone overflows 32 bits.
    const fs::path huge = root_ / "mobile" / "video" / "huge.3gp";
    writeHostFile(huge, "");
    fs::resize_file(huge, 3 * 1024 * kMiB);
    EXPECT_EQ(kInt32Min, freeSpace());
}

TEST_F(P2kapiVolumeTest, FreeSpaceOverrideAlsoLimitsWrites) {
    const int32_t real = freeSpace();
    P2KTest_SetFreeSpace(100);
    EXPECT_EQ(100, freeSpace());
    ASSERT_LE(0, File_Create("/a/mobile/audio/a.mid", 0));
    EXPECT_NE(0, File_Write(pattern(101, 7).data(), 101));
    EXPECT_EQ(0, File_Write(pattern(100, 7).data(), 100));
    ASSERT_EQ(0, File_Close());

    P2KTest_ClearFreeSpace();
    EXPECT_EQ(real - 100, freeSpace());
}

}  // namespace
