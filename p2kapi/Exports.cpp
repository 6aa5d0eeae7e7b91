// The library's operations: each one logs its call and hands it to the virtual phone. Nothing
// may throw across this C boundary; a failure of the library itself reads as a failed call.
// On 32-bit x86 the exports are entries that pass each call on in the convention the phone's
// settings name (see the end of this file); on x86-64 they are the operations themselves.
#include "p2kapi.h"

#include "CallLog.h"
#include "VirtualPhone.h"

#include <cstdint>
#include <string>

namespace {

using p2kapi::VirtualPhone;

constexpr int kDone = 0;
constexpr int kFailed = -1;

template <typename Result, typename Call>
Result guarded(Result failure, Call call) noexcept {
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

int doneIf(bool done) {
    return done ? kDone : kFailed;
}

// Every call is logged, then takes the phone's time; a write also that of its bytes.
VirtualPhone& logged(const std::string& line, uint32_t bytesToWrite = 0) {
    VirtualPhone& phone = VirtualPhone::instance();
    phone.logCall(line);
    phone.takeTime(bytesToWrite);
    return phone;
}

namespace operations {

int P2K_Init(P2K_ConnectHandler onConnect) {
    return guarded(kFailed, [&] {
        logged("P2K_Init").registerHandler(onConnect);
        return kDone;
    });
}

int P2K_GetStatus(void) {
    return guarded(0, [] { return logged("P2K_GetStatus").isAttached() ? 1 : 0; });
}

int P2K_Restart(void) {
    return guarded(kFailed, [] { return doneIf(logged("P2K_Restart").restart()); });
}

// The phone keeps no state in `volume`; unless VolumeNameBytes asks for the volume's name
// there, it is left as the caller set it. Without a phone there is no room at all.
int32_t File_VolInfo(int32_t* volume) {
    return guarded(int32_t{0}, [&] {
        VirtualPhone& phone = logged("File_VolInfo");
        phone.writeVolumeName(volume);
        return phone.freeBytes().value_or(0);
    });
}

int Seem_Read(int seem, int record, int offset, int bytes, unsigned char* buffer) {
    return guarded(kFailed, [&] {
        const std::string line = "Seem_Read " + std::to_string(seem) + ' ' +
                                 std::to_string(record) + ' ' + std::to_string(offset) + ' ' +
                                 std::to_string(bytes);
        return doneIf(logged(line).readSeem(seem, record, offset, bytes, buffer));
    });
}

int File_Count(void) {
    return guarded(kFailed, [] { return logged("File_Count").countFiles().value_or(kFailed); });
}

// Writes always append, so the pointer has nothing to move; only a missing phone fails.
int File_SetPointer(int a, int b) {
    return guarded(kFailed, [&] {
        const std::string line = "File_SetPointer " + std::to_string(a) + ' ' + std::to_string(b);
        return doneIf(logged(line).isAttached());
    });
}

int File_Delete(const char* phonePath) {
    return guarded(kFailed, [&] {
        const std::string line = "File_Delete " + p2kapi::loggedPath(phonePath);
        return doneIf(logged(line).deleteFile(phonePath));
    });
}

// The attributes of a new file are the phone's business; the host file gets none.
int File_Create(const char* phonePath, int attributes) {
    return guarded(kFailed, [&] {
        const std::string line =
            "File_Create " + p2kapi::loggedPath(phonePath) + ' ' + std::to_string(attributes);
        return doneIf(logged(line).create(phonePath));
    });
}

int File_Write(const void* data, uint32_t length) {
    return guarded(kFailed, [&] {
        VirtualPhone& phone = logged("File_Write " + std::to_string(length), length);
        const bool written = phone.write(data, length);
        if (written) {
            phone.writeDone();
        }
        return doneIf(written);
    });
}

int File_Close(void) {
    return guarded(kFailed, [] { return doneIf(logged("File_Close").close()); });
}

}  // namespace operations
}  // namespace

// The table of the operations, in the order of their entries' numbers.
#define P2KAPI_OPERATIONS(X)                                                                   \
    X(0, P2K_Init, int, (P2K_ConnectHandler onConnect), (onConnect))                           \
    X(1, P2K_GetStatus, int, (void), ())                                                       \
    X(2, P2K_Restart, int, (void), ())                                                         \
    X(3, File_VolInfo, int32_t, (int32_t * volume), (volume))                                  \
    X(4, Seem_Read, int, (int seem, int record, int offset, int bytes, unsigned char* buffer), \
      (seem, record, offset, bytes, buffer))                                                   \
    X(5, File_Count, int, (void), ())                                                          \
    X(6, File_SetPointer, int, (int a, int b), (a, b))                                         \
    X(7, File_Delete, int, (const char* phonePath), (phonePath))                               \
    X(8, File_Create, int, (const char* phonePath, int attributes), (phonePath, attributes))   \
    X(9, File_Write, int, (const void* data, uint32_t length), (data, length))                 \
    X(10, File_Close, int, (void), ())

#if defined(__i386__) || defined(_M_IX86)

namespace {

// Each operation twice over: removing its arguments itself (stdcall) and leaving them to the
// caller (cdecl).
#define P2KAPI_BOTH_CONVENTIONS(number, name, result, parameters, arguments) \
    result __stdcall stdcall##name parameters {                              \
        return operations::name arguments;                                   \
    }                                                                        \
    result __cdecl cdecl##name parameters {                                  \
        return operations::name arguments;                                   \
    }
P2KAPI_OPERATIONS(P2KAPI_BOTH_CONVENTIONS)

struct Entries {
    const void* stdcallEntry;
    const void* cdeclEntry;
};
#define P2KAPI_ENTRIES(number, name, result, parameters, arguments) \
    {reinterpret_cast<const void*>(&stdcall##name), reinterpret_cast<const void*>(&cdecl##name)},
const Entries kEntries[] = {P2KAPI_OPERATIONS(P2KAPI_ENTRIES)};

}  // namespace

// Where the exported entry `number` goes, by the settings; read on the library's first use,
// and anew at every reset. Called from the entries below with the caller's arguments still on
// the stack, which it leaves alone.
extern "C" const void* __cdecl p2kapi_resolve(unsigned number) noexcept
#if defined(__GNUC__)
    __asm__("p2kapi_resolve") __attribute__((force_align_arg_pointer))
#endif
    ;
const void* __cdecl p2kapi_resolve(unsigned number) noexcept {
    const Entries& entries = kEntries[number];
    try {
        return VirtualPhone::instance().convention() == p2kapi::CallingConvention::Cdecl
                   ? entries.cdeclEntry
                   : entries.stdcallEntry;
    } catch (...) {
        return entries.stdcallEntry;
    }
}

// The exported entries. Assembly, because only a jump leaves the caller's stack exactly as the
// caller made it, for the operation to take its arguments from in its own convention: each
// entry puts its number in EAX (which neither convention keeps) and goes to the dispatch,
// which asks p2kapi_resolve and jumps to the answer.
#if defined(__GNUC__)

__asm__(
    ".text\n"
    "p2kapi_dispatch:\n"
    "    pushl %eax\n"
    "    call p2kapi_resolve\n"
    "    addl $4, %esp\n"
    "    jmp *%eax\n");
#define P2KAPI_ENTRY(number, name, result, parameters, arguments)  \
    extern "C" __attribute__((naked)) void p2kapi_entry_##name() { \
        __asm__("movl $" #number ", %eax\n\tjmp p2kapi_dispatch"); \
    }

#else

extern "C" __declspec(naked) void p2kapi_dispatch() {
    __asm {
        push eax
        call p2kapi_resolve
        add esp, 4
        jmp eax
    }
}
#define P2KAPI_ENTRY(number, name, result, parameters, arguments) \
    extern "C" __declspec(naked) void p2kapi_entry_##name() {     \
        __asm mov eax, number __asm jmp p2kapi_dispatch           \
    }

#endif

P2KAPI_OPERATIONS(P2KAPI_ENTRY)

#else

// One convention: the exports are the operations.
#define P2KAPI_EXPORT(number, name, result, parameters, arguments) \
    extern "C" result name parameters {                            \
        return operations::name arguments;                         \
    }
P2KAPI_OPERATIONS(P2KAPI_EXPORT)

#endif
