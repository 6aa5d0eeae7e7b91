// The commands that act on the phone as a whole.
#pragma once

#include "Phone.h"
#include "PhoneStatusView.h"

namespace tonvale {

// The first status panel while no phone is connected. The text is the program's own, spelling
// and all: users and the guide know the state by it.
inline constexpr const wchar_t* kStatusDisconnected = L"Status: Dinnected";

inline constexpr const char* kMyToneDatabase = "/a/mobile/audio/MyToneDB.db";
inline constexpr const char* kTempToneDatabase = "/a/mobile/audio/TempToneDB.db";

// Registers the connection handler again; the library reports a phone when it has one.
void connectPhone(Phone& phone, PhoneStatusView& view);
// Restarts the phone and shows it disconnected until it reports again.
void restartPhone(Phone& phone, PhoneStatusView& view);
// Deletes the two tone databases, so that the phone rebuilds them, and restarts it.
void updateRings(Phone& phone, PhoneStatusView& view);

}  // namespace tonvale
