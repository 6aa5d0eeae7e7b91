#include "Unit2.h"

#include <utility>

#include "Failure.h"
#include "Form2Layout.h"
#include "RuntimeError.h"
#include "StartingFolder.h"

namespace tonvale {

TForm2::TForm2(HINSTANCE instance, Form2Setup setup)
    : Form(instance, form2Description()), setup_(std::move(setup)) {
    create(setup_.owner);
}

TForm2::~TForm2() {
    destroy();
}

void TForm2::showInFront() {
    show(SW_SHOW);
    SetForegroundWindow(handle());
}

void TForm2::standAlone(bool alone) {
    const auto exStyle = GetWindowLongPtrW(handle(), GWL_EXSTYLE);
    const auto wanted = alone ? exStyle | WS_EX_APPWINDOW : exStyle & ~LONG_PTR{WS_EX_APPWINDOW};
    if (wanted == exStyle) {
        return;
    }
    // The taskbar looks at the style when a window is shown, so a shown dialog is shown again;
    // standing alone it takes the keyboard too, since the window it belongs to is gone.
    const bool shown = IsWindowVisible(handle()) != FALSE;
    if (shown) {
        ShowWindow(handle(), SW_HIDE);
    }
    SetWindowLongPtrW(handle(), GWL_EXSTYLE, wanted);
    if (shown) {
        ShowWindow(handle(), alone ? SW_SHOW : SW_SHOWNA);
    }
}

LRESULT TForm2::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == IdForm2BitBtn1) {
                    pass(&TForm2::BitBtn1Click);
                    return 0;
                }
                if (LOWORD(wParam) == IdForm2BitBtn2) {
                    pass(&TForm2::BitBtn2Click);
                    return 0;
                }
            }
            break;
        case WM_CLOSE:
            // The close box closes as No does.
            pass(&TForm2::BitBtn2Click);
            return 0;
        default:
            break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

void TForm2::onCreate() {
    Edit2 = win::EditControl(control(L"Edit2"));
}

// Enter presses the button that has the focus, as anywhere; from everywhere else it presses OK.
void TForm2::onEnter() {
    if (GetFocus() == control(L"BitBtn2")) {
        Form::onEnter();
        return;
    }
    pass(&TForm2::BitBtn1Click);
}

void TForm2::onEscape() {
    pass(&TForm2::BitBtn2Click);
}

// The box is one of the program's: the main window's commands wait until it is dismissed.
void TForm2::onFailure(std::exception_ptr failure) {
    const auto box = setup_.gate->boxOpen();
    setup_.prompts->showError(handle(), errorBoxText(describeFailure(failure)),
                              setup_.programTitle);
}

void TForm2::pass(void (TForm2::*handler)()) {
    const auto guarded = [this, handler] {
        try {
            (this->*handler)();
        } catch (...) {
            onFailure(std::current_exception());
        }
    };
    setup_.gate->enter(CommandGate::Door::Command, guarded);
}

// The file keeps the text as typed; the file dialog takes it as the next start will read it
// back, so that it starts in the same folder before and after a restart.
void TForm2::BitBtn1Click() {
    const std::wstring folder = Edit2.text();
    setup_.setStartingFolder(startingFolderAsReadBack(folder));
    storeStartingFolder(setup_.settingsPath, folder);
    hide();
}

void TForm2::BitBtn2Click() {
    hide();
}

}  // namespace tonvale
