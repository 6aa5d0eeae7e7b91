// The native build's stand-in for the Windows ANSI code page.
#include "AnsiCodePage.h"
#include "SettingsText.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

TEST(Windows1252, EveryByteSurvivesARoundTrip) {
    std::string allBytes;
    for (int value = 0; value < 256; ++value) {
        allBytes.push_back(static_cast<char>(value));
    }
    const std::wstring text = fromAnsiCodePage(allBytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(toAnsiCodePage(text), allBytes);
}

TEST(Windows1252, MapsTheHighControlRangeLikeWindows) {
    EXPECT_EQ(fromAnsiCodePage("\x80\x81\x9F\xE9"), L"\u20AC\u0081\u0178\u00E9");
    EXPECT_EQ(toAnsiCodePage(L"\u20AC\u0153\u00FF"), "\x80\x9C\xFF");
}

TEST(Windows1252, RefusesCharactersItLacks) {
    EXPECT_EQ(toAnsiCodePage(L"abc\u0416"), std::nullopt);  // Cyrillic
    EXPECT_EQ(toAnsiCodePage(L"\u0080"), std::nullopt);     // its byte means the euro sign
    EXPECT_EQ(toAnsiCodePage(L"\u0100"), std::nullopt);
}

TEST(Windows1252, SettingsWithWesternAccentsStayOneBytePerCharacter) {
    EXPECT_EQ(encodeSettingsText(L"K=Caf\u00E9 \u20AC"), "K=Caf\xE9 \x80");
    EXPECT_EQ(decodeSettingsText("K=Caf\xE9"), L"K=Caf\u00E9");
}

}  // namespace
}  // namespace tonvale
