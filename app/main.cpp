// Tonvale's entry point.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "ConnectionRelay.h"
#include "P2kLibraryPhone.h"
#include "Program.h"
#include "RuntimeError.h"
#include "TaskbarProgress.h"
#include "SettingsPaths.h"
#include "TrayIcon.h"

namespace {

// The thread's COM apartment, for the shell's taskbar button and the file dialog.
class ComApartment {
  public:
    ComApartment()
        : joined_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }

  private:
    bool joined_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const ComApartment com;
    tonvale::SystemPrompts prompts;
    std::filesystem::path executable;
    try {
        executable = tonvale::currentExecutablePath();
    } catch (...) {
        prompts.showError(nullptr, L"Tonvale cannot find its own file.", L"Tonvale");
        return 1;
    }
    tonvale::P2kLibraryPhone phone(&tonvale::ConnectionRelay::onConnect);
    tonvale::ShellTrayIcon trayIcon(instance);
    tonvale::ShellTaskbarProgress taskbarProgress;
    return tonvale::runProgram(
        instance, showCommand,
        {&phone, &prompts, tonvale::settingsFilePathFor(executable),
         tonvale::programTitleFromPath(executable.wstring()), true, &trayIcon, &taskbarProgress});
}
