// Test hooks of the virtual phone. Only tests include this header; the program never does.
// Every hook is safe to call from any thread.
#pragma once

#include <cstdint>

#if defined(P2KAPI_BUILDING)
#define P2KTEST_API __declspec(dllexport)
#else
#define P2KTEST_API __declspec(dllimport)
#endif

extern "C" {

// Starts afresh, as if the library had just been loaded with these settings instead of those
// of p2kapi.ini: no handler registered, pending notifications dropped, no open phone file,
// failure counters, planned detach, free-space override and call log cleared. `root` is the
// host folder that holds the volume "/a" (created with the phone's standard folders and tone
// databases when missing); `label` gives the phone's four label characters. With `attached`
// set, the phone attaches `attachDelayMs` after this call (at once for 0). A null `root` or
// `label` means the default: "phone" beside the library, "E398".
P2KTEST_API void P2KTest_Reset(const wchar_t* root, const char* label, int64_t capacityBytes,
                               int attached, unsigned attachDelayMs, unsigned restartDelayMs);
// As P2KTest_Reset, with the settings an ini file gives (a missing file or key keeps the
// default; a relative Root is relative to the file's folder); null reads p2kapi.ini beside the
// library.
P2KTEST_API void P2KTest_ResetFromIni(const wchar_t* iniPath);
// Attaches the phone now (the registered handler, if any, is called from the library's thread;
// nothing happens when it is attached already) or detaches it now (an open phone file is closed
// and a pending attach cancelled).
P2KTEST_API void P2KTest_Attach(void);
P2KTEST_API void P2KTest_Detach(void);
// The next `count` calls of File_Create (or File_Write) fail without any other effect.
P2KTEST_API void P2KTest_FailNextCreates(int count);
P2KTEST_API void P2KTest_FailNextWrites(int count);
// The phone detaches right after the `count`th File_Write from now that succeeds, as when the
// cable is pulled mid-upload: the open phone file is closed where it stands and every later call
// fails as without a phone. 0 (or less) cancels a planned detach.
P2KTEST_API void P2KTest_DetachAfterWrites(int count);
// File_VolInfo answers `freeBytes`, and File_Write refuses more than that, until
// P2KTest_ClearFreeSpace.
P2KTEST_API void P2KTest_SetFreeSpace(int32_t freeBytes);
P2KTEST_API void P2KTest_ClearFreeSpace(void);
// The calls made through the library's exports since the last reset or clear, one line each,
// '\n'-terminated, e.g. "File_Create /a/mobile/audio/a.mid 0" or "File_Write 1536". Copies at
// most size-1 bytes and a terminating zero; returns the length of the whole log.
P2KTEST_API int P2KTest_CallLog(char* buffer, int size);
P2KTEST_API void P2KTest_ClearCallLog(void);
// Handler calls completed since the last reset, and the id of the thread that makes them
// (0 before the first).
P2KTEST_API int P2KTest_HandlerCalls(void);
P2KTEST_API unsigned long P2KTest_HandlerThreadId(void);
// Waits until at least `count` handler calls have completed; 1 when reached in time.
P2KTEST_API int P2KTest_WaitForHandlerCalls(int count, unsigned timeoutMs);

}  // extern "C"
