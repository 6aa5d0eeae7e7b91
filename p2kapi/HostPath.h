// Host path helpers shared by the settings, the volume and the phone-path mapping.
#pragma once

#include <optional>
#include <string>

namespace p2kapi {

// `folder` and `name` joined by exactly one backslash.
std::wstring joinPath(const std::wstring& folder, const std::wstring& name);
// Everything before the last backslash (empty when there is none).
std::wstring parentFolder(const std::wstring& path);
// True for "C:\x", "C:x", "\x" and "\\server\share": paths that do not hang off a folder.
bool isRooted(const std::wstring& path);
// The absolute, normalised form ("." and ".." resolved, trailing dots dropped), without a
// trailing backslash unless it is a drive root.
std::optional<std::wstring> fullPath(const std::wstring& path);
// Creates `folder` and any missing parents; true when it exists afterwards.
bool createFolderTree(const std::wstring& folder);
// The folder that holds this library.
std::wstring libraryFolder();

}  // namespace p2kapi
