// The phone reached through p2kapi.dll.
#pragma once

#include "Phone.h"
#include "p2kapi.h"

namespace tonvale {

class P2kLibraryPhone final : public Phone {
  public:
    explicit P2kLibraryPhone(P2K_ConnectHandler connectionHandler)
        : connectionHandler_(connectionHandler) {}

    void registerConnectionHandler() override;
    bool isConnected() override;
    void restart() override;
    int32_t freeBytes() override;
    void readLabelSeem(unsigned char (&buffer)[7]) override;
    int fileCount() override;
    void resetFilePointer() override;
    int deleteFile(const std::string& phonePath) override;
    int createFile(const std::string& phonePath) override;
    int writeFile(const void* data, uint32_t length) override;
    void closeFile() override;

  private:
    P2K_ConnectHandler connectionHandler_;
    // Handed to File_VolInfo on every call; the library's business, never read here.
    int32_t volume_ = 0;
};

}  // namespace tonvale
