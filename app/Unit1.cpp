#include "Unit1.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "ConnectionRelay.h"
#include "MediaCategories.h"
#include "PhoneCommands.h"
#include "StoredOptions.h"
#include "Version.h"
#include "win/DrawingPaused.h"
#include "win/FileDrop.h"
#include "win/Menus.h"
#include "win/Pictures.h"

namespace tonvale {

namespace {

constexpr int kPanelWidths[] = {100, 80, 170, 50};

}  // namespace

// Every button and menu item, the way into the gate it takes, and its handler.
const std::array<TForm1::Route, 21> TForm1::routes_{{
    {IdBitBtn1, Door::ListCommand, &TForm1::BitBtn1Click},
    {IdOpenfiles1, Door::ListCommand, &TForm1::Openfiles1Click},
    {IdBitBtn2, Door::ListCommand, &TForm1::BitBtn2Click},
    {IdUploadfiles1, Door::ListCommand, &TForm1::Uploadfiles1Click},
    {IdBitBtn4, Door::Command, &TForm1::BitBtn4Click},
    {IdConnect2, Door::Command, &TForm1::Connect2Click},
    {IdConnect1, Door::Command, &TForm1::Connect1Click},
    {IdBitBtn3, Door::Command, &TForm1::BitBtn3Click},
    {Idupdaterings2, Door::Command, &TForm1::updaterings2Click},
    {IdUpdaterings1, Door::Command, &TForm1::Updaterings1Click},
    {IdBitBtn11, Door::Command, &TForm1::BitBtn11Click},
    {IdRestart1, Door::Command, &TForm1::Restart1Click},
    {IdRestartphone1, Door::Command, &TForm1::Restartphone1Click},
    {IdBitBtn9, Door::ListCommand, &TForm1::BitBtn9Click},
    {IdBitBtn10, Door::Command, &TForm1::BitBtn10Click},
    {IdOptions1, Door::Command, &TForm1::Options1Click},
    {IdAbout1, Door::Command, &TForm1::About1Click},
    {IdAbout2, Door::Command, &TForm1::About2Click},
    {IdExit1, Door::Command, &TForm1::Exit1Click},
    {IdExit2, Door::Command, &TForm1::Exit2Click},
    {IdShowprogram1, Door::Command, &TForm1::Showprogram1Click},
}};

TForm1::TForm1(HINSTANCE instance, Form1Setup setup)
    : Form(instance, form1Description()),
      setup_(std::move(setup)),
      fileRows_(ListView1),
      workspace_(*setup_.phone, localFiles_, localeCollation(), *this, fileRows_, &pictureFitter_),
      gate_([this] { commitNameEdit(); }, [this] { PostMessageW(handle(), WM_GATE_OPEN, 0, 0); }),
      logBatch_(Memo1, ProgressBar1),
      uploadFeedback_(setup_.taskbarProgress, logBatch_),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")) {
    create();
}

TForm1::~TForm1() {
    destroyedByOwner_ = true;
    gate_.close();
    if (handle() != nullptr) {
        ConnectionRelay::detach(handle());
    }
    destroy();
}

// Every way in that runs a handler goes through the gate (see CommandGate.cpp).
LRESULT TForm1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
                        pass(route.door, [this, handler = route.handler] { (this->*handler)(); });
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
        case WM_GATE_OPEN:
            gate_.runWaiting();
            return 0;
        case WM_PHONE_CONNECTED:
            for (int count = ConnectionRelay::take(handle()); count > 0; --count) {
                pass(Door::PhoneNotice, [this] { workspace_.reportPhoneNotification(); });
            }
            return 0;
        case WM_SETCURSOR:
            if (uploadFeedback_.running()) {
                SetCursor(win::BusyScope::cursor());
                return TRUE;
            }
            break;
        case WM_DROPFILES:
            onDroppedFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_SYSCOMMAND:
            pass(Door::Command, [this, wParam, lParam] { WMSysCommand(wParam, lParam); });
            return 0;
        case WM_TRAY_ICON:
            pass(Door::Command, [this, lParam] { RxTrayIcon1Message(static_cast<UINT>(lParam)); });
            return 0;
        case WM_CLOSE:
            pass(Door::Command, [this] { close(); });
            return 0;
        case WM_QUERYENDSESSION:
        case WM_ENDSESSION:
            return onSessionEnding(message, wParam);
        case WM_DESTROY:
            gate_.close();
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
    pass(Door::Command, [this] { FormCreate(); });
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

void TForm1::close() {
    if (handle() == nullptr || gate_.situation() == CommandGate::Situation::Closed) {
        return;
    }
    gate_.close();
    ConnectionRelay::detach(handle());
    destroy();
}

bool TForm1::pass(Door door, std::function<void()> handler) {
    return gate_.enter(door, [this, handler = std::move(handler)] {
        try {
            handler();
        } catch (...) {
            showFailure(std::current_exception());
        }
        logBatch_.show();
    });
}

// Creation: register with the phone library, take the dialog's starting folder from the
// settings file (saving it back at once), select the first category and show the status.
void TForm1::FormCreate() {
    setup_.phone->registerConnectionHandler();
    loadStoredOptions(setup_.settingsPath, [this](const StoredOptions& options) {
        openDialog_.initialDir = options.startingFolder;
        setPictureOptions(options.pictures);
    });
    TabControl1.select(0);
    applyCategory(0);
    StatusBar1.setPanelText(0, kStatusDisconnected);
}

PictureOptions TForm1::pictureOptions() const {
    const PictureFitting& fitting = workspace_.pictureFitting();
    return {fitting.enabled, fitting.screen.width, fitting.screen.height};
}

void TForm1::setPictureOptions(const PictureOptions& options) {
    workspace_.setPictureFitting(
        {options.fitToScreen, {options.screenWidth, options.screenHeight}});
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

void TForm1::Options1Click() {
    if (optionsDialog_.show) {
        optionsDialog_.show();
    }
}

void TForm1::openCommand() {
    std::optional<OpenDialogChoice> choice;
    {
        const BoxOpen box(*this);
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
void TForm1::ListView1DragDrop(const std::vector<std::wstring>& files) {
    openSelection(files);
}

void TForm1::openSelection(const std::vector<std::wstring>& selection) {
    const win::DrawingPaused paused(ListView1.handle());
    const FileListRows::Batch rows(fileRows_);
    workspace_.open(selection);
}

void TForm1::ListView1Edited(uint64_t entry, std::wstring name) {
    workspace_.rename(entry, std::move(name));
}

// The upload keeps the window answering, with the wait cursor, until it returns. An open name
// edit was ended before it (the gate's doing), so its new name, or the line that refuses it,
// comes first.
void TForm1::uploadCommand() {
    const auto running = uploadFeedback_.start(handle());
    const auto uploading = gate_.uploading();
    workspace_.upload();
}

}  // namespace tonvale
