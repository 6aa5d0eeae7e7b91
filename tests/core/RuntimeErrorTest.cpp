#include <gtest/gtest.h>

#include <stdexcept>

#include "Failure.h"
#include "RuntimeError.h"

namespace tonvale {
namespace {

// The runtime's text for each code a local file fails with; any other shows its number.
TEST(RuntimeError, EveryLocalFileFailureHasTheRuntimesText) {
    const std::pair<int, const wchar_t*> table[] = {
        {2, L"File not found"},
        {3, L"Invalid filename"},
        {4, L"Too many open files"},
        {5, L"File access denied"},
        {100, L"Read beyond end of file"},
        {101, L"Disk full"},
        {106, L"Invalid numeric input"},
        {32, L"I/O error 32"},
        {1784, L"I/O error 1784"},
        {0, L"I/O error 0"},
    };
    for (const auto& [code, text] : table) {
        EXPECT_EQ(ioError(code).message(), text) << code;
    }
}

TEST(RuntimeError, ParsesWholeNumbersInTheSigned32BitRange) {
    EXPECT_EQ(parseInt32(L"0"), 0);
    EXPECT_EQ(parseInt32(L"4096"), 4096);
    EXPECT_EQ(parseInt32(L"-2048"), -2048);
    EXPECT_EQ(parseInt32(L"+7"), 7);
    EXPECT_EQ(parseInt32(L"2147483647"), INT32_MAX);
    EXPECT_EQ(parseInt32(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(parseInt32(L"000012"), 12);
}

TEST(RuntimeError, RefusesAnythingElseWithTheConversionMessage) {
    for (const wchar_t* text : {L"", L"-", L"+", L" 1", L"1 ", L"1.5", L"12a", L"2147483648",
                                L"-2147483649", L"99999999999999999999", L"0x10"}) {
        try {
            parseInt32(text);
            ADD_FAILURE() << "accepted a text that is not a 32-bit number";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.message(),
                      L"'" + std::wstring(text) + L"' is not a valid integer value");
        }
    }
}

TEST(RuntimeError, ErrorBoxAddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText(L"File not found"), L"File not found.");
    EXPECT_EQ(errorBoxText(L"I/O error 32"), L"I/O error 32.");
    EXPECT_EQ(errorBoxText(L"'' is not a valid integer value"),
              L"'' is not a valid integer value.");
    EXPECT_EQ(errorBoxText(L"Done."), L"Done.");
    EXPECT_EQ(errorBoxText(L"Cannot open file \"C:\\x.ini\""), L"Cannot open file \"C:\\x.ini\"");
    EXPECT_EQ(errorBoxText(L"Failed!"), L"Failed!");
    EXPECT_EQ(errorBoxText(L"over/"), L"over/.");
    EXPECT_EQ(errorBoxText(L""), L"");
}

TEST(RuntimeError, ProgramTitleIsTheFileNameCutAtItsFirstDot) {
    EXPECT_EQ(programTitleFromPath(L"C:\\Program Files\\Tonvale\\Tonvale.exe"), L"Tonvale");
    EXPECT_EQ(programTitleFromPath(L"C:\\a.b\\Tonvale.v2.exe"), L"Tonvale");
    EXPECT_EQ(programTitleFromPath(L"/opt/x/app_tests.exe"), L"app_tests");
    EXPECT_EQ(programTitleFromPath(L"NoExtension"), L"NoExtension");
}

// Whatever ends a command, the error box gets a text: ours as is, others described.
TEST(RuntimeError, EveryFailureHasATextForTheErrorBox) {
    class KindOfRuntimeError : public RuntimeError {
        using RuntimeError::RuntimeError;
    };
    auto textOf = [](auto thrown) {
        try {
            throw thrown;
        } catch (...) {
            return describeFailure(std::current_exception());
        }
    };
    EXPECT_EQ(textOf(KindOfRuntimeError(L"Cannot create file \"C:\\T.ini\". Full")),
              L"Cannot create file \"C:\\T.ini\". Full");
    EXPECT_EQ(textOf(std::runtime_error("window cannot be created")), L"window cannot be created");
    EXPECT_EQ(textOf(42), L"Unknown failure");
    EXPECT_STREQ(RuntimeError(L"Caf\u00E9").what(), "Caf\xC3\xA9");
}

}  // namespace
}  // namespace tonvale
