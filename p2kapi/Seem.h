// The phone's settings records ("seems") that the library can read.
#pragma once

#include "PhoneSettings.h"

namespace p2kapi {

// Reads `bytes` bytes from the 1-based `offset` of record `record` of seem `seem` into `buffer`.
// Only record 1 of seem 279 exists here: the phone's label, one character in every other byte.
// False, with `buffer` untouched, for anything else.
bool readSeem(const PhoneLabel& label, int seem, int record, int offset, int bytes,
              unsigned char* buffer);

}  // namespace p2kapi
