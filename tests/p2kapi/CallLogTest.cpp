// The call log tests of the program read to see what it asked the phone.
#include "PhoneFixture.h"

namespace {

using P2kapiCallLogTest = PhoneTest;

void P2K_CALL ignoreCall() {}

TEST_F(P2kapiCallLogTest, EveryExportIsLoggedInOrder) {
    int32_t volume = 0;
    unsigned char label[7];
    P2K_Init(&ignoreCall);
    P2K_GetStatus();
    File_VolInfo(&volume);
    Seem_Read(279, 1, 1, 7, label);
    File_Count();
    File_SetPointer(0, 0);
    File_Delete("/a/x");
    File_Create("/a/mobile/audio/a.mid", 0);
    File_Write(label, 7);
    File_Close();
    P2K_Restart();

    EXPECT_EQ(
        "P2K_Init\nP2K_GetStatus\nFile_VolInfo\nSeem_Read 279 1 1 7\nFile_Count\n"
        "File_SetPointer 0 0\nFile_Delete /a/x\nFile_Create /a/mobile/audio/a.mid 0\n"
        "File_Write 7\nFile_Close\nP2K_Restart\n",
        callLog());
}

TEST_F(P2kapiCallLogTest, FailedCallsAreLoggedWithOddArgumentsKeptOnOneLine) {
    File_Create(nullptr, 3);
    File_Delete("/a/bad\nname");
    File_Write(nullptr, 1536);
    EXPECT_EQ("File_Create (null) 3\nFile_Delete /a/bad\\x0Aname\nFile_Write 1536\n", callLog());
}

TEST_F(P2kapiCallLogTest, ClearResetAndShortBuffers) {
    P2K_GetStatus();
    P2K_GetStatus();
    const std::string full = "P2K_GetStatus\nP2K_GetStatus\n";

    char small[6];
    EXPECT_EQ(static_cast<int>(full.size()),
              P2KTest_CallLog(small, static_cast<int>(sizeof small)));
    EXPECT_EQ(full.substr(0, 5), std::string(small));

    P2KTest_ClearCallLog();
    EXPECT_EQ("", callLog());
    File_Count();
    resetPhone(true);
    EXPECT_EQ("", callLog());
}

}  // namespace
