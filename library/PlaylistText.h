#pragma once
// The text of a playlist file (".m3u", ".pls") as the list of paths it
// names, by the reading rule of the playlists: every "\r" and "\n" ends a
// line and empty lines are skipped; a line starting with "#" is a comment
// (so the extended M3U lines #EXTM3U and #EXTINF are too); a line equal to
// "[Playlist]" in any case switches to section mode, where a line starting
// with "NumberOfEntries=" in any case ends the reading, a line holding "="
// gives the text after its first "=" and other lines are skipped; outside
// section mode every line is a path.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

// Bounds on a playlist file, which may come from anywhere: past these the
// rest is left out.
inline constexpr size_t kMaxPlaylistBytes = size_t(32) * 1024 * 1024;  // bytes read of one file
inline constexpr size_t kMaxPlaylistEntries = 100000;                  // paths taken from one file
inline constexpr size_t kMaxPlaylistLineBytes = 32768;                 // longer lines are skipped

struct PlaylistLines {
  std::vector<std::string> paths;  // the paths as written, in file order
  bool cut = false;                // lines were skipped as too long, or entries left out
};

// Return: the paths text names, at most maxEntries, by the reading rule
// above; a line longer than kMaxPlaylistLineBytes is skipped. Any thread.
PlaylistLines playlistLines(std::string_view text, size_t maxEntries = kMaxPlaylistEntries);

}  // namespace zarnel
