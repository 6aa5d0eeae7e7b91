#include <gtest/gtest.h>

#include "FakePhone.h"
#include "PhoneCommands.h"

namespace tonvale::testing {
namespace {

using Calls = std::vector<std::string>;
using Lines = std::vector<std::wstring>;

struct PhoneCommand {
    FakePhone phone;
    RecordingView view;

    PhoneCommand() {
        view.panels[0] = L"Status: Connected";
        view.panels[1] = L"Phone: E398";
        view.panels[2] = L"Volume: /a, Free: 100 Kb";
    }
    void bothDatabasesPresent() {
        phone.deleteResults[kMyToneDatabase] = 0;
        phone.deleteResults[kTempToneDatabase] = 0;
    }
};

TEST(PhoneCommands, WithoutAPhoneOnlyTheLogChanges) {
    for (auto command : {&restartPhone, &updateRings}) {
        PhoneCommand c;
        c.bothDatabasesPresent();
        c.phone.connected = false;
        command(c.phone, c.view);
        EXPECT_EQ(c.phone.calls, Calls{"P2K_GetStatus"});
        EXPECT_EQ(c.view.events, Lines{L"log=Phone not connected"});
        EXPECT_EQ(c.view.panels[0], L"Status: Connected");
    }
}

TEST(PhoneCommands, RestartShowsThePhoneDisconnected) {
    PhoneCommand c;
    restartPhone(c.phone, c.view);
    EXPECT_EQ(c.phone.calls, (Calls{"P2K_GetStatus", "P2K_Restart"}));
    EXPECT_EQ(c.view.events, (Lines{
                                 L"panel0=Status: Dinnected",
                                 L"panel1=Phone: xxx",
                                 L"panel2=Volume: /a, Free: xxx Kbytes",
                                 L"log=Restarting phone...",
                                 L"progress=0/0",
                             }));
}

TEST(PhoneCommands, UpdateRingsDeletesBothDatabasesMyToneFirst) {
    PhoneCommand c;
    c.bothDatabasesPresent();
    updateRings(c.phone, c.view);
    EXPECT_EQ(c.phone.calls, (Calls{"P2K_GetStatus", "File_Delete /a/mobile/audio/MyToneDB.db",
                                    "File_Delete /a/mobile/audio/TempToneDB.db", "P2K_Restart"}));
    EXPECT_EQ(c.view.events, (Lines{
                                 L"log=/a/mobile/audio/MyToneDB.db was deleted",
                                 L"log=/a/mobile/audio/TempToneDB.db was deleted",
                                 L"progress=0/0",
                                 L"panel0=Status: Dinnected",
                                 L"panel1=Phone: xxx",
                                 L"panel2=Volume: /a, Free: xxx Kb",
                                 L"log=Restarting phone...",
                             }));
}

TEST(PhoneCommands, UpdateRingsWithoutMyToneSkipsTheSecondDeleteAndStillRestarts) {
    PhoneCommand c;
    c.phone.deleteResults[kTempToneDatabase] = 0;
    updateRings(c.phone, c.view);
    EXPECT_EQ(c.phone.calls,
              (Calls{"P2K_GetStatus", "File_Delete /a/mobile/audio/MyToneDB.db", "P2K_Restart"}));
    EXPECT_EQ(c.view.log, Lines{L"Restarting phone..."});
    EXPECT_EQ(c.view.panels[2], L"Volume: /a, Free: xxx Kb");
}

TEST(PhoneCommands, UpdateRingsReportsNothingWhenOnlyTheSecondDeleteFails) {
    PhoneCommand c;
    c.phone.deleteResults[kMyToneDatabase] = 0;
    updateRings(c.phone, c.view);
    EXPECT_EQ(c.phone.calls.size(), 4u);
    EXPECT_EQ(c.view.log, Lines{L"Restarting phone..."});
}

TEST(PhoneCommands, ConnectRegistersAgainAndOnlyResetsProgress) {
    PhoneCommand c;
    c.phone.connected = false;
    connectPhone(c.phone, c.view);
    EXPECT_EQ(c.phone.calls, Calls{"P2K_Init"});
    EXPECT_EQ(c.view.events, Lines{L"progress=0/0"});
}

}  // namespace
}  // namespace tonvale::testing
