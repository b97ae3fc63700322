#pragma once
// One row of a browser list: a track (or a playlist file) by path, with the
// title and author its file name gives and its track-store entry once looked
// up. The file list, the playlist and the database list hold these.

#include <cstdint>
#include <string>
#include <string_view>

namespace zarnel {

struct TrackEntry;
class TrackStoreLink;

// Size key of a playlist file (".m3u", ".pls") among the tracks.
inline constexpr int32_t kPlaylistFileSize = -1;

struct ListItem {
  std::string path;
  std::string title;
  std::string author;
  int32_t sizeKey = 0;              // file size in bytes (low 32 bits); -1 a playlist file
  TrackEntry* entry = nullptr;      // the store's entry, looked up lazily; not owned
  bool entryLooked = false;         // the lookup was made (entry may still be null)
  bool selected = false;

  bool isPlaylistFile() const { return sizeKey == kPlaylistFileSize; }
};

// The title and author a file name gives (see TitleAuthor.cpp for the rule).
struct TitleAuthor {
  std::string title;
  std::string author;
};

// Return: title and author of path's file name (the text after its last "\"
// or "/").
TitleAuthor titleAuthorOf(std::string_view path);

// Return: an item for path with its title and author filled in; a playlist
// file (sizeKey -1) has its file name as title and no author.
ListItem makeListItem(std::string path, int32_t sizeKey);

// Return: the item's track-store entry, looked up through store by path and
// size key the first time and kept in the item; null for a playlist file,
// and null without a lookup when store is null. UI thread.
TrackEntry* entryOf(ListItem& item, TrackStoreLink* store);

}  // namespace zarnel
