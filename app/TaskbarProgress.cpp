#include "TaskbarProgress.h"

#include <algorithm>

namespace tonvale {

ITaskbarList3* ShellTaskbarProgress::taskbar() {
    if (!asked_) {
        asked_ = true;
        ITaskbarList3* list = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
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
