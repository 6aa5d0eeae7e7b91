// What the virtual phone is: where its volume lives, what it is called, how big it is and how
// it behaves on the connection. Read from p2kapi.ini beside the library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace p2kapi {

using PhoneLabel = std::array<char, 4>;

struct PhoneSettings {
    std::wstring root;  // Host folder that holds the volume "/a"; absolute.
    PhoneLabel label{'E', '3', '9', '8'};
    int64_t capacityBytes = 32LL * 1024 * 1024;
    bool attached = true;
    unsigned attachDelayMs = 300;
    unsigned restartDelayMs = 3000;
    // Bytes File_VolInfo writes at the address it is given, as libraries that return the
    // volume's name there do; at most kLongestVolumeName.
    unsigned volumeNameBytes = 0;
    // A phone's pace: every call takes callDelayMs, and File_Write as long as its bytes take at
    // writeKiBPerSecond (0: as fast as the host's disk).
    unsigned callDelayMs = 0;
    unsigned writeKiBPerSecond = 0;
};

inline constexpr unsigned kLongestVolumeName = 128;

// Four label characters from any string: cut, or padded with spaces; anything but printable
// ASCII becomes '?'.
PhoneLabel MakeLabel(const std::string& text);

// The settings of the [Phone] section of `iniPath`; every missing or unreadable key keeps its
// default. A relative Root is taken relative to the ini file's folder (the library's own).
PhoneSettings ReadPhoneSettings(const std::wstring& iniPath);

// The settings of p2kapi.ini beside this library.
PhoneSettings ReadLibrarySettings();

}  // namespace p2kapi
