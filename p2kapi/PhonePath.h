// Phone paths ("/a/mobile/audio/tone.mid") and the host files they stand for.
#pragma once

#include <optional>
#include <string>

namespace p2kapi {

// The path below "/a/" with backslashes, for a path the phone accepts: decoded from the system
// code page (whose double-byte characters may end in the byte of "\"), it begins with "/a/"
// and each of its parts is a name a file may have: not empty, not "." or "..", and without a
// control character or any of \ / : * ? " < > |. Nothing for any other.
std::optional<std::wstring> relativePhonePath(const char* phonePath);

// The host path of `phonePath` inside `root` (the volume's folder), or nothing when the path is
// invalid or would leave the root after the host's normalisation (device names, for one).
std::optional<std::wstring> hostPathFor(const char* phonePath, const std::wstring& root);

}  // namespace p2kapi
