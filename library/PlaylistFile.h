#pragma once
// Playlist files (".m3u", ".pls"): reading the tracks one lists, and writing
// a list of tracks as one. The reading rule is PlaylistText's; the path
// texts become this machine's paths by PlaylistPaths; a file's content is
// untrusted, so what is read is bounded (PlaylistText.h) and a damaged file
// gives what can be read of it.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "library/ListItem.h"
#include "library/PlaylistPaths.h"
#include "library/PlaylistText.h"

namespace zarnel {

class FileSystem;
class FileWriter;

// Deepest nesting of playlist files that an expansion for writing follows.
inline constexpr int kMaxPlaylistDepth = 8;
// Most playlist files one expansion for writing reads.
inline constexpr size_t kMaxPlaylistFilesRead = 256;

// What reading a playlist file gave.
struct PlaylistRead {
  bool opened = false;          // the file was opened and read (maybe only in part)
  bool cut = false;             // a bound left something out
  std::vector<ListItem> items;  // the tracks, in file order
};

// The paths a list of items stands for once its playlist files are
// expanded.
struct PlaylistTracks {
  std::vector<std::string> paths;
  bool complete = true;  // false: a bound (entries, depth, files read) left something out
};

// What writing a playlist file did.
struct PlaylistWrite {
  bool written = false;  // the file now holds the text; false: it is as it was
  bool complete = true;  // every track was written (see PlaylistTracks)
  size_t paths = 0;      // how many paths the file holds
};

// Thread: the UI thread. Holds references only; files and writer must
// outlive it.
class PlaylistFile {
 public:
  PlaylistFile(FileSystem& files, FileWriter& writer, PlaylistPaths paths = PlaylistPaths());

  // Reads the playlist file at path: its whole text (at most
  // kMaxPlaylistBytes; a longer file loses its last, cut line), a UTF-8 or
  // UTF-16 byte-order mark honoured, by the reading rule; each path text
  // becomes the first of its candidates (PlaylistPaths) that exists, else
  // its first. Each item has its title and author from its file name and
  // its size from the file system (0 when missing); a path naming a
  // playlist file makes a playlist-file item (size -1), which is not opened.
  // Return: opened false and no items when the file cannot be opened or read.
  PlaylistRead read(const std::string& path) const;

  // Replaces the playlist-file item items[index] in place by the tracks its
  // file lists, in file order (none for an empty file).
  // Return: false, items unchanged, when index is out of range, the item is
  // not a playlist file, or its file cannot be opened.
  bool expandInto(std::vector<ListItem>& items, size_t index) const;

  // Return: the paths of items in order, each playlist-file item replaced by
  // the tracks of its file, nested ones too: one that cannot be opened stays
  // as its own path, one already being expanded (a file that lists itself)
  // is left out; at most kMaxPlaylistEntries paths, kMaxPlaylistDepth levels
  // and kMaxPlaylistFilesRead files read.
  PlaylistTracks trackPaths(const std::vector<ListItem>& items) const;

  // Writes the playlist file at path: "%s\n" for every path of
  // trackPaths(items), replacing the file through a temporary (FileWriter).
  // Return: written false when that failed (the old file is untouched).
  PlaylistWrite write(const std::string& path, const std::vector<ListItem>& items) const;

  // Return: the text write writes for paths. Any thread.
  static std::string textOf(const std::vector<std::string>& paths);
  // Return: the items of a playlist file's bytes, as read gives them for the
  // file at playlistPath (whose folder relative paths are joined to); the
  // candidates are still looked for in the file system.
  PlaylistRead parse(std::string_view bytes, const std::string& playlistPath) const;

  const PlaylistPaths& paths() const { return paths_; }

 private:
  struct Expansion;

  bool readBytes(const std::string& path, std::string& bytes, bool& whole) const;
  ListItem itemFor(std::string_view line, const std::string& folder) const;
  void expand(const std::vector<ListItem>& items, int depth, Expansion& state) const;

  FileSystem& files_;
  FileWriter& writer_;
  PlaylistPaths paths_;
};

}  // namespace zarnel
