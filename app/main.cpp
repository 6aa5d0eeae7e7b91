// Tonvale's entry point: the main window, then the event loop until it closes.
#include <windows.h>
#include <commctrl.h>

#include "ConnectionRelay.h"
#include "P2kLibraryPhone.h"
#include "RuntimeError.h"
#include "SettingsFile.h"
#include "SettingsPaths.h"
#include "Unit1.h"

namespace {

int runEventLoop(HWND mainWindow) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the main window's controls.
        if (IsWindow(mainWindow) && IsDialogMessageW(mainWindow, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const std::filesystem::path executable = tonvale::currentExecutablePath();
    tonvale::P2kLibraryPhone phone(&tonvale::ConnectionRelay::onConnect);
    tonvale::SystemPrompts prompts;
    tonvale::TForm1 form(instance, {&phone, &prompts, tonvale::settingsFilePathFor(executable),
                                    tonvale::programTitleFromPath(executable.wstring()), true});
    form.show(showCommand);
    return runEventLoop(form.handle());
}
