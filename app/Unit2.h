// TForm2, the Options dialog: the file dialog's starting folder, stored in the settings file.
// Modeless and owned by the main window, which it reaches only through a callback.
#pragma once

#include <windows.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "CommandGate.h"
#include "StoredOptions.h"
#include "UserPrompts.h"
#include "win/Controls.h"
#include "win/Form.h"

namespace tonvale {

struct Form2Setup {
    HWND owner = nullptr;  // the main window: the dialog centres on it and stays above it
    UserPrompts* prompts = nullptr;
    std::filesystem::path settingsPath;
    std::wstring programTitle;  // titles the error boxes
    // Makes a folder the starting folder of the main window's file dialog.
    std::function<void(const std::wstring&)> setStartingFolder;
    // The main window's picture options, which the dialog shows at its first showing, and
    // what OK hands over.
    std::function<PictureOptions()> pictureOptions;
    std::function<void(const PictureOptions&)> setPictureOptions;
    // The main window's gate, which the dialog's buttons and boxes go through as the window's
    // own do: the dialog acts on the main window's settings. Never null.
    CommandGate* gate = nullptr;
};

class TForm2 final : public win::Form {
  public:
    TForm2(HINSTANCE instance, Form2Setup setup);
    ~TForm2() override;

    // Options1Click: shows the dialog and brings it to the front.
    void showInFront();
    // While the main window is hidden in the notification area the dialog stands alone: it
    // keeps a taskbar button of its own, since the main window has none then.
    void standAlone(bool alone);

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCreate() override;
    void onEnter() override;
    void onEscape() override;
    void onFailure(std::exception_ptr failure) override;
    // Passes a handler through the main window's gate; a failure shows the error box.
    void pass(void (TForm2::*handler)());

    // OK: the starting folder and the picture options, then the settings file, then the dialog
    // goes. A screen size out of range refuses to close, and nothing is stored.
    void BitBtn1Click();
    // The picture options as the controls hold them; nothing, after the refusal's box, when a
    // side is out of range.
    std::optional<PictureOptions> pictureOptionsTyped();
    // No: the dialog goes; nothing is stored, the typed text stays for the next showing.
    void BitBtn2Click();

    Form2Setup setup_;
    win::EditControl Edit2;
    win::EditControl Edit3;
    win::EditControl Edit4;
    HWND CheckBox1 = nullptr;
    bool pictureOptionsShown_ = false;
};

}  // namespace tonvale
