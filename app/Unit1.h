// TForm1, the main window: the controls of the form description, both menus, the routing of
// every button and menu item to its command, and the mirror of the workspace the commands act on.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "CommandGate.h"
#include "FileListRows.h"
#include "Form1Layout.h"
#include "LocalFiles.h"
#include "LogBatch.h"
#include "OpenDialog.h"
#include "Phone.h"
#include "TaskbarProgress.h"
#include "TrayIcon.h"
#include "UploadFeedback.h"
#include "StoredOptions.h"
#include "UserPrompts.h"
#include "WicPictureFitter.h"
#include "Workspace.h"
#include "win/Controls.h"
#include "win/Form.h"
#include "win/WindowHandles.h"

namespace tonvale {

struct Form1Setup {
    Phone* phone = nullptr;
    UserPrompts* prompts = nullptr;
    std::filesystem::path settingsPath;
    std::wstring programTitle;  // titles the error boxes
    bool endsProgramOnClose = true;
    // Where minimising puts the window; without one it minimises as any window does.
    TrayIcon* trayIcon = nullptr;
    // Where an upload shows its bytes besides the window; none for no such place.
    TaskbarProgress* taskbarProgress = nullptr;
};

// The Options dialog as the main window uses it, without knowing the dialog itself.
struct OptionsDialogLink {
    std::function<void()> show;  // shows it and brings it to the front
    std::function<void(bool inTray)> mainWindowInTray;
    // Lets it take input or not, if it exists: a box of the main window disables only its
    // owner, the main window, and the dialog is a window of its own.
    std::function<void(bool enabled)> takeInput;
};

class TForm1 final : public win::Form, private WorkspaceView {
  public:
    // Posted by the connection relay to announce the library's notifications.
    static constexpr UINT WM_PHONE_CONNECTED = WM_APP + 1;
    // The tray icon's mouse messages.
    static constexpr UINT WM_TRAY_ICON = WM_APP + 2;
    // Posted when what the gate kept may run.
    static constexpr UINT WM_GATE_OPEN = WM_APP + 3;

    TForm1(HINSTANCE instance, Form1Setup setup);
    ~TForm1() override;

    HMENU mainMenu() const { return menuBar(); }
    HMENU popupMenu() const { return popupMenu_.get(); }
    const OpenDialogState& openDialog() const { return openDialog_; }
    void setStartingFolder(const std::wstring& folder) { openDialog_.initialDir = folder; }
    // Whether and to what screen uploads into the Picture folder fit pictures.
    PictureOptions pictureOptions() const;
    void setPictureOptions(const PictureOptions& options);
    void connectOptionsDialog(OptionsDialogLink link) { optionsDialog_ = std::move(link); }
    // What decides, for this window and the Options dialog, what may run while something else
    // is going on.
    CommandGate& gate() { return gate_; }
    // The hints shown on hover. Nobody can hover before the window first waits for input, so
    // start-up adds them then: each is a window of its own.
    void addHints();

  private:
    using Door = CommandGate::Door;
    using Handler = void (TForm1::*)();
    struct Route {
        int id;
        Door door;
        Handler handler;
    };
    // Every button and menu item to the handler named after it.
    static const std::array<Route, 21> routes_;

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onCreate() override;
    void onDpiChanged() override;
    void showAtDpi();
    void onFailure(std::exception_ptr failure) override;
    void setUpControls();
    LRESULT onNotify(NMHDR& header);
    void onDroppedFiles(HDROP drop);
    LRESULT onSessionEnding(UINT message, WPARAM wParam);
    void close();

    // Passes a handler, with what it is given, through the gate: it runs now, waits, or is
    // refused (false). A failure ends it and shows the runtime's error box.
    bool pass(Door door, std::function<void()> handler);
    void showFailure(std::exception_ptr failure);
    // A box of the program's waits for the user while this lives: what comes in meanwhile
    // waits, and the Options dialog takes no input.
    class BoxOpen;
    void commitNameEdit();

    // The workspace as the window shows it.
    void setStatusPanel(int panel, const std::wstring& text) override;
    void appendLog(const std::wstring& line) override;
    void resetProgress() override;
    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void refresh() override;
    void showBytesWritten(uint64_t written, uint64_t total) override;
    void showPhoneFolder(const std::wstring& folder) override;
    void showPendingTotal(const std::wstring& text) override;
    void showFreeSpaceFigure(const std::wstring& text) override;

    // The form's own creation handler.
    void FormCreate();
    // The categories.
    void TabControl1Change();
    void applyCategory(int index);
    // Commands and their entries.
    void BitBtn1Click();
    void Openfiles1Click();
    void BitBtn2Click();
    void Uploadfiles1Click();
    void BitBtn4Click();
    void Connect2Click();
    void Connect1Click();
    void BitBtn3Click();
    void updaterings2Click();
    void Updaterings1Click();
    void BitBtn11Click();
    void Restart1Click();
    void Restartphone1Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void Options1Click();
    void About1Click();
    void About2Click();
    void Exit1Click();
    void Exit2Click();
    void Showprogram1Click();
    void ListView1Edited(uint64_t entry, std::wstring name);
    void ListView1DragDrop(const std::vector<std::wstring>& files);
    void openCommand();
    void openSelection(const std::vector<std::wstring>& selection);
    void uploadCommand();
    void connectCommand();
    void updateRingsCommand();
    void restartCommand();
    void aboutCommand();

    // Tray mode.
    LRESULT WMSysCommand(WPARAM command, LPARAM lParam);
    void RxTrayIcon1Message(UINT mouseMessage);
    void RxTrayIcon1Click();
    void PopupMenu1Popup();
    void enterTrayMode();
    void leaveTrayMode();
    void onTaskbarCreated();
    void removeTrayIcon();

    Form1Setup setup_;
    win::OwnedImageList tabImages_;
    std::vector<win::OwnedBitmap> popupPictures_;
    win::OwnedMenu popupMenu_;

    win::TabControl TabControl1;
    win::ListViewControl ListView1;
    win::EditControl Edit1;
    win::EditControl Memo1;
    win::EditControl Edit2;
    win::EditControl Edit3;
    win::ProgressBarControl ProgressBar1;
    win::StatusBarControl StatusBar1;
    OpenDialogState openDialog_;
    WindowsLocalFiles localFiles_;
    WicPictureFitter pictureFitter_;
    FileListRows fileRows_;
    Workspace workspace_;
    CommandGate gate_;
    LogBatch logBatch_;
    UploadFeedback uploadFeedback_;
    OptionsDialogLink optionsDialog_;
    const UINT taskbarCreatedMessage_;  // sent to every top-level window when Explorer starts
    bool inTrayMode_ = false;
    bool leftButtonDownOnIcon_ = false;

    bool created_ = false;
    bool hintsAdded_ = false;
    // The destructor, not a close, takes the window down: the program is ending already, or
    // failing to start, and no quit is posted that would close its error box unread.
    bool destroyedByOwner_ = false;
};

class TForm1::BoxOpen {
  public:
    explicit BoxOpen(TForm1& form) : open_(form.gate_.boxOpen()), options_(form.optionsDialog_) {
        if (options_.takeInput) {
            options_.takeInput(false);
        }
    }
    BoxOpen(const BoxOpen&) = delete;
    BoxOpen& operator=(const BoxOpen&) = delete;
    ~BoxOpen() {
        if (options_.takeInput) {
            options_.takeInput(true);
        }
    }

  private:
    CommandGate::Scope open_;
    const OptionsDialogLink& options_;
};

}  // namespace tonvale
