#include "P2kLibraryPhone.h"

namespace tonvale {

namespace {

constexpr int kLabelSeem = 0x0117;

}  // namespace

void P2kLibraryPhone::registerConnectionHandler() {
    P2K_Init(connectionHandler_);
}

bool P2kLibraryPhone::isConnected() {
    return P2K_GetStatus() == 1;
}

void P2kLibraryPhone::restart() {
    P2K_Restart();
}

int32_t P2kLibraryPhone::freeBytes() {
    return File_VolInfo(reinterpret_cast<int32_t*>(volumeInfo_.data()));
}

void P2kLibraryPhone::readLabelSeem(unsigned char (&buffer)[7]) {
    Seem_Read(kLabelSeem, 1, 1, 7, buffer);
}

int P2kLibraryPhone::fileCount() {
    return File_Count();
}

void P2kLibraryPhone::resetFilePointer() {
    File_SetPointer(0, 0);
}

int P2kLibraryPhone::deleteFile(const std::string& phonePath) {
    return File_Delete(phonePath.c_str());
}

int P2kLibraryPhone::createFile(const std::string& phonePath) {
    return File_Create(phonePath.c_str(), 0);
}

int P2kLibraryPhone::writeFile(const void* data, uint32_t length) {
    return File_Write(data, length);
}

void P2kLibraryPhone::closeFile() {
    File_Close();
}

}  // namespace tonvale
