// The test hooks declared in p2kapi_test.h. They are not logged: the log is the program's calls.
#include "p2kapi_test.h"

#include "HostPath.h"
#include "PhoneSettings.h"
#include "VirtualPhone.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using p2kapi::VirtualPhone;

template <typename Call>
void guarded(Call call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

}  // namespace

extern "C" {

void P2KTest_Reset(const wchar_t* root, const char* label, int64_t capacityBytes, int attached,
                   unsigned attachDelayMs, unsigned restartDelayMs) {
    guarded([&] {
        p2kapi::PhoneSettings settings;
        settings.root = root != nullptr ? std::wstring(root)
                                        : p2kapi::joinPath(p2kapi::libraryFolder(), L"phone");
        if (label != nullptr) {
            settings.label = p2kapi::makeLabel(label);
        }
        settings.capacityBytes = capacityBytes;
        settings.attached = attached != 0;
        settings.attachDelayMs = attachDelayMs;
        settings.restartDelayMs = restartDelayMs;
        VirtualPhone::instance().reset(std::move(settings));
    });
}

void P2KTest_ResetFromIni(const wchar_t* iniPath) {
    guarded([&] {
        VirtualPhone::instance().reset(iniPath != nullptr ? p2kapi::readPhoneSettings(iniPath)
                                                          : p2kapi::readLibrarySettings());
    });
}

void P2KTest_Attach(void) {
    guarded([] { VirtualPhone::instance().attachNow(); });
}

void P2KTest_Detach(void) {
    guarded([] { VirtualPhone::instance().detachNow(); });
}

void P2KTest_FailNextCreates(int count) {
    guarded([&] { VirtualPhone::instance().failNextCreates(count); });
}

void P2KTest_FailNextWrites(int count) {
    guarded([&] { VirtualPhone::instance().failNextWrites(count); });
}

void P2KTest_DetachAfterWrites(int count) {
    guarded([&] { VirtualPhone::instance().detachAfterWrites(count); });
}

void P2KTest_SetFreeSpace(int32_t freeBytes) {
    guarded([&] { VirtualPhone::instance().overrideFreeBytes(freeBytes); });
}

void P2KTest_ClearFreeSpace(void) {
    guarded([] { VirtualPhone::instance().overrideFreeBytes(std::nullopt); });
}

int P2KTest_CallLog(char* buffer, int size) {
    int length = 0;
    guarded([&] {
        const std::string log = VirtualPhone::instance().callLogText();
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
    guarded([] { VirtualPhone::instance().clearCallLog(); });
}

int P2KTest_HandlerCalls(void) {
    int calls = 0;
    guarded([&] { calls = VirtualPhone::instance().handlerCalls(); });
    return calls;
}

unsigned long P2KTest_HandlerThreadId(void) {
    unsigned long id = 0;
    guarded([&] { id = VirtualPhone::instance().handlerThreadId(); });
    return id;
}

int P2KTest_WaitForHandlerCalls(int count, unsigned timeoutMs) {
    int reached = 0;
    guarded([&] { reached = VirtualPhone::instance().waitForHandlerCalls(count, timeoutMs); });
    return reached;
}

}  // extern "C"
