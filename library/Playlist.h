#pragma once
// The playlist list of the browser: the tracks queued for the desks and for
// AutoMix, in order, among them playlist files (".m3u", ".pls") that are
// expanded in place when they are used. The list widget shows items() and
// calls the operations; the program hands the tracks that next/takeFirst
// give to the desks.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/ListItem.h"
#include "library/PlaylistFile.h"

namespace zarnel {

class PlayHistory;
class TrackStoreLink;

// Thread: the UI thread.
class Playlist {
 public:
  // Return: a non-negative random number, as rand() gives.
  using RandomSource = std::function<int()>;
  // The position meaning "after the last item".
  static constexpr size_t kEnd = size_t(-1);
  // Most playlist files next() expands to find one track.
  static constexpr int kMaxNextExpansions = 64;

  // files reads and writes the playlist files; store (may be null) gives the
  // items' track entries; random drives shuffle (empty: std::rand). files
  // and store must outlive the playlist.
  explicit Playlist(const PlaylistFile& files, TrackStoreLink* store = nullptr, RandomSource random = {});

  // Return: the items in order. The widget may change their selected flags
  // (and cached entries) through the non-const one, not their number.
  const std::vector<ListItem>& items() const { return items_; }
  std::vector<ListItem>& items() { return items_; }
  size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  // Return: a count that grows with every change of the items' order or
  // number, so the widget knows to redraw (and, after shuffle, load or
  // save, to scroll back to the first item).
  uint64_t revision() const { return revision_; }
  // Return: the item's track entry, looked up in the store once (null for a
  // playlist file or without a store). Pre: index < size().
  TrackEntry* entryAt(size_t index) { return entryOf(items_[index], store_); }

  // Inserts items before the item at index, at the end for kEnd or an index
  // past the end, in their order.
  void insert(size_t index, std::vector<ListItem> items);
  void append(std::vector<ListItem> items) { insert(kEnd, std::move(items)); }
  // Removes every selected item. Return: how many.
  size_t removeSelected();
  // Return: the selected items, in list order, taken out of the list (a drag
  // out of the playlist moves them).
  std::vector<ListItem> takeSelected();
  // Removes every item.
  void clear();

  // Replaces the playlist-file item at index in place by the tracks its file
  // lists, in file order. Return: false, list unchanged, when the item is
  // not a playlist file or its file cannot be opened.
  bool expandAt(size_t index);
  // "Load Playlist": replaces every item by the tracks of the playlist file
  // at path. Return: false, list unchanged, when it cannot be opened.
  bool load(const std::string& path);
  // "Save Playlist": writes every item's path in order to path, playlist
  // files expanded (PlaylistFile::write). When the file was written whole
  // the list then holds a single playlist-file item, the saved file;
  // otherwise the list is unchanged (see the result).
  PlaylistWrite save(const std::string& path);
  // "Shuffle": with n items left, takes the one at random() mod n among
  // them as the next of the new order, until none is left.
  void shuffle();
  // "New songs only": removes every item whose track is in history.
  // Return: how many.
  size_t removePlayed(const PlayHistory& history);

  // The next track for a desk (AutoMix): takes the first item out of the
  // list, a playlist file being expanded in place first (its remaining
  // tracks stay at the head). A playlist file that cannot be opened, is
  // empty, lists only itself, or is still first after kMaxNextExpansions
  // expansions is dropped and the next item taken.
  // Return: the track; none when the list has none.
  std::optional<ListItem> next();
  // Takes the first item out of the list as it is, a playlist file too (the
  // item loaded onto the other desk when it has no track).
  // Return: none when the list is empty.
  std::optional<ListItem> takeFirst();

 private:
  void changed() { ++revision_; }

  const PlaylistFile& files_;
  TrackStoreLink* store_;
  RandomSource random_;
  std::vector<ListItem> items_;
  uint64_t revision_ = 0;
};

}  // namespace zarnel
