#include "IniDocument.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace tonvale {
namespace {

std::wstring resaved(std::wstring_view text) {
    return IniDocument::parse(text).render();
}

TEST(IniDocumentParse, KeepsSectionsKeysAndRawLinesTrimmedAndInOrder) {
    const auto document = IniDocument::parse(
        L"  [ Options ]  \r\n\tInitialDir =  C:\\Music \t\r\nRawLine  \r\n[Second]\r\nA=1\r\n");
    EXPECT_EQ(document.render(),
              L"[Options]\r\nInitialDir=C:\\Music\r\nRawLine\r\n\r\n[Second]\r\nA=1\r\n\r\n");
    EXPECT_EQ(document.readString(L"Options", L"InitialDir", L"-"), L"C:\\Music");
}

TEST(IniDocumentParse, DropsCommentsBlankLinesAndLinesBeforeTheFirstSection) {
    EXPECT_EQ(
        resaved(L"Orphan=1\r\nloose text\r\n; intro\r\n[S]\r\n\r\n  ; note\r\n \t \r\nK=V\r\n"),
        L"[S]\r\nK=V\r\n\r\n");
}

TEST(IniDocumentParse, TextWithoutSectionsRendersEmpty) {
    EXPECT_EQ(resaved(L"; only a comment\r\nKey=Value\r\n"), L"");
    EXPECT_EQ(resaved(L""), L"");
}

TEST(IniDocumentParse, SplitsAtTheFirstEqualsSignOnly) {
    const auto document = IniDocument::parse(L"[S]\nFormula = a=b = c\n=NoKey\n");
    EXPECT_EQ(document.readString(L"S", L"Formula", L""), L"a=b = c");
    EXPECT_EQ(document.readString(L"S", L"", L""), L"NoKey");
}

TEST(IniDocumentParse, AcceptsLfAndLoneCrLineEnds) {
    EXPECT_EQ(resaved(L"[A]\nX=1\rY=2\r\n[B]"), L"[A]\r\nX=1\r\nY=2\r\n\r\n[B]\r\n\r\n");
}

TEST(IniDocumentParse, OnlyBracketedLinesOpenSections) {
    // "[" alone and "[x" are ordinary raw lines of the current section.
    EXPECT_EQ(resaved(L"[S]\n[\n[x\nx]\n[]\n"), L"[S]\r\n[\r\n[x\r\nx]\r\n\r\n[]\r\n\r\n");
}

TEST(IniDocumentLookup, MatchesSectionAndKeyNamesWithoutRegardToCase) {
    const auto document = IniDocument::parse(L"[OpTiOnS]\ninitialdir=X\n");
    EXPECT_EQ(document.readString(L"OPTIONS", L"INITIALDIR", L""), L"X");
    EXPECT_EQ(document.readString(L"options", L"InitialDir", L""), L"X");
}

TEST(IniDocumentLookup, FindsTheFirstKeyOfTheFirstMatchingSection) {
    const auto document = IniDocument::parse(L"[S]\nK=first\nk=second\n[s]\nK=third\n");
    EXPECT_EQ(document.readString(L"S", L"K", L""), L"first");
}

TEST(IniDocumentLookup, FallsBackForMissingSectionKeyOrRawLine) {
    const auto document = IniDocument::parse(L"[S]\nK=V\nRaw\n");
    EXPECT_EQ(document.readString(L"T", L"K", L"fallback"), L"fallback");
    EXPECT_EQ(document.readString(L"S", L"Missing", L"fallback"), L"fallback");
    EXPECT_EQ(document.readString(L"S", L"Raw", L"fallback"), L"fallback");
}

TEST(IniDocumentWrite, ReplacesAnExistingKeyWhereItStands) {
    auto document = IniDocument::parse(L"[S]\nFirst=1\nraw\nmiddle=2\nLast=3\n");
    document.writeString(L"s", L"MIDDLE", L"changed");
    EXPECT_EQ(document.render(), L"[S]\r\nFirst=1\r\nraw\r\nmiddle=changed\r\nLast=3\r\n\r\n");
}

TEST(IniDocumentWrite, AppendsAMissingKeyAtTheEndOfItsSection) {
    auto document = IniDocument::parse(L"[A]\nX=1\n[B]\nY=2\n");
    document.writeString(L"a", L"New", L"v");
    EXPECT_EQ(document.render(), L"[A]\r\nX=1\r\nNew=v\r\n\r\n[B]\r\nY=2\r\n\r\n");
}

TEST(IniDocumentWrite, AppendsAMissingSectionAfterAllOthers) {
    auto document = IniDocument::parse(L"[A]\nX=1\n[B]\n");
    document.writeString(L"Options", L"InitialDir", L"C:\\");
    EXPECT_EQ(document.render(),
              L"[A]\r\nX=1\r\n\r\n[B]\r\n\r\n[Options]\r\nInitialDir=C:\\\r\n\r\n");

    IniDocument empty;
    empty.writeString(L"Options", L"InitialDir", L"");
    EXPECT_EQ(empty.render(), L"[Options]\r\nInitialDir=\r\n\r\n");
}

TEST(IniDocumentWrite, KeepsInnerAndOuterBlanksOfTheValue) {
    IniDocument document;
    document.writeString(L"S", L"K", L"  two  words\t");
    EXPECT_EQ(document.readString(L"S", L"K", L""), L"  two  words\t");
    EXPECT_EQ(document.render(), L"[S]\r\nK=  two  words\t\r\n\r\n");
    // Read back from text, the outer blanks go: that is the file form.
    EXPECT_EQ(IniDocument::parse(document.render()).readString(L"S", L"K", L""), L"two  words");
}

TEST(IniDocumentWrite, RejectsLineBreaksThatWouldSplitTheLine) {
    IniDocument document;
    EXPECT_THROW(document.writeString(L"S", L"K", L"a\r\n[Other]"), std::invalid_argument);
    EXPECT_THROW(document.writeString(L"S", L"K\n", L"v"), std::invalid_argument);
    EXPECT_THROW(document.writeString(L"S\r", L"K", L"v"), std::invalid_argument);
    EXPECT_EQ(document.render(), L"");
}

TEST(IniDocument, NonAsciiNamesMatchWithoutRegardToCase) {
    const auto document = IniDocument::parse(L"[\u00C9tat]\r\n\u00DCbersicht=1\r\n");
    EXPECT_EQ(document.readString(L"\u00E9TAT", L"\u00FCBERSICHT", L""), L"1");
    EXPECT_EQ(document.readString(L"Etat", L"Ubersicht", L"none"), L"none");
}

}  // namespace
}  // namespace tonvale
