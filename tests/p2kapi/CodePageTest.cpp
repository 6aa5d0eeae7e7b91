// Phone paths in the double-byte code pages of East Asia, whose characters' second byte may be
// that of "\": the names the program hands over must arrive whole. Run under a locale whose
// system code page is 932 (Japanese) and again under one whose is 936 (simplified Chinese).
#include "PhoneFixture.h"

#include <windows.h>

namespace {

struct Name {
    const char* bytes;  // in the code page
    const wchar_t* text;
};

using P2kapiCodePageTest = PhoneTest;

TEST_F(P2kapiCodePageTest, NamesWhoseCharactersEndInTheBackslashByteArriveWhole) {
    std::vector<Name> names;
    switch (::GetACP()) {
        case 932:
            names = {{"\x83\x5C\x83\x93\x83\x4F.jpg", L"\u30BD\u30F3\u30B0.jpg"},  // ソング
                     {"\x95\x5C\x8E\x86.jpg", L"\u8868\u7D19.jpg"}};               // 表紙
            break;
        case 936:
            names = {{"\x81\x5C.jpg", L"\u4E57.jpg"},   // 乗
                     {"\x87\x5C.mid", L"\u5630.mid"}};  // 嘰
            break;
        default:
            GTEST_SKIP() << "the system code page is " << ::GetACP() << ", not 932 or 936";
    }
    for (const Name& name : names) {
        SCOPED_TRACE(name.bytes);
        const std::string phonePath = std::string("/a/mobile/picture/") + name.bytes;
        ASSERT_LE(0, File_Create(phonePath.c_str(), 0));
        ASSERT_EQ(0, File_Write("whole", 5));
        ASSERT_EQ(0, File_Close());
        const fs::path host = root_ / "mobile" / "picture" / name.text;
        ASSERT_TRUE(fs::is_regular_file(host));
        EXPECT_EQ(5u, fs::file_size(host));
        EXPECT_EQ(0, File_Delete(phonePath.c_str()));
        EXPECT_FALSE(fs::exists(host));
    }
    // A byte that begins a character with nothing after it is no name.
    EXPECT_EQ(-1, File_Create("/a/mobile/picture/\x83", 0));
}

}  // namespace
