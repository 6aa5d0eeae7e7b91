#include "SettingsText.h"

#include "Utf8.h"

#include <gtest/gtest.h>

namespace tonvale {
namespace {

// U+1F3B5 lies outside every 8-bit code page and needs a surrogate pair in UTF-16.
const std::wstring musicalNote = L"\U0001F3B5";
constexpr std::string_view musicalNoteUtf8 = "\xF0\x9F\x8E\xB5";
constexpr std::string_view replacement = "\xEF\xBF\xBD";

TEST(Utf8, EncodesEachSequenceLength) {
    EXPECT_EQ(toUtf8(L"A\u00E9\u20AC"), "A\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(toUtf8(musicalNote), musicalNoteUtf8);
}

TEST(Utf8, DecodesEachSequenceLength) {
    EXPECT_EQ(fromUtf8("A\xC3\xA9\xE2\x82\xAC"), L"A\u00E9\u20AC");
    EXPECT_EQ(fromUtf8(musicalNoteUtf8), musicalNote);
}

TEST(Utf8, ReplacesUnpairedSurrogatesWhenEncoding) {
    const std::wstring loneHigh{static_cast<wchar_t>(0xD800), L'A'};
    EXPECT_EQ(toUtf8(loneHigh), std::string(replacement) + "A");
}

TEST(Utf8, ReplacesMalformedInputAndKeepsWhatFollows) {
    EXPECT_EQ(fromUtf8("\x80z"), L"\uFFFDz");              // stray continuation byte
    EXPECT_EQ(fromUtf8("\xE2\x82z"), L"\uFFFDz");          // cut-off sequence
    EXPECT_EQ(fromUtf8("\xC0\xAFz"), L"\uFFFDz");          // overlong "/"
    EXPECT_EQ(fromUtf8("\xED\xA0\x80z"), L"\uFFFDz");      // encoded surrogate
    EXPECT_EQ(fromUtf8("\xF4\x90\x80\x80z"), L"\uFFFDz");  // beyond U+10FFFF
    EXPECT_EQ(fromUtf8("\xFF\xC3\xA9"), L"\uFFFD\u00E9");  // invalid lead, then a good one
}

TEST(SettingsText, PlainTextStaysInTheCodePageWithoutByteOrderMark) {
    EXPECT_EQ(encodeSettingsText(L"[Options]\r\nInitialDir=C:\\Music\r\n\r\n"),
              "[Options]\r\nInitialDir=C:\\Music\r\n\r\n");
    EXPECT_EQ(decodeSettingsText("[S]\r\nK=V\r\n"), L"[S]\r\nK=V\r\n");
}

TEST(SettingsText, TextOutsideTheCodePageBecomesUtf8WithByteOrderMark) {
    const std::wstring text = L"[S]\r\nK=A" + musicalNote + L"\u00E9\r\n";
    const std::string bytes = encodeSettingsText(text);
    EXPECT_EQ(bytes, "\xEF\xBB\xBF[S]\r\nK=A" + std::string(musicalNoteUtf8) + "\xC3\xA9\r\n");
    EXPECT_EQ(decodeSettingsText(bytes), text);
}

TEST(SettingsText, ByteOrderMarkSelectsUtf8OnReading) {
    EXPECT_EQ(decodeSettingsText("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(decodeSettingsText("\xEF\xBB\xBFK=\xC3\xA9"), L"K=\u00E9");
}

}  // namespace
}  // namespace tonvale
