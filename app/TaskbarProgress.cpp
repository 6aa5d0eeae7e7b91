#include "TaskbarProgress.h"

#include <objbase.h>

#include <algorithm>

namespace tonvale {

ShellTaskbarProgress::~ShellTaskbarProgress() = default;

ITaskbarList3* ShellTaskbarProgress::taskbar() {
    if (!asked_) {
        asked_ = true;
        taskbar_ = apartment_.create<ITaskbarList3>(CLSID_TaskbarList, IID_ITaskbarList3);
        if (taskbar_ && FAILED(taskbar_.get()->HrInit())) {
            taskbar_.reset();
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
