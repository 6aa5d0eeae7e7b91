#include "ConnectionReport.h"

#include <cmath>

#include "CodePage.h"
#include "PhoneCommands.h"

namespace tonvale {

int32_t freeKilobytes(int32_t freeBytes) {
    return static_cast<int32_t>(std::trunc(static_cast<double>(freeBytes) / 1024.0));
}

std::wstring phoneLabel(const unsigned char (&seem)[7]) {
    std::string label;
    for (int index : {0, 2, 4, 6}) {
        if (seem[index] == 0) {
            break;
        }
        label.push_back(static_cast<char>(seem[index]));
    }
    return fromSystemCodePage(label);
}

std::wstring reportConnectedPhone(Phone& phone, PhoneStatusView& view) {
    const int32_t kilobytes = freeKilobytes(phone.freeBytes());
    unsigned char seem[7] = {};
    phone.readLabelSeem(seem);
    view.setStatusPanel(0, L"Status: Connected");
    view.setStatusPanel(1, L"Phone: " + phoneLabel(seem));
    view.setStatusPanel(2, L"Volume: /a, Free: " + std::to_wstring(kilobytes) + L" Kb");
    view.appendLog(L"Connected");
    // The figure is asked for again: it is what the upload's room check compares against.
    return std::to_wstring(phone.freeBytes());
}

std::optional<std::wstring> reportPhoneNotification(Phone& phone, PhoneStatusView& view) {
    if (!phone.isConnected()) {
        view.setStatusPanel(0, kStatusDisconnected);
        return std::nullopt;
    }
    return reportConnectedPhone(phone, view);
}

}  // namespace tonvale
