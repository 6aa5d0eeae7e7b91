// TForm1's ways in that carry something with them: the list's and the tabs' notifications, the
// files dropped on the list, and Windows ending the session. Each goes through the gate.
#include "Unit1.h"

#include <commctrl.h>
#include <shellapi.h>

#include "win/FileDrop.h"

namespace tonvale {

// While an upload runs, or a box waits for the user, the window still takes what other threads
// and the system send it: a name edit ended by a focus change, a change of tab that a control
// reports. The gate decides about each; a notification cannot be posted again, so what it
// carries travels with the handler.
LRESULT TForm1::onNotify(NMHDR& header) {
    if (header.idFrom == IdTabControl1 && header.code == TCN_SELCHANGE) {
        pass(Door::Command, [this] { TabControl1Change(); });
        return 0;
    }
    if (header.idFrom != IdListView1) {
        return 0;
    }
    switch (header.code) {
        case LVN_GETDISPINFOW:
            fileRows_.fill(reinterpret_cast<NMLVDISPINFOW&>(header));
            return 0;
        case LVN_ODFINDITEMW:
            return fileRows_.find(reinterpret_cast<const NMLVFINDITEMW&>(header));
        case LVN_BEGINLABELEDITW: {
            // The edit belongs to the entry it began on, wherever its row moves meanwhile.
            const int row = reinterpret_cast<const NMLVDISPINFOW&>(header).item.iItem;
            const FileList& files = workspace_.files();
            if (row < 0 || static_cast<size_t>(row) >= files.size()) {
                return TRUE;
            }
            const uint64_t entry = files[static_cast<size_t>(row)].id;
            return gate_.enter(Door::EditBegins, [this, entry] { gate_.editBegan(entry); }) ? FALSE
                                                                                            : TRUE;
        }
        case LVN_ENDLABELEDITW: {
            // A cancelled edit keeps the old name. A new one goes through the workspace, which
            // moves the row to its place; the list view itself changes nothing.
            const auto& edit = reinterpret_cast<const NMLVDISPINFOW&>(header);
            const std::optional<uint64_t> entry = gate_.editEnded();
            if (entry && edit.item.pszText != nullptr) {
                pass(Door::EditEnds, [this, id = *entry, name = std::wstring(edit.item.pszText)] {
                    ListView1Edited(id, name);
                });
            }
            return FALSE;
        }
        default:
            return 0;
    }
}

// Only what lands on the list is taken; the drop is read at once, whenever its files are added.
void TForm1::onDroppedFiles(HDROP drop) {
    win::Drop dropped = win::takeDrop(drop);
    const RECT list = win::rectIn(handle(), ListView1.handle());
    if (PtInRect(&list, dropped.point)) {
        pass(Door::ListCommand,
             [this, files = std::move(dropped.files)] { ListView1DragDrop(files); });
    }
}

// Windows asks before a log-off or shutdown, and then says whether it goes ahead. An upload
// asks it to wait, with the reason shown to the user (Wine shows none and answers FALSE, so the
// answer is not looked at). Windows may end the process as soon as WM_ENDSESSION returns, so
// the upload is stopped inside it: the phone file being written is closed and deleted.
LRESULT TForm1::onSessionEnding(UINT message, WPARAM wParam) {
    LRESULT result = TRUE;
    gate_.enter(Door::SessionEnds, [&] {
        if (message == WM_QUERYENDSESSION && gate_.uploadRunning()) {
            ShutdownBlockReasonCreate(handle(), L"Tonvale is uploading files to the phone.");
            result = FALSE;
        } else if (message == WM_ENDSESSION && wParam != FALSE) {
            workspace_.stopUpload();
        } else if (message == WM_ENDSESSION) {
            ShutdownBlockReasonDestroy(handle());
        }
    });
    return message == WM_ENDSESSION ? 0 : result;
}

// A name edit still open ends as the list's taking the focus ends it, keeping its new name.
void TForm1::commitNameEdit() {
    if (ListView_GetEditControl(ListView1.handle()) != nullptr) {
        SetFocus(ListView1.handle());
    }
}

}  // namespace tonvale
