// Tonvale's entry point.
#include <windows.h>
#include <commctrl.h>

#include "ConnectionRelay.h"
#include "P2kLibraryPhone.h"
#include "Program.h"
#include "RuntimeError.h"
#include "TaskbarProgress.h"
#include "SettingsPaths.h"
#include "TrayIcon.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

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
