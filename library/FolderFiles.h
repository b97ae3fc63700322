#pragma once
// The tracks and playlist files of one folder, for the file list: what the
// folder tree lists when a folder is selected.

#include <string>
#include <vector>

#include "library/ListItem.h"

namespace zarnel {

class FolderService;

// Return: the items of path's files in the folder's order: ".mp3", ".wav",
// ".wma", ".asf" with their size, ".cda" tracks, ".pls" and ".m3u" with size
// -1 (extensions in any case); other files and every folder are skipped,
// hidden files included. A link stands for its target: it is listed with
// the target's path and size when its target has a listed extension, and
// otherwise, or when it cannot be resolved, under its own name when that
// has one. A folder that cannot be listed, or does not answer within
// kFolderListTimeoutMs, gives no items. Sizes beyond 32 bits keep their low
// 32 bits, as the track store keys them. UI thread.
std::vector<ListItem> folderFiles(FolderService& folders, const std::string& path);

// What listedKind gives for a name that is not listed.
inline constexpr int32_t kNotListedFile = -2;

// Return: kPlaylistFileSize (-1) for a ".pls" or ".m3u" name, 0 for a
// track's name, kNotListedFile otherwise.
int32_t listedKind(const std::string& name);

// Return: folder and name joined with the service's separator.
std::string joinPath(const std::string& folder, const std::string& name, char separator);

}  // namespace zarnel
