#pragma once
// Where the browser's items go when a DJ hands them over: a double click,
// a drag released somewhere, files dropped from the file manager, or the
// "load" actions. The first item is loaded onto the target desk (after the
// desk-security check), the next onto the other desk when it is empty, and
// the rest queue in the playlist.

#include <cstdint>
#include <string>
#include <vector>

#include "library/ListItem.h"

namespace zarnel {

// Desk security ("Baby Secure"): what happens when an audible desk would be replaced.
enum class DeskSecurity : int32_t { kNone = 0, kAsk = 1, kAlways = 2 };

// What the placement acts on. UI thread.
class PlacementHost {
 public:
  virtual ~PlacementHost() = default;
  // Return: the default desk, 0 or 1 (the desk loads go to).
  virtual int32_t defaultDesk() const = 0;
  virtual bool hasTrack(int32_t desk) const = 0;
  virtual bool playing(int32_t desk) const = 0;
  virtual bool audible(int32_t desk) const = 0;
  virtual DeskSecurity security() const = 0;
  // The "Security" question. Return: true for Yes.
  virtual bool askSecurity() = 0;
  // Loads item onto desk.
  virtual void loadOntoDesk(int32_t desk, const ListItem& item) = 0;
  // Return: the tracks a playlist file lists (empty when it cannot be read).
  virtual std::vector<ListItem> expandPlaylistFile(const ListItem& item) = 0;
  // Inserts items into the playlist before row (-1: at the end).
  virtual void insertIntoPlaylist(std::vector<ListItem> items, int32_t row) = 0;
  virtual bool playlistEmpty() const = 0;
  virtual bool autoMixOn() const = 0;
  // Return: a file's size in bytes (low 32 bits), 0 when it cannot be known.
  virtual int32_t fileSize(const std::string& path) = 0;
};

// Where a drag was released, or where a gesture sends items.
struct PlacementTarget {
  enum class Kind { kDesk, kPlaylist, kOtherWidget, kNowhere };
  Kind kind = Kind::kOtherWidget;
  int32_t desk = 0;  // kDesk
  int32_t row = -1;  // kPlaylist: insert before this row, -1 at the end
};

class ItemPlacement {
 public:
  explicit ItemPlacement(PlacementHost& host) : host_(host) {}

  void place(std::vector<ListItem> items, const PlacementTarget& target);
  // A double click on a row: the default desk, or the other desk when the
  // default desk plays and the other does not.
  void placeByDoubleClick(std::vector<ListItem> items);
  // Files dropped from the file manager, in drop order: audio files become
  // tracks, ".pls" and ".m3u" playlist files, others are ignored.
  void placeDroppedFiles(const std::vector<std::string>& paths);
  // Return: the items dropped files give.
  std::vector<ListItem> itemsOfDroppedFiles(const std::vector<std::string>& paths);

  // Return: whether the desk may be replaced (asking when the setting says so).
  bool mayReplace(int32_t desk);

 private:
  void placeOnDesk(std::vector<ListItem> items, int32_t desk);
  void placeAnywhere(std::vector<ListItem> items);

  PlacementHost& host_;
};

}  // namespace zarnel
