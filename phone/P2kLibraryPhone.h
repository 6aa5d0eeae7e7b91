// The phone reached through p2kapi.dll.
#pragma once

#include <array>

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
    // Handed to File_VolInfo on every call; the library's business, never read or written here.
    // Its first four bytes are the volume variable, zero at the start. Some libraries return
    // the volume's name there as well, up to 128 bytes, so the whole block is room for it.
    alignas(int32_t) std::array<unsigned char, 256> volumeInfo_{};
};

}  // namespace tonvale
