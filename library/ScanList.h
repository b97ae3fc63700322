#pragma once
// The scan list "mp3database.txt": every audio file the disk and CD scans
// found, one "path,size" line each, with the search the browser's database
// page runs over it. Paths of files on a scanned CD start with the disc's
// name and "=" (CD1=\Music\track.mp3); the drive they are on is resolved
// when they are loaded.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

class FileSystem;

inline constexpr char kScanListFile[] = "mp3database.txt";

struct ScanItem {
  std::string path;  // empty once its prefix was removed: not written back
  int32_t size = 0;  // file size in bytes
};

// UI thread only.
class ScanList {
 public:
  // Reads the whole file at path: one item per non-empty line (lines end at
  // "\r" or "\n"); the last "," of a line, unless it is its first character,
  // separates the path from the size, read as a decimal number; a line
  // without one has size 0. Post: every item shown, no current search; an
  // unreadable or missing file gives an empty list.
  // Return: false when the file could not be read.
  bool load(FileSystem& files, const std::string& path);
  // As load, from the file's text.
  void parse(std::string_view text);

  // Return: every item, in file order.
  const std::vector<ScanItem>& items() const { return items_; }
  // Return: the indexes in items() of the items shown, in list order.
  const std::vector<int32_t>& shown() const { return shown_; }
  // Return: the current search, upper case; empty when none.
  const std::string& currentSearch() const { return current_; }
  // Return: how many items the last search looked at.
  int32_t lastSearched() const { return lastSearched_; }

  // Filters by the typed text, converted to upper case: empty shows every
  // item and clears the current search; a text that contains the current
  // search filters only the items shown, any other text every item. An item
  // matches when its path contains the text, letters a to z compared without
  // regard to case. Post: the text is the current search.
  void search(std::string_view typed);
  // Return: true when some item's path begins with prefix.
  bool hasPrefix(std::string_view prefix) const;
  // Every item whose path begins with prefix loses its path.
  void removePrefix(std::string_view prefix);
  // Return: "path,size\r\n" for every item that has a path, in list order.
  std::string text() const;
  // Replaces the file at path with text(). Return: false on an error.
  bool writeAll(FileSystem& files, const std::string& path) const;

  // Turns a disc path into the file on the drive whose root is cdRoot (for
  // example "E:\"): the part after "=" appended, its leading separator dropped
  // when the root ends with one (and its "\" turned to "/" under a root
  // ending in "/"). Return: true with filePath set when the file exists;
  // false with message set to badCdText, its "%s" replaced by the disc name.
  static bool resolveDiscPath(FileSystem& files, std::string_view cdRoot,
                              std::string_view discPath, std::string& filePath,
                              std::string& message, std::string_view badCdText);

 private:
  void showAll();

  std::vector<ScanItem> items_;
  std::vector<int32_t> shown_;
  std::string current_;
  int32_t lastSearched_ = 0;
};

}  // namespace zarnel
