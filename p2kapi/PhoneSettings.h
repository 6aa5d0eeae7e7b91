// What the virtual phone is: where its volume lives, what it is called, how big it is and how
// it behaves on the connection. Read from p2kapi.ini beside the library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace p2kapi {

using PhoneLabel = std::array<char, 4>;

// How the library is called: each operation removes its arguments (stdcall), or leaves them to
// the caller (cdecl, what a C header without a convention gives). 32-bit x86 only: an x86-64
// library has one convention.
enum class CallingConvention { Stdcall, Cdecl };

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
    // How the library is built and calls the program's connection handler, as libraries in the
    // wild differ: the operations' convention; the handler called with no argument, or with 1
    // on attach and 0 on detach (as a C function, which leaves the argument to its caller); a
    // registration while attached calling it from the library's thread, or inside P2K_Init on
    // the caller's thread; and a call when the phone goes away, too.
    CallingConvention callingConvention = CallingConvention::Stdcall;
    bool handlerGetsState = false;
    bool handlerOnCallersThread = false;
    bool notifyDetach = false;
};

inline constexpr unsigned kLongestVolumeName = 128;

// Four label characters from any string: cut, or padded with spaces; anything but printable
// ASCII becomes '?'.
PhoneLabel makeLabel(const std::string& text);

// The settings of the [Phone] section of `iniPath`; every missing or unreadable key keeps its
// default. A relative Root is taken relative to the ini file's folder (the library's own).
PhoneSettings readPhoneSettings(const std::wstring& iniPath);

// The settings of p2kapi.ini beside this library.
PhoneSettings readLibrarySettings();

}  // namespace p2kapi
