// The kernel's handles as the program and the virtual phone own them.
#pragma once

#include <windows.h>

#include "OwnedHandle.h"

namespace tonvale {

// Files, threads and events: CreateFileW reports failure as INVALID_HANDLE_VALUE, CreateThread
// as null; neither is closed.
struct KernelHandle {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool owns(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void close(Handle handle) { CloseHandle(handle); }
};

// Directory searches, which FindClose ends rather than CloseHandle.
struct FindHandle {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool owns(Handle handle) { return handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};

using OwnedKernelHandle = OwnedHandle<KernelHandle>;
using OwnedFindHandle = OwnedHandle<FindHandle>;

}  // namespace tonvale
