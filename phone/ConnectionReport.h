// What the program does when the library reports an attached phone.
#pragma once

#include <optional>

#include "Phone.h"
#include "PhoneStatusView.h"

namespace tonvale {

// Fills the status panels with the connection, the phone's label and its free kilobytes, logs
// "Connected", and returns the free-space figure to record: the free bytes asked for again, as
// decimal text.
std::wstring reportConnectedPhone(Phone& phone, PhoneStatusView& view);

// What the program does when the library calls the connection handler. Some libraries call it
// when the phone goes away as well, so the phone is asked first: connected, it is reported as
// above and the new figure returned; otherwise panel 0 shows the phone gone, nothing is logged,
// nothing more is asked of the library, and the figure stays as it was (nothing returned).
std::optional<std::wstring> reportPhoneNotification(Phone& phone, PhoneStatusView& view);

// Free kilobytes as the status panel shows them: cut towards zero, never rounded.
int32_t freeKilobytes(int32_t freeBytes);

// The label from bytes 0, 2, 4 and 6 of the seem, shown up to the first zero character.
std::wstring phoneLabel(const unsigned char (&seem)[7]);

}  // namespace tonvale
