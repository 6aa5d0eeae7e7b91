// The program on a system whose code page is UTF-8 (Windows' "Use Unicode UTF-8 for worldwide
// language support"), with every conversion held to Windows' rule for it. CTest runs this file's
// executable in a UTF-8 locale without an 8-bit code page, which gives Wine code page 65001.
#include "CodePage.h"
#include "Form1Fixture.h"
#include "StoredOptions.h"
#include "WindowsCodePageRule.h"

namespace tonvale::testing {
namespace {

using Lines = std::vector<std::wstring>;

class SystemCodePageTest : public Form1Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 65001u) << "run in a locale whose code page is UTF-8";
        ASSERT_TRUE(rule_.installed());
    }
    void TearDown() override { EXPECT_EQ(rule_.refusals(), 0) << "a call Windows refuses"; }

    WindowsCodePageRule rule_;
};

TEST_F(SystemCodePageTest, UploadWritesEveryNameTheCodePageHolds) {
    startConnected();
    const std::string picture(70000, '\x5A');
    openFiles({localFile(L"a.jpg", picture), localFile(L"b.jpg", "bb"),
               localFile(L"caf\u00E9 \u0416\u266B.jpg", "note")});
    press(L"BitBtn10");
    press(L"BitBtn2");

    EXPECT_EQ(logLines(), (Lines{L"2 files found in phone", L"a.jpg was uploaded in phone",
                                 L"b.jpg was uploaded in phone",
                                 L"caf\u00E9 \u0416\u266B.jpg was uploaded in phone",
                                 L"5 files found in phone"}));
    EXPECT_TRUE(readBytes(onPhone(L"picture", L"a.jpg")) == picture);
    EXPECT_EQ(readBytes(onPhone(L"picture", L"b.jpg")), "bb");
    EXPECT_EQ(readBytes(onPhone(L"picture", L"caf\u00E9 \u0416\u266B.jpg")), "note");
    EXPECT_TRUE(prompts_.errors.empty());
}

TEST_F(SystemCodePageTest, TheConverterRefusesOnlyWhatUtf8CannotHold) {
    EXPECT_EQ(toSystemCodePage(L"caf\u00E9 \u0416"), "caf\xC3\xA9 \xD0\x96");
    EXPECT_EQ(toSystemCodePage(std::wstring(1, static_cast<wchar_t>(0xDC00))), std::nullopt);
    EXPECT_EQ(fromSystemCodePageExactly("caf\xC3\xA9"), L"caf\u00E9");
    EXPECT_EQ(fromSystemCodePageExactly("caf\xE9"), std::nullopt);
    EXPECT_EQ(fromSystemCodePage("caf\xE9"), L"caf\uFFFD");
}

TEST_F(SystemCodePageTest, TheSettingsFileKeepsAnyFolderAsPlainUtf8) {
    const std::wstring folder = L"C:\\\u041C\u0443\u0437\u044B\u043A\u0430 \u266B";
    storeOptions(settingsPath_, folder, {});
    EXPECT_EQ(readBytes(settingsPath_),
              "[Options]\r\nInitialDir=C:\\\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0 "
              "\xE2\x99\xAB\r\nFitPictures=0\r\nScreenWidth=176\r\nScreenHeight=220\r\n\r\n");
    std::wstring loaded;
    loadStoredOptions(settingsPath_,
                      [&](const StoredOptions& read) { loaded = read.startingFolder; });
    EXPECT_EQ(loaded, folder);
}

}  // namespace
}  // namespace tonvale::testing
