#include "Unit2.h"

#include <windowsx.h>

#include <optional>
#include <tuple>
#include <utility>

#include "Failure.h"
#include "Form2Layout.h"
#include "RuntimeError.h"
#include "StoredOptions.h"

namespace tonvale {

TForm2::TForm2(HINSTANCE instance, Form2Setup setup)
    : Form(instance, form2Description()), setup_(std::move(setup)) {
    create(setup_.owner);
}

TForm2::~TForm2() {
    destroy();
}

// Unlike the starting folder's field, the picture controls show what is stored, at the first
// showing; later showings keep what the user left in them.
void TForm2::showInFront() {
    if (!std::exchange(pictureOptionsShown_, true) && setup_.pictureOptions) {
        const PictureOptions options = setup_.pictureOptions();
        Button_SetCheck(CheckBox1, options.fitToScreen ? BST_CHECKED : BST_UNCHECKED);
        Edit3.setText(std::to_wstring(options.screenWidth));
        Edit4.setText(std::to_wstring(options.screenHeight));
    }
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
    Edit3 = win::EditControl(control(L"Edit3"));
    Edit4 = win::EditControl(control(L"Edit4"));
    CheckBox1 = control(L"CheckBox1");
    // Four digits take every size there is.
    SendMessageW(Edit3.handle(), EM_SETLIMITTEXT, 4, 0);
    SendMessageW(Edit4.handle(), EM_SETLIMITTEXT, 4, 0);
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
    const std::optional<PictureOptions> pictures = pictureOptionsTyped();
    if (!pictures) {
        return;
    }
    const std::wstring folder = Edit2.text();
    setup_.setStartingFolder(startingFolderAsReadBack(folder));
    setup_.setPictureOptions(*pictures);
    storeOptions(setup_.settingsPath, folder, *pictures);
    hide();
}

std::optional<PictureOptions> TForm2::pictureOptionsTyped() {
    PictureOptions options;
    options.fitToScreen = Button_GetCheck(CheckBox1) == BST_CHECKED;
    for (auto [field, side, name] : {std::tuple{&Edit3, &options.screenWidth, L"width"},
                                     std::tuple{&Edit4, &options.screenHeight, L"height"}}) {
        if (const std::optional<int> typed = screenSide(field->text())) {
            *side = *typed;
            continue;
        }
        {
            const auto box = setup_.gate->boxOpen();
            setup_.prompts->showRefusal(handle(),
                                        std::wstring(L"The screen's ") + name +
                                            L" takes a whole number of pixels from " +
                                            std::to_wstring(kSmallestScreenSide) + L" to " +
                                            std::to_wstring(kLargestScreenSide) + L".",
                                        setup_.programTitle);
        }
        SetFocus(field->handle());
        SendMessageW(field->handle(), EM_SETSEL, 0, -1);
        return std::nullopt;
    }
    return options;
}

void TForm2::BitBtn2Click() {
    hide();
}

}  // namespace tonvale
