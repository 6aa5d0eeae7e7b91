#include "PhoneCommands.h"

#include "CodePage.h"

namespace tonvale {

namespace {

void showDisconnected(PhoneStatusView& view, const wchar_t* volumeText) {
    view.setStatusPanel(0, kStatusDisconnected);
    view.setStatusPanel(1, L"Phone: xxx");
    view.setStatusPanel(2, volumeText);
}

}  // namespace

void connectPhone(Phone& phone, PhoneStatusView& view) {
    phone.registerConnectionHandler();
    view.resetProgress();
}

void restartPhone(Phone& phone, PhoneStatusView& view) {
    if (!phone.isConnected()) {
        view.appendLog(L"Phone not connected");
        return;
    }
    phone.restart();
    showDisconnected(view, L"Volume: /a, Free: xxx Kbytes");
    view.appendLog(L"Restarting phone...");
    view.resetProgress();
}

void updateRings(Phone& phone, PhoneStatusView& view) {
    if (!phone.isConnected()) {
        view.appendLog(L"Phone not connected");
        return;
    }
    // The second database is only touched once the first is gone.
    const bool bothDeleted =
        phone.deleteFile(kMyToneDatabase) == 0 && phone.deleteFile(kTempToneDatabase) == 0;
    if (bothDeleted) {
        view.appendLog(fromSystemCodePage(kMyToneDatabase) + L" was deleted");
        view.appendLog(fromSystemCodePage(kTempToneDatabase) + L" was deleted");
    }
    view.resetProgress();
    phone.restart();
    showDisconnected(view, L"Volume: /a, Free: xxx Kb");
    view.appendLog(L"Restarting phone...");
}

}  // namespace tonvale
