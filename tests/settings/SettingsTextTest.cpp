#include "SettingsText.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

TEST(SettingsText, PlainTextStaysInTheCodePageWithoutByteOrderMark) {
    EXPECT_EQ(encodeSettingsText(L"[Options]\r\nInitialDir=C:\\Music\r\n\r\n"),
              "[Options]\r\nInitialDir=C:\\Music\r\n\r\n");
    EXPECT_EQ(decodeSettingsText("[S]\r\nK=V\r\n"), L"[S]\r\nK=V\r\n");
}

TEST(SettingsText, ByteOrderMarkSelectsUtf8OnReading) {
    EXPECT_EQ(decodeSettingsText("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(decodeSettingsText("\xEF\xBB\xBFK=\xC3\xA9"), L"K=\u00E9");
}

}  // namespace
}  // namespace tonvale
