#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ConnectionReport.h"
#include "FakePhone.h"

namespace tonvale::testing {
namespace {

struct Connection {
    FakePhone phone;
    RecordingView view;
    std::wstring figure;

    void report(int32_t freeBytes) {
        phone.freeBytesAnswers = {freeBytes};
        figure = reportConnectedPhone(phone, view);
    }
};

TEST(ConnectionReport, FreeKilobytesAreCutTowardsZeroAndTheFigureKeepsTheBytes) {
    struct Case {
        int32_t bytes;
        const wchar_t* panel;
        const wchar_t* figure;
    };
    const Case cases[] = {
        {1023, L"Volume: /a, Free: 0 Kb", L"1023"},
        {2047, L"Volume: /a, Free: 1 Kb", L"2047"},
        {-1, L"Volume: /a, Free: 0 Kb", L"-1"},
        {-2048, L"Volume: /a, Free: -2 Kb", L"-2048"},
        {-2049, L"Volume: /a, Free: -2 Kb", L"-2049"},
        {INT32_MAX, L"Volume: /a, Free: 2097151 Kb", L"2147483647"},
        {INT32_MIN, L"Volume: /a, Free: -2097152 Kb", L"-2147483648"},
    };
    for (const Case& c : cases) {
        Connection connection;
        connection.report(c.bytes);
        EXPECT_EQ(connection.view.panels[2], c.panel) << c.bytes;
        EXPECT_EQ(connection.figure, c.figure) << c.bytes;
    }
}

TEST(ConnectionReport, AnAttachAsksTheStatusThenFillsThePanelsLogsAndRecordsInOrder) {
    Connection connection;
    const unsigned char seem[7] = {'E', 1, '3', 2, '9', 3, '8'};
    std::copy(std::begin(seem), std::end(seem), connection.phone.seem);
    // The panel uses the first answer, the recorded figure the second.
    connection.phone.freeBytesAnswers = {4096, 3072};
    const auto figure = reportPhoneNotification(connection.phone, connection.view);

    EXPECT_EQ(connection.phone.calls, (std::vector<std::string>{"P2K_GetStatus", "File_VolInfo",
                                                                "Seem_Read", "File_VolInfo"}));
    EXPECT_EQ(connection.view.events, (std::vector<std::wstring>{
                                          L"panel0=Status: Connected",
                                          L"panel1=Phone: E398",
                                          L"panel2=Volume: /a, Free: 4 Kb",
                                          L"log=Connected",
                                      }));
    EXPECT_EQ(figure, L"3072");
    EXPECT_EQ(connection.view.panels[3], L"");
}

// A library that also calls the handler when the phone goes away must not have the window
// report a connection for a phone just pulled out.
TEST(ConnectionReport, ANotificationWithoutAConnectedPhoneShowsItGoneAndAsksNothingMore) {
    Connection connection;
    connection.phone.seem[0] = 'A';
    connection.report(10240);
    connection.phone.calls.clear();
    connection.view.events.clear();
    connection.phone.connected = false;

    EXPECT_EQ(reportPhoneNotification(connection.phone, connection.view), std::nullopt);
    EXPECT_EQ(connection.phone.calls, std::vector<std::string>{"P2K_GetStatus"});
    EXPECT_EQ(connection.view.events, std::vector<std::wstring>{L"panel0=Status: Dinnected"});
    EXPECT_EQ(connection.view.panels[1], L"Phone: A");
    EXPECT_EQ(connection.view.panels[2], L"Volume: /a, Free: 10 Kb");
    EXPECT_EQ(connection.view.log, std::vector<std::wstring>{L"Connected"});
}

TEST(ConnectionReport, LabelEndsAtTheFirstZeroCharacter) {
    const unsigned char middleZero[7] = {'V', 'x', '3', 'x', 0, 'x', 'i'};
    EXPECT_EQ(phoneLabel(middleZero), L"V3");
    const unsigned char allZero[7] = {};
    EXPECT_EQ(phoneLabel(allZero), L"");
    const unsigned char oddBytesIgnored[7] = {'A', 0, 'B', 0, 'C', 0, 'D'};
    EXPECT_EQ(phoneLabel(oddBytesIgnored), L"ABCD");
    // Bytes outside ASCII are characters of the system code page: UTF-8 in the native build,
    // Windows-1252 under Wine's default locale.
    const unsigned char accented[7] = {0xC3, 'x', 0xA9, 'x', 'A', 'x', 'B'};
#ifdef _WIN32
    if (GetACP() == 1252) {
        EXPECT_EQ(phoneLabel(accented), L"\u00C3\u00A9AB");
    } else if (GetACP() == CP_UTF8) {
        EXPECT_EQ(phoneLabel(accented), L"\u00E9AB");
    }
#else
    EXPECT_EQ(phoneLabel(accented), L"\u00E9AB");
#endif

    Connection connection;
    connection.report(0);
    EXPECT_EQ(connection.view.panels[1], L"Phone: ");
}

TEST(ConnectionReport, ASecondNotificationOverwritesEverythingAndLogsAgain) {
    Connection connection;
    connection.phone.seem[0] = 'A';
    connection.report(10240);
    connection.phone.seem[0] = 'B';
    connection.report(20480);
    EXPECT_EQ(connection.view.panels[1], L"Phone: B");
    EXPECT_EQ(connection.view.panels[2], L"Volume: /a, Free: 20 Kb");
    EXPECT_EQ(connection.figure, L"20480");
    EXPECT_EQ(connection.view.log, (std::vector<std::wstring>{L"Connected", L"Connected"}));
}

}  // namespace
}  // namespace tonvale::testing
