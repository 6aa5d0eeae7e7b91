// The phone as the program's logic sees it: the library's operations, one method each, so that
// the logic runs against the real library or against a fake in tests.
#pragma once

#include <cstdint>
#include <string>

namespace tonvale {

class Phone {
  public:
    virtual ~Phone() = default;

    // Registers the program's connection handler with the library.
    virtual void registerConnectionHandler() = 0;
    // The connected check.
    virtual bool isConnected() = 0;
    virtual void restart() = 0;
    // Free bytes of the volume "/a".
    virtual int32_t freeBytes() = 0;
    // The 7 bytes of the phone's label seem.
    virtual void readLabelSeem(unsigned char (&buffer)[7]) = 0;
    virtual int fileCount() = 0;
    virtual void resetFilePointer() = 0;
    // Phone paths are 8-bit text beginning "/a/".
    virtual int deleteFile(const std::string& phonePath) = 0;
    virtual int createFile(const std::string& phonePath) = 0;
    virtual int writeFile(const void* data, uint32_t length) = 0;
    virtual void closeFile() = 0;
};

}  // namespace tonvale
