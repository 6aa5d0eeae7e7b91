// The real main window over the virtual phone, driven by messages as a user drives it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ConnectionRelay.h"
#include "HeldFile.h"
#include "P2kLibraryPhone.h"
#include "Program.h"
#include "TestFiles.h"
#include "TrayIcon.h"
#include "Unit1.h"
#include "Unit2.h"
#include "p2kapi_test.h"
#include "win/MessageLoop.h"

namespace tonvale::testing {

namespace fs = std::filesystem;

// A child window's rectangle in its form's client area.
RECT rectInForm(HWND form, HWND child);

// The size of the picture a button shows; 0 by 0 when it has none.
SIZE buttonPictureSize(HWND button);

struct ShownBox {
    HWND owner;
    std::wstring text;
    std::wstring title;
};

// Records the message boxes instead of showing them; a test may act while "a box is open".
class RecordingPrompts final : public UserPrompts {
  public:
    std::vector<ShownBox> errors;
    std::vector<ShownBox> abouts;
    std::vector<ShownBox> refusals;
    std::function<void()> whileAboutIsOpen;
    std::function<void()> whileErrorIsOpen;
    std::function<void()> whileChoosing;
    // The answers of the file dialog in turn (a cancel when none is left), and what it was given.
    std::deque<std::optional<OpenDialogChoice>> choices;
    std::vector<OpenDialogState> dialogs;

    void showError(HWND owner, const std::wstring& text, const std::wstring& title) override {
        errors.push_back({owner, text, title});
        if (whileErrorIsOpen) {
            whileErrorIsOpen();
        }
    }
    void showRefusal(HWND owner, const std::wstring& text, const std::wstring& title) override {
        refusals.push_back({owner, text, title});
    }
    void showAbout(const std::wstring& text, const std::wstring& title) override {
        abouts.push_back({nullptr, text, title});
        if (whileAboutIsOpen) {
            whileAboutIsOpen();
        }
    }
    std::optional<OpenDialogChoice> chooseFiles(HWND, const OpenDialogState& state) override {
        dialogs.push_back(state);
        if (whileChoosing) {
            whileChoosing();
        }
        if (choices.empty()) {
            return std::nullopt;
        }
        // The value alone is moved, and only when there is one: moving the whole optional out
        // of the queue makes GCC 12 for x86-64 warn that its empty storage may be read.
        std::optional<OpenDialogChoice> choice;
        if (choices.front()) {
            choice = std::move(*choices.front());
        }
        choices.pop_front();
        return choice;
    }
};

// Records the notification icon instead of showing it; the test clicks it through the window
// and message it was given.
class RecordingTrayIcon final : public TrayIcon {
  public:
    std::vector<std::string> calls;  // "add" and "remove", in order
    bool refuse = false;             // as a desktop without a notification area
    HWND window = nullptr;
    UINT message = 0;

    bool add(HWND target, UINT callbackMessage) override {
        calls.push_back("add");
        window = target;
        message = callbackMessage;
        return !refuse;
    }
    void remove() override { calls.push_back("remove"); }
};

// The real phone, for tests that step in on one of its calls.
class ForwardingPhone : public Phone {
  public:
    explicit ForwardingPhone(Phone& real) : real_(real) {}
    void registerConnectionHandler() override { real_.registerConnectionHandler(); }
    bool isConnected() override { return real_.isConnected(); }
    void restart() override { real_.restart(); }
    int32_t freeBytes() override { return real_.freeBytes(); }
    void readLabelSeem(unsigned char (&buffer)[7]) override { real_.readLabelSeem(buffer); }
    int fileCount() override { return real_.fileCount(); }
    void resetFilePointer() override { real_.resetFilePointer(); }
    int deleteFile(const std::string& path) override { return real_.deleteFile(path); }
    int createFile(const std::string& path) override { return real_.createFile(path); }
    int writeFile(const void* data, uint32_t length) override {
        return real_.writeFile(data, length);
    }
    void closeFile() override { real_.closeFile(); }

  protected:
    Phone& real_;
};

class Form1Test : public ::testing::Test {
  protected:
    Form1Test();
    ~Form1Test() override;

    void createForm();
    // Creates the window; the phone is reset first, detached unless asked.
    void start(bool phoneAttached = false);
    // As start(), with a phone attached at once whose p2kapi.ini holds these keys as well.
    void startWithLibrary(const std::string& iniKeys);
    // As start(), shown and active, for what needs the focus or the screen.
    void startShown();
    // As start(), with the phone attached and reported ("Connected" in the log).
    void startConnected();
    // A local file of the test's own, and where a file lands on the phone.
    fs::path localFile(const std::wstring& name, const std::string& bytes);
    fs::path onPhone(const wchar_t* folder, const wchar_t* name) const;
    // As startShown(), with the Options dialog created hidden and joined as start-up does.
    void startWithOptions();
    TForm1& form() { return *form_; }
    TForm2& options() { return options_->dialog(); }

    HWND control(const wchar_t* name) const;
    std::wstring text(const wchar_t* name) const;
    void press(const wchar_t* button);
    void choose(int menuId);
    void clickTab(int index);
    std::wstring panel(int index) const;
    // Picks these files in the Open dialog (of filter `filterIndex`) and confirms.
    void openFiles(const std::vector<fs::path>& files, int filterIndex = 1);
    // The list as the user reads it: "name|type|size" a row.
    std::vector<std::wstring> rows() const;
    std::vector<std::wstring> logLines() const;
    int progressMaximum() const;
    int progressPosition() const;
    std::string callLog() const;

    // Begins the list's own edit of a row's name, as a slow double click does, and types
    // `name` into it; the edit, or nullptr when the list refused to begin one.
    HWND editName(int row, const wchar_t* name);
    // Types a key into the control that has the focus, as the keyboard does, and lets the
    // program's message loop handle it.
    void typeKey(UINT key, bool shift = false);
    // The designer name of the control that has the focus; empty for none of the form's.
    std::wstring focusedName() const;

    // Handles posted messages through the program's message loop until `done` holds or the
    // time is up; returns `done()`.
    bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
    void pumpFor(int milliseconds);
    bool waitForLogLine(const std::wstring& line, int count = 1);

    TempFolder folder_;
    fs::path phoneRoot_;
    fs::path settingsPath_;
    RecordingPrompts prompts_;
    RecordingTrayIcon tray_;
    P2kLibraryPhone phone_{&ConnectionRelay::onConnect};
    std::unique_ptr<TForm1> form_;
    win::MessageLoop loop_;
    Form1Setup optionsSetup_;
    std::unique_ptr<OptionsDialogOnDemand> options_;
};

}  // namespace tonvale::testing
