#include "Unit1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <tuple>
#include <utility>

#include "ConnectionRelay.h"
#include "Failure.h"
#include "MediaCategories.h"
#include "PhoneCommands.h"
#include "RuntimeError.h"
#include "StartingFolder.h"
#include "Version.h"
#include "win/DrawingPaused.h"
#include "win/FileDrop.h"
#include "win/Menus.h"
#include "win/Pictures.h"

namespace tonvale {

namespace {

constexpr int kPanelWidths[] = {100, 80, 170, 50};

}  // namespace

const std::array<TForm1::Route, 21> TForm1::routes_{{
    {IdBitBtn1, &TForm1::BitBtn1Click},
    {IdOpenfiles1, &TForm1::Openfiles1Click},
    {IdBitBtn2, &TForm1::BitBtn2Click},
    {IdUploadfiles1, &TForm1::Uploadfiles1Click},
    {IdBitBtn4, &TForm1::BitBtn4Click},
    {IdConnect2, &TForm1::Connect2Click},
    {IdConnect1, &TForm1::Connect1Click},
    {IdBitBtn3, &TForm1::BitBtn3Click},
    {Idupdaterings2, &TForm1::updaterings2Click},
    {IdUpdaterings1, &TForm1::Updaterings1Click},
    {IdBitBtn11, &TForm1::BitBtn11Click},
    {IdRestart1, &TForm1::Restart1Click},
    {IdRestartphone1, &TForm1::Restartphone1Click},
    {IdBitBtn9, &TForm1::BitBtn9Click},
    {IdBitBtn10, &TForm1::BitBtn10Click},
    {IdOptions1, &TForm1::Options1Click},
    {IdAbout1, &TForm1::About1Click},
    {IdAbout2, &TForm1::About2Click},
    {IdExit1, &TForm1::Exit1Click},
    {IdExit2, &TForm1::Exit2Click},
    {IdShowprogram1, &TForm1::Showprogram1Click},
}};

TForm1::TForm1(HINSTANCE instance, Form1Setup setup)
    : Form(instance, form1Description()),
      setup_(std::move(setup)),
      fileRows_(ListView1),
      workspace_(*setup_.phone, localFiles_, localeCollation(), *this, fileRows_),
      notifications_([this] { reportPhoneNotification(); }),
      logBatch_(Memo1, ProgressBar1),
      uploadFeedback_(setup_.taskbarProgress, WM_TRAY_ICON, logBatch_),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
    create();
}

TForm1::~TForm1() {
    closing_ = true;
    destroyedByOwner_ = true;
    notifications_.close();
    if (handle() != nullptr) {
        ConnectionRelay::detach(handle());
    }
    destroy();
}

LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (uploadFeedback_.deferred(handle(), message, wParam, lParam)) {
        return 0;
    }
    if (message == taskbarCreatedMessage_ && message != 0) {
        onTaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const bool fromMenu = lParam == 0 && HIWORD(wParam) == 0;
            const bool clicked = lParam != 0 && HIWORD(wParam) == BN_CLICKED;
            if (fromMenu || clicked) {
                for (const Route& route : routes_) {
                    if (route.id == id) {
                        runCommand(route.handler);
                        return 0;
                    }
                }
            }
            break;
        }
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            // The log pane has the colour of the menu bar.
            if (reinterpret_cast<HWND>(lParam) == Memo1.handle()) {
                auto dc = reinterpret_cast<HDC>(wParam);
                SetBkColor(dc, GetSysColor(COLOR_MENUBAR));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_MENUBAR));
            }
            break;
        case WM_DEFERRED_NOTICE:
            if (uploadFeedback_.running()) {
                PostMessageW(handle(), WM_DEFERRED_NOTICE, 0, 0);
            } else if (!closing_) {
                runDeferredNotices();
            }
            return 0;
        case WM_PHONE_CONNECTED:
            if (!closing_) {
                notifications_.arrived(ConnectionRelay::take(handle()));
            }
            return 0;
        case WM_SETCURSOR:
            if (uploadFeedback_.running()) {
                SetCursor(win::BusyScope::cursor());
                return TRUE;
            }
            break;
        case WM_DROPFILES: {
            // Only what lands on the list is taken.
            win::Drop drop = win::takeDrop(reinterpret_cast<HDROP>(wParam));
            const RECT list = win::rectIn(handle(), ListView1.handle());
            if (PtInRect(&list, drop.point)) {
                droppedFiles_ = std::move(drop.files);
                runCommand(&TForm1::ListView1DragDrop);
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            return WMSysCommand(wParam, lParam);
        case WM_TRAY_ICON:
            RxTrayIcon1Message(static_cast<UINT>(lParam));
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_DESTROY:
            closing_ = true;
            notifications_.close();
            ConnectionRelay::detach(handle());
            removeTrayIcon();
            // A window whose creation failed, or that its owner takes down, ends nothing: the
            // program reports the failure, or is ending already.
            if (setup_.endsProgramOnClose && created_ && !destroyedByOwner_) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

void TForm1::onCreate() {
    setUpControls();
    popupMenu_ =
        win::buildPopupMenu(instance(), popupMenu1(), popupPictures_, scaled(win::kPictureSize));
    ConnectionRelay::attach(handle(), WM_PHONE_CONNECTED);
    runCommand(&TForm1::FormCreate);
    created_ = true;
}

// What the form sizes itself, at the DPI of its monitor: the tabs' pictures, the status panels,
// the popup menu's pictures, the list's columns.
void TForm1::onDpiChanged() {
    showAtDpi();
    fileRows_.scaleColumns(dpi());
    win::resizeMenuPictures(instance(), popupMenu_.get(), popupMenu1(), popupPictures_,
                            scaled(win::kPictureSize));
}

void TForm1::showAtDpi() {
    tabImages_ = win::loadPictureList(
        instance(), {L"TAB_PICTURE", L"TAB_MUSIC", L"TAB_VIDEO", L"TAB_PALETTE", L"TAB_MENU"},
        scaled(win::kPictureSize));
    TabCtrl_SetImageList(TabControl1.handle(), tabImages_.get());
    std::vector<int> widths;
    for (int width : kPanelWidths) {
        widths.push_back(scaled(width));
    }
    StatusBar1.setPanelWidths(widths);
}

void TForm1::onFailure(std::exception_ptr failure) {
    showFailure(failure);
}

void TForm1::setUpControls() {
    TabControl1 = win::TabControl(control(L"TabControl1"));
    ListView1 = win::ListViewControl(control(L"ListView1"));
    Edit1 = win::EditControl(control(L"Edit1"));
    Memo1 = win::EditControl(control(L"Memo1"));
    Edit2 = win::EditControl(control(L"Edit2"));
    Edit3 = win::EditControl(control(L"Edit3"));
    ProgressBar1 = win::ProgressBarControl(control(L"ProgressBar1"));
    StatusBar1 = win::StatusBarControl(control(L"StatusBar1"));

    showAtDpi();
    const auto categories = mediaCategories();
    for (size_t i = 0; i < categories.size(); ++i) {
        TabControl1.addTab(static_cast<int>(i), std::wstring(categories[i].caption),
                           static_cast<int>(i));
    }

    ListView_SetExtendedListViewStyle(ListView1.handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    win::acceptDroppedFiles(handle());
    fileRows_.showFrom(workspace_.files());
    fileRows_.addColumns(dpi());

    // The log keeps everything it is given; an edit holds 32K characters unless told.
    SendMessageW(Memo1.handle(), EM_SETLIMITTEXT, 0, 0);

    ProgressBar1.setMaximum(100);
    ProgressBar1.setPosition(0);
}

void TForm1::addHints() {
    if (!hintsAdded_) {
        hintsAdded_ = true;
        win::addHint(instance(), handle(), Memo1.handle(), L"Log file");
    }
}

// While an upload runs, the window keeps answering the system (see UploadFeedback) and so takes
// the messages other threads and the system send it; input and posted messages wait. Of the
// notifications, these can come then: a name edit ended by a focus change (the user switching
// to another window), and a change of tab reported by a control the system drove. Neither may
// change the list or the folder the upload works through: each is kept and carried out once
// the upload has ended, as commands are. No name edit may begin meanwhile.
LRESULT TForm1::onNotify(NMHDR& header) {
    const bool uploading = uploadFeedback_.running();
    if (header.idFrom == IdTabControl1 && header.code == TCN_SELCHANGE) {
        if (uploading) {
            deferredTabChange_ = true;
            PostMessageW(handle(), WM_DEFERRED_NOTICE, 0, 0);
        } else {
            runCommand(&TForm1::TabControl1Change);
        }
        return 0;
    }
    if (header.idFrom == IdListView1 && header.code == LVN_GETDISPINFOW) {
        fileRows_.fill(reinterpret_cast<NMLVDISPINFOW&>(header));
        return 0;
    }
    if (header.idFrom == IdListView1 && header.code == LVN_ODFINDITEMW) {
        return fileRows_.find(reinterpret_cast<const NMLVFINDITEMW&>(header));
    }
    if (header.idFrom == IdListView1 && header.code == LVN_BEGINLABELEDITW) {
        return uploading ? TRUE : FALSE;
    }
    if (header.idFrom == IdListView1 && header.code == LVN_ENDLABELEDITW) {
        // A cancelled edit keeps the old name. A new one goes through the workspace, which
        // moves the row to its place; the list view itself changes nothing.
        const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (edit.item.pszText != nullptr && edit.item.iItem >= 0) {
            deferredRenames_.emplace_back(edit.item.iItem, edit.item.pszText);
            if (uploading) {
                PostMessageW(handle(), WM_DEFERRED_NOTICE, 0, 0);
            } else {
                runDeferredNotices();
            }
        }
        return FALSE;
    }
    return 0;
}

void TForm1::runDeferredNotices() {
    while (!deferredRenames_.empty()) {
        std::tie(editedRow_, editedName_) = std::move(deferredRenames_.front());
        deferredRenames_.pop_front();
        runCommand(&TForm1::ListView1Edited);
    }
    if (std::exchange(deferredTabChange_, false)) {
        runCommand(&TForm1::TabControl1Change);
    }
}

// The connection report ends, like a command, at the error box when it fails.
void TForm1::reportPhoneNotification() {
    try {
        workspace_.reportPhoneNotification();
    } catch (...) {
        showFailure(std::current_exception());
    }
}

void TForm1::close() {
    if (handle() == nullptr || closing_) {
        return;
    }
    closing_ = true;
    ConnectionRelay::detach(handle());
    destroy();
}

void TForm1::runCommand(Handler handler) {
    const NotificationQueue::RunningCommand running(notifications_);
    try {
        (this->*handler)();
    } catch (...) {
        showFailure(std::current_exception());
    }
    logBatch_.show();
}

// While a box of the main window is up, the Options dialog takes no input either, whichever
// way the box ends.
class TForm1::OptionsHeldOff {
  public:
    explicit OptionsHeldOff(const OptionsDialogLink& link) : link_(link) {
        if (link_.takeInput) {
            link_.takeInput(false);
        }
    }
    OptionsHeldOff(const OptionsHeldOff&) = delete;
    OptionsHeldOff& operator=(const OptionsHeldOff&) = delete;
    ~OptionsHeldOff() {
        if (link_.takeInput) {
            link_.takeInput(true);
        }
    }

  private:
    const OptionsDialogLink& link_;
};

void TForm1::showFailure(std::exception_ptr failure) {
    logBatch_.show();
    const OptionsHeldOff heldOff(optionsDialog_);
    setup_.prompts->showError(handle(), errorBoxText(describeFailure(failure)),
                              setup_.programTitle);
}

// Creation: register with the phone library, take the dialog's starting folder from the
// settings file (saving it back at once), select the first category and show the status.
void TForm1::FormCreate() {
    setup_.phone->registerConnectionHandler();
    loadStartingFolder(setup_.settingsPath,
                       [this](const std::wstring& folder) { openDialog_.initialDir = folder; });
    TabControl1.select(0);
    applyCategory(0);
    StatusBar1.setPanelText(0, kStatusDisconnected);
}

void TForm1::TabControl1Change() {
    applyCategory(TabControl1.selected());
}

void TForm1::applyCategory(int index) {
    workspace_.selectCategory(index);
    if (workspace_.category() == index) {
        openDialog_.filter =
            dialogFilterString(mediaCategories()[static_cast<size_t>(index)].filter);
    }
}

void TForm1::setStatusPanel(int panel, const std::wstring& text) {
    StatusBar1.setPanelText(panel, text);
}

// A command's lines and the bar's position are shown when it ends or refreshes the window.
void TForm1::appendLog(const std::wstring& line) {
    logBatch_.append(line);
    if (!notifications_.commandRunning()) {
        logBatch_.show();
    }
}

void TForm1::resetProgress() {
    logBatch_.forgetPosition();
    ProgressBar1.setMaximum(0);
    ProgressBar1.setPosition(0);
}

void TForm1::setProgressMaximum(int maximum) {
    ProgressBar1.setMaximum(maximum);
}

void TForm1::setProgressPosition(int position) {
    logBatch_.setPosition(position);
    if (!notifications_.commandRunning()) {
        logBatch_.show();
    }
}

void TForm1::refresh() {
    uploadFeedback_.refresh();
}

void TForm1::showBytesWritten(uint64_t written, uint64_t total) {
    uploadFeedback_.showBytesWritten(written, total);
}

void TForm1::showPhoneFolder(const std::wstring& folder) {
    Edit1.setText(folder);
}

void TForm1::showPendingTotal(const std::wstring& text) {
    Edit2.setText(text);
}

void TForm1::showFreeSpaceFigure(const std::wstring& text) {
    Edit3.setText(text);
}

void TForm1::BitBtn1Click() {
    openCommand();
}
void TForm1::Openfiles1Click() {
    openCommand();
}
void TForm1::BitBtn2Click() {
    uploadCommand();
}
void TForm1::Uploadfiles1Click() {
    uploadCommand();
}
void TForm1::BitBtn4Click() {
    connectCommand();
}
void TForm1::Connect2Click() {
    connectCommand();
}
void TForm1::Connect1Click() {
    connectCommand();
}
void TForm1::BitBtn3Click() {
    updateRingsCommand();
}
void TForm1::updaterings2Click() {
    updateRingsCommand();
}
void TForm1::Updaterings1Click() {
    updateRingsCommand();
}
void TForm1::BitBtn11Click() {
    restartCommand();
}
void TForm1::Restart1Click() {
    restartCommand();
}
void TForm1::Restartphone1Click() {
    restartCommand();
}
void TForm1::About1Click() {
    aboutCommand();
}
void TForm1::About2Click() {
    aboutCommand();
}
void TForm1::Exit1Click() {
    close();
}
void TForm1::Exit2Click() {
    close();
}

// Clear files list: the list, then the pending total and the free-space figure.
void TForm1::BitBtn9Click() {
    workspace_.clearFiles();
}

// Clear log file.
void TForm1::BitBtn10Click() {
    logBatch_.clearLog();
}

void TForm1::connectCommand() {
    connectPhone(*setup_.phone, *this);
}
void TForm1::restartCommand() {
    restartPhone(*setup_.phone, *this);
}
void TForm1::updateRingsCommand() {
    updateRings(*setup_.phone, *this);
}

void TForm1::aboutCommand() {
    setup_.prompts->showAbout(kAboutText, kAboutTitle);
}

void TForm1::openCommand() {
    std::optional<OpenDialogChoice> choice;
    {
        const OptionsHeldOff heldOff(optionsDialog_);
        choice = setup_.prompts->chooseFiles(handle(), openDialog_);
    }
    std::vector<std::wstring> selection;
    if (choice) {
        selection = choice->files;
        openDialog_.filterIndex = choice->filterIndex;
        if (!selection.empty()) {
            openDialog_.fileName = selection.front();
        }
    }
    openSelection(selection);
}

// Files dropped on the list are added as if chosen in the dialog.
void TForm1::ListView1DragDrop() {
    openSelection(std::exchange(droppedFiles_, {}));
}

void TForm1::openSelection(const std::vector<std::wstring>& selection) {
    const win::DrawingPaused paused(ListView1.handle());
    const FileListRows::Batch rows(fileRows_);
    workspace_.open(selection);
}

void TForm1::ListView1Edited() {
    workspace_.rename(static_cast<size_t>(editedRow_), std::move(editedName_));
}

// The upload keeps the window answering, with the wait cursor, until it returns.
void TForm1::uploadCommand() {
    // A name edit still open ends first, as the button's taking the focus ends it; from the
    // menu, which takes no focus, it would otherwise end in the middle of the upload. Its new
    // name, or the line that refuses it, comes before the upload.
    if (ListView_GetEditControl(ListView1.handle()) != nullptr) {
        SetFocus(ListView1.handle());
    }
    const auto running = uploadFeedback_.start(handle());
    workspace_.upload();
}

void TForm1::Options1Click() {
    if (optionsDialog_.show) {
        optionsDialog_.show();
    }
}

}  // namespace tonvale
