// Phone paths ("/a/mobile/audio/tone.mid") and the host files they stand for.
#pragma once

#include <optional>
#include <string>

namespace p2kapi {

// True for a path the phone accepts: it begins with "/a/", names something below the volume
// and holds no "..", backslash, colon, control character or empty name.
bool IsValidPhonePath(const char* phonePath);

// The host path of `phonePath` inside `root` (the volume's folder), or nothing when the path is
// invalid or would leave the root after the host's normalisation (device names, for one).
std::optional<std::wstring> HostPathFor(const char* phonePath, const std::wstring& root);

}  // namespace p2kapi
