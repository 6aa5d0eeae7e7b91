// What p2kapi.ini sets, and the label the program reads from seem 279.
#include "PhoneFixture.h"

#include <windows.h>

#include <array>
#include <chrono>

namespace {

constexpr unsigned kPatienceMs = 5000;

void P2K_CALL ignoreCall() {}

using Record = std::array<unsigned char, 7>;

Record untouched() {
    Record record;
    record.fill(0xAA);
    return record;
}

class P2kapiSettingsTest : public PhoneTest {
  protected:
    fs::path writeIni(const std::string& phoneSection, const char* name = "p2kapi.ini") {
        const fs::path ini = base_ / name;
        writeHostFile(ini, "[Phone]\r\n" + phoneSection);
        return ini;
    }

    static Record label() {
        Record record = untouched();
        EXPECT_EQ(0, Seem_Read(279, 1, 1, 7, record.data()));
        return record;
    }

    static int32_t freeSpace() {
        int32_t volume = 0;
        return File_VolInfo(&volume);
    }
};

TEST_F(P2kapiSettingsTest, LabelFillsEveryOtherByteOfSeem279) {
    resetPhone(true, 0, 60000, 32 * kMiB, "V3x ");
    EXPECT_EQ((Record{'V', 0, '3', 0, 'x', 0, ' '}), label());

    resetPhone(true, 0, 60000, 32 * kMiB, "K1");
    EXPECT_EQ((Record{'K', 0, '1', 0, ' ', 0, ' '}), label());
}

TEST_F(P2kapiSettingsTest, OtherSeemsAndRangesFailAndLeaveTheBufferAlone) {
    const struct {
        int seem, record, offset, bytes;
    } kOthers[] = {{280, 1, 1, 7}, {279, 2, 1, 7}, {279, 1, 1, 8}, {279, 1, 0, 7}, {279, 1, 2, 7}};
    for (const auto& other : kOthers) {
        Record record = untouched();
        EXPECT_NE(0, Seem_Read(other.seem, other.record, other.offset, other.bytes, record.data()));
        EXPECT_EQ(untouched(), record);
    }
    EXPECT_NE(0, Seem_Read(279, 1, 1, 7, nullptr));

    resetPhone(false);
    Record record = untouched();
    EXPECT_NE(0, Seem_Read(279, 1, 1, 7, record.data()));
    EXPECT_EQ(untouched(), record);
}

TEST_F(P2kapiSettingsTest, IniSetsRootLabelCapacityAndDelays) {
    const fs::path ini = writeIni(
        "Root=elsewhere\\v600\r\nLabel=V600\r\nCapacity=1000000\r\nAttached=yes\r\n"
        "AttachDelayMs=0\r\nRestartDelayMs=60000\r\n");
    P2KTest_ResetFromIni(ini.c_str());

    const fs::path root = base_ / "elsewhere" / "v600";
    EXPECT_TRUE(fs::is_directory(root / "mobile" / "audio"));
    EXPECT_EQ(1, P2K_GetStatus());
    EXPECT_EQ((Record{'V', 0, '6', 0, '0', 0, '0'}), label());
    EXPECT_EQ(1000000 - hostBytes(root), freeSpace());
    ASSERT_EQ(0, P2K_Restart());
    EXPECT_NE(1, P2K_GetStatus());
}

TEST_F(P2kapiSettingsTest, IniCanLeaveThePhoneDetachedAtAnAbsoluteRoot) {
    const fs::path root = base_ / "absolute";
    const fs::path ini =
        writeIni("Root=" + root.string() + "\r\nAttached=0\r\nAttachDelayMs=0\r\n");
    P2KTest_ResetFromIni(ini.c_str());

    EXPECT_NE(1, P2K_GetStatus());
    P2KTest_Attach();
    ASSERT_LE(0, File_Create("/a/mobile/picture/p.jpg", 0));
    EXPECT_TRUE(fs::exists(root / "mobile" / "picture" / "p.jpg"));
}

// Notepad saves UTF-8 without a byte-order mark; an older editor in the system code page.
TEST_F(P2kapiSettingsTest, TheIniIsReadAsUtf8WhenItIsValidUtf8AndElseInTheCodePage) {
    P2KTest_ResetFromIni(writeIni("Root=phone-J\xC3\xBCrgen\r\nAttachDelayMs=0\r\n").c_str());
    EXPECT_TRUE(fs::is_directory(base_ / L"phone-J\u00FCrgen" / "mobile" / "audio"));
    if (::GetACP() == 1252) {
        P2KTest_ResetFromIni(writeIni("Root=phone-J\xFCrgen2\r\nAttachDelayMs=0\r\n").c_str());
        EXPECT_TRUE(fs::is_directory(base_ / L"phone-J\u00FCrgen2" / "mobile" / "audio"));
    }
    EXPECT_FALSE(fs::exists(base_ / L"phone-J\u00C3\u00BCrgen"));
}

// A root that cannot be made is no phone: it never attaches, and its call log says why.
TEST_F(P2kapiSettingsTest, ARootThatCannotBePreparedLeavesThePhoneAway) {
    writeHostFile(base_ / "plain-file", "not a folder");
    P2KTest_ResetFromIni(writeIni("Root=plain-file\\phone\r\nAttachDelayMs=0\r\n").c_str());
    EXPECT_NE(1, P2K_GetStatus());
    EXPECT_EQ(-1, File_Create("/a/mobile/audio/a.mid", 0));
    EXPECT_NE(std::string::npos, callLog().find("Root cannot be prepared"));
}

TEST_F(P2kapiSettingsTest, VolumeNameBytesWritesTheNameWhereFileVolInfoPoints) {
    const std::pair<const char*, size_t> kSettingAndBytes[] = {
        {"VolumeNameBytes=128\r\n", 128}, {"VolumeNameBytes=129\r\n", 0}, {"", 0}};
    for (const auto& [setting, bytes] : kSettingAndBytes) {
        SCOPED_TRACE(setting);
        P2KTest_ResetFromIni(writeIni(std::string(setting) + "AttachDelayMs=0\r\n").c_str());
        std::array<unsigned char, 256> block;
        block.fill(0xA5);
        File_VolInfo(reinterpret_cast<int32_t*>(block.data()));
        std::string expected(256, '\xA5');
        if (bytes > 0) {
            expected.replace(0, bytes, "/a" + std::string(bytes - 3, ' ') + '\0');
        }
        EXPECT_EQ(std::string(block.begin(), block.end()), expected);
    }
}

TEST_F(P2kapiSettingsTest, CallDelayAndWriteSpeedSetThePhonesPace) {
    P2KTest_ResetFromIni(
        writeIni("AttachDelayMs=0\r\nCallDelayMs=100\r\nWriteKiBPerSecond=100\r\n").c_str());
    const auto timed = [](auto call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        return std::chrono::steady_clock::now() - start;
    };
    EXPECT_GE(timed([] { P2K_GetStatus(); }), std::chrono::milliseconds(100));
    ASSERT_LE(0, File_Create("/a/mobile/audio/slow.mid", 0));
    const std::string bytes(50 * 1024, 's');
    // 100 ms for the call, 500 ms for 50 KiB at 100 KiB a second.
    EXPECT_GE(timed([&] { EXPECT_EQ(0, File_Write(bytes.data(), 50 * 1024)); }),
              std::chrono::milliseconds(600));
    EXPECT_EQ(0, File_Close());
}

TEST_F(P2kapiSettingsTest, MissingFileKeysOrValuesKeepTheDefaults) {
    const fs::path absent = base_ / "absent" / "p2kapi.ini";
    const fs::path empty = writeIni("", "empty.ini");
    const fs::path unreadable =
        writeIni("Capacity=lots\r\nAttachDelayMs=-5\r\nAttached=maybe\r\n", "odd.ini");
    const std::pair<fs::path, fs::path> kIniAndRoot[] = {{absent, base_ / "absent" / "phone"},
                                                         {empty, base_ / "phone"},
                                                         {unreadable, base_ / "phone"}};
    for (const auto& [ini, root] : kIniAndRoot) {
        SCOPED_TRACE(ini.string());
        P2KTest_ResetFromIni(ini.c_str());
        P2K_Init(&ignoreCall);

        ASSERT_TRUE(P2KTest_WaitForHandlerCalls(1, kPatienceMs));
        EXPECT_TRUE(fs::is_directory(root / "mobile" / "system"));
        EXPECT_EQ((Record{'E', 0, '3', 0, '9', 0, '8'}), label());
        EXPECT_EQ(32 * kMiB - hostBytes(root), freeSpace());
        P2KTest_Detach();
    }
}

}  // namespace
