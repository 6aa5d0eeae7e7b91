// The test hooks declared in p2kapi_test.h. They are not logged: the log is the program's calls.
#include "p2kapi_test.h"

#include "host_path.h"
#include "phone_settings.h"
#include "virtual_phone.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using p2kapi::VirtualPhone;

template <typename Call>
void Guarded(Call call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

extern "C" {

void P2KTest_Reset(const wchar_t* root, const char* label, int64_t capacityBytes, int attached,
                   unsigned attachDelayMs, unsigned restartDelayMs) {
    Guarded([&] {
        p2kapi::PhoneSettings settings;
        settings.root = root != nullptr ? std::wstring(root)
                                        : p2kapi::JoinPath(p2kapi::LibraryFolder(), L"phone");
        if (label != nullptr) {
            settings.label = p2kapi::MakeLabel(label);
        }
        settings.capacityBytes = capacityBytes;
        settings.attached = attached != 0;
        settings.attachDelayMs = attachDelayMs;
        settings.restartDelayMs = restartDelayMs;
        VirtualPhone::Instance().Reset(std::move(settings));
    });
}

void P2KTest_ResetFromIni(const wchar_t* iniPath) {
    Guarded([&] {
        VirtualPhone::Instance().Reset(iniPath != nullptr ? p2kapi::ReadPhoneSettings(iniPath)
                                                          : p2kapi::ReadLibrarySettings());
    });
}

void P2KTest_Attach(void) {
    Guarded([] { VirtualPhone::Instance().AttachNow(); });
}

void P2KTest_Detach(void) {
    Guarded([] { VirtualPhone::Instance().DetachNow(); });
}

void P2KTest_FailNextCreates(int count) {
    Guarded([&] { VirtualPhone::Instance().FailNextCreates(count); });
}

void P2KTest_FailNextWrites(int count) {
    Guarded([&] { VirtualPhone::Instance().FailNextWrites(count); });
}

void P2KTest_DetachAfterWrites(int count) {
    Guarded([&] { VirtualPhone::Instance().DetachAfterWrites(count); });
}

void P2KTest_SetFreeSpace(int32_t freeBytes) {
    Guarded([&] { VirtualPhone::Instance().OverrideFreeBytes(freeBytes); });
}

void P2KTest_ClearFreeSpace(void) {
    Guarded([] { VirtualPhone::Instance().OverrideFreeBytes(std::nullopt); });
}

int P2KTest_CallLog(char* buffer, int size) {
    int length = 0;
    Guarded([&] {
        const std::string log = VirtualPhone::Instance().CallLogText();
        length = static_cast<int>(log.size());
        if (buffer != nullptr && size > 0) {
            const size_t copied = std::min(log.size(), static_cast<size_t>(size - 1));
            std::memcpy(buffer, log.data(), copied);
            buffer[copied] = '\0';
        }
    });
    return length;
}

void P2KTest_ClearCallLog(void) {
    Guarded([] { VirtualPhone::Instance().ClearCallLog(); });
}

int P2KTest_HandlerCalls(void) {
    int calls = 0;
    Guarded([&] { calls = VirtualPhone::Instance().HandlerCalls(); });
    return calls;
}

unsigned long P2KTest_HandlerThreadId(void) {
    unsigned long id = 0;
    Guarded([&] { id = VirtualPhone::Instance().HandlerThreadId(); });
    return id;
}

int P2KTest_WaitForHandlerCalls(int count, unsigned timeoutMs) {
    int reached = 0;
    Guarded([&] { reached = VirtualPhone::Instance().WaitForHandlerCalls(count, timeoutMs); });
    return reached;
}

}  // extern "C"
