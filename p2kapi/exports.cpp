// The library's exports: each one logs its call and hands it to the virtual phone. Nothing may
// throw across this C boundary; a failure of the library itself reads as a failed call.
#include "p2kapi.h"

#include "call_log.h"
#include "virtual_phone.h"

#include <string>

namespace {

using p2kapi::VirtualPhone;

constexpr int kDone = 0;
constexpr int kFailed = -1;

template <typename Result, typename Call>
Result Guarded(Result failure, Call call) noexcept {
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

int DoneIf(bool done) {
    return done ? kDone : kFailed;
}

// Every call is logged, then takes the phone's time; a write also that of its bytes.
VirtualPhone& Logged(const std::string& line, uint32_t bytesToWrite = 0) {
    VirtualPhone& phone = VirtualPhone::Instance();
    phone.LogCall(line);
    phone.TakeTime(bytesToWrite);
    return phone;
}

}  // namespace

extern "C" {

int P2K_CALL P2K_Init(P2K_ConnectHandler onConnect) {
    return Guarded(kFailed, [&] {
        Logged("P2K_Init").Register(onConnect);
        return kDone;
    });
}

int P2K_CALL P2K_GetStatus(void) {
    return Guarded(0, [] { return Logged("P2K_GetStatus").IsAttached() ? 1 : 0; });
}

int P2K_CALL P2K_Restart(void) {
    return Guarded(kFailed, [] { return DoneIf(Logged("P2K_Restart").Restart()); });
}

// The phone keeps no state in `volume`; unless VolumeNameBytes asks for the volume's name
// there, it is left as the caller set it. Without a phone there is no room at all.
int32_t P2K_CALL File_VolInfo(int32_t* volume) {
    return Guarded(int32_t{0}, [&] {
        VirtualPhone& phone = Logged("File_VolInfo");
        phone.WriteVolumeName(volume);
        return phone.FreeBytes().value_or(0);
    });
}

int P2K_CALL Seem_Read(int seem, int record, int offset, int bytes, unsigned char* buffer) {
    return Guarded(kFailed, [&] {
        const std::string line = "Seem_Read " + std::to_string(seem) + ' ' +
                                 std::to_string(record) + ' ' + std::to_string(offset) + ' ' +
                                 std::to_string(bytes);
        return DoneIf(Logged(line).ReadSeem(seem, record, offset, bytes, buffer));
    });
}

int P2K_CALL File_Count(void) {
    return Guarded(kFailed, [] { return Logged("File_Count").CountFiles().value_or(kFailed); });
}

// Writes always append, so the pointer has nothing to move; only a missing phone fails.
int P2K_CALL File_SetPointer(int a, int b) {
    return Guarded(kFailed, [&] {
        const std::string line = "File_SetPointer " + std::to_string(a) + ' ' + std::to_string(b);
        return DoneIf(Logged(line).IsAttached());
    });
}

int P2K_CALL File_Delete(const char* phonePath) {
    return Guarded(kFailed, [&] {
        const std::string line = "File_Delete " + p2kapi::LoggedPath(phonePath);
        return DoneIf(Logged(line).Delete(phonePath));
    });
}

// The attributes of a new file are the phone's business; the host file gets none.
int P2K_CALL File_Create(const char* phonePath, int attributes) {
    return Guarded(kFailed, [&] {
        const std::string line =
            "File_Create " + p2kapi::LoggedPath(phonePath) + ' ' + std::to_string(attributes);
        return DoneIf(Logged(line).Create(phonePath));
    });
}

int P2K_CALL File_Write(const void* data, uint32_t length) {
    return Guarded(kFailed, [&] {
        VirtualPhone& phone = Logged("File_Write " + std::to_string(length), length);
        const bool written = phone.Write(data, length);
        if (written) {
            phone.WriteDone();
        }
        return DoneIf(written);
    });
}

int P2K_CALL File_Close(void) {
    return Guarded(kFailed, [] { return DoneIf(Logged("File_Close").Close()); });
}

}  // extern "C"
