#include "TaskbarProgress.h"

#include <objbase.h>

#include <algorithm>

#include "LaterBound.h"

namespace tonvale {

namespace {

template <typename Function>
Function fromCom(const char* name) {
    return laterBound<Function>(L"ole32.dll", name);
}

}  // namespace

ShellTaskbarProgress::~ShellTaskbarProgress() {
    taskbar_.reset();
    if (joinedApartment_) {
        fromCom<decltype(&CoUninitialize)>("CoUninitialize")();
    }
}

ITaskbarList3* ShellTaskbarProgress::taskbar() {
    if (!asked_) {
        asked_ = true;
        const auto initialize = fromCom<decltype(&CoInitializeEx)>("CoInitializeEx");
        const auto createInstance = fromCom<decltype(&CoCreateInstance)>("CoCreateInstance");
        if (initialize == nullptr || createInstance == nullptr) {
            return nullptr;
        }
        joinedApartment_ =
            SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        ITaskbarList3* list = nullptr;
        if (SUCCEEDED(createInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ITaskbarList3, reinterpret_cast<void**>(&list)))) {
            taskbar_.reset(list);
            if (FAILED(list->HrInit())) {
                taskbar_.reset();
            }
        }
    }
    return taskbar_.get();
}

void ShellTaskbarProgress::show(HWND window, uint64_t done, uint64_t total) {
    if (ITaskbarList3* list = taskbar()) {
        list->SetProgressValue(window, std::min(done, total), total);
    }
}

void ShellTaskbarProgress::clear(HWND window) {
    if (ITaskbarList3* list = taskbar()) {
        list->SetProgressState(window, TBPF_NOPROGRESS);
    }
}

}  // namespace tonvale
