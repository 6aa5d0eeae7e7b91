#include "P2kLibraryPhone.h"

#include "LibraryCallGate.h"

namespace tonvale {

namespace {

constexpr int kLabelSeem = 0x0117;

}  // namespace

// Every call goes through the gate: the library may be of either calling convention.
void P2kLibraryPhone::registerConnectionHandler() {
    callLibrary<int>(&P2K_Init, connectionHandler_);
}

bool P2kLibraryPhone::isConnected() {
    return callLibrary<int>(&P2K_GetStatus) == 1;
}

void P2kLibraryPhone::restart() {
    callLibrary<int>(&P2K_Restart);
}

int32_t P2kLibraryPhone::freeBytes() {
    return callLibrary<int32_t>(&File_VolInfo, reinterpret_cast<int32_t*>(volumeInfo_.data()));
}

void P2kLibraryPhone::readLabelSeem(unsigned char (&buffer)[7]) {
    callLibrary<int>(&Seem_Read, kLabelSeem, 1, 1, 7, &buffer[0]);
}

int P2kLibraryPhone::fileCount() {
    return callLibrary<int>(&File_Count);
}

void P2kLibraryPhone::resetFilePointer() {
    callLibrary<int>(&File_SetPointer, 0, 0);
}

int P2kLibraryPhone::deleteFile(const std::string& phonePath) {
    return callLibrary<int>(&File_Delete, phonePath.c_str());
}

int P2kLibraryPhone::createFile(const std::string& phonePath) {
    return callLibrary<int>(&File_Create, phonePath.c_str(), 0);
}

int P2kLibraryPhone::writeFile(const void* data, uint32_t length) {
    return callLibrary<int>(&File_Write, data, length);
}

void P2kLibraryPhone::closeFile() {
    callLibrary<int>(&File_Close);
}

}  // namespace tonvale
