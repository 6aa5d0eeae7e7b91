// The phone-interface library p2kapi.dll: the eleven operations the program binds at load time.
// The libraries that come with the phones are 32-bit DLLs, so the program is a 32-bit one too.
// Their exports are the bare names ("P2K_Init"). The operations are declared __stdcall, whose
// names a 32-bit compiler decorates ("P2K_Init@4"), and the import library is made to match;
// but libraries are built in either convention, so the program calls them only through the
// gate of LibraryCallGate.h, which holds with both.
// Phone paths are zero-terminated 8-bit strings beginning "/a/".
#pragma once

#include <cstdint>

#if defined(_WIN32)
#define P2K_CALL __stdcall
#if defined(P2KAPI_BUILDING)
#define P2K_API  // exported under the bare names by the library's export list
#else
#define P2K_API __declspec(dllimport)
#endif
#else
#define P2K_CALL
#define P2K_API
#endif

extern "C" {

// Called by the library when a phone is attached, from a thread of its own or inside P2K_Init,
// and by some libraries also when it goes away. The handler takes no argument and removes none
// from the stack (with no arguments both conventions are the same): it serves a library that
// passes none under either convention, and one that passes the phone's state as a C function.
typedef void(P2K_CALL* P2K_ConnectHandler)(void);

// Registers the connection handler; every registration while a phone is attached leads to one call.
P2K_API int P2K_CALL P2K_Init(P2K_ConnectHandler onConnect);
// 1 when a phone is connected; any other value means not connected.
P2K_API int P2K_CALL P2K_GetStatus(void);
// Restarts the phone: disconnected at once, attached again (with a handler call) later.
P2K_API int P2K_CALL P2K_Restart(void);
// Free bytes of the volume "/a" as a signed 32-bit value. `volume` is the caller's variable,
// zero at start, which the caller never reads or writes itself. Some libraries also write the
// volume's name there, up to 128 bytes, so it must start a block of at least that much room.
P2K_API int32_t P2K_CALL File_VolInfo(int32_t* volume);
// Reads `bytes` bytes of seem `seem`, record `record`, from `offset` into `buffer`.
P2K_API int P2K_CALL Seem_Read(int seem, int record, int offset, int bytes, unsigned char* buffer);
// Number of files on the phone.
P2K_API int P2K_CALL File_Count(void);
P2K_API int P2K_CALL File_SetPointer(int a, int b);
// 0 when the file was deleted.
P2K_API int P2K_CALL File_Delete(const char* phonePath);
// -1 when the file could not be created; otherwise it is the open phone file.
P2K_API int P2K_CALL File_Create(const char* phonePath, int attributes);
// Appends `length` bytes to the open phone file; 0 when written. Phone libraries declare the
// length as 16 bits; on 32-bit x86 a 16-bit and a 32-bit argument take the same single stack
// slot, and the program never asks for more than 65,535 bytes in one call, so a library that
// reads only 16 bits sees the same length as one that reads 32. A larger file goes in
// consecutive calls.
P2K_API int P2K_CALL File_Write(const void* data, uint32_t length);
// Closes the open phone file.
P2K_API int P2K_CALL File_Close(void);

}  // extern "C"
