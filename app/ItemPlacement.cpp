// Handing browser items to the desks and the playlist.

#include "app/ItemPlacement.h"

#include "platform/TextCase.h"

namespace zarnel {
namespace {

bool endsWithNoCase(const std::string& s, const char* suffix) {
  const std::string_view tail(suffix);
  return s.size() >= tail.size() && equalNoCase(std::string_view(s).substr(s.size() - tail.size()), tail);
}

bool isTrackName(const std::string& path) {
  for (const char* ext : {".mp3", ".wav", ".cda", ".wma", ".asf"}) {
    if (endsWithNoCase(path, ext)) return true;
  }
  return false;
}

bool isPlaylistName(const std::string& path) { return endsWithNoCase(path, ".pls") || endsWithNoCase(path, ".m3u"); }

}  // namespace

bool ItemPlacement::mayReplace(int32_t desk) {
  if (!host_.audible(desk)) return true;
  switch (host_.security()) {
    case DeskSecurity::kNone: return true;
    case DeskSecurity::kAsk: return host_.askSecurity();
    case DeskSecurity::kAlways: return false;
  }
  return false;
}

void ItemPlacement::place(std::vector<ListItem> items, const PlacementTarget& target) {
  if (items.empty()) return;
  switch (target.kind) {
    case PlacementTarget::Kind::kDesk: return placeOnDesk(std::move(items), target.desk);
    case PlacementTarget::Kind::kPlaylist:
      if (host_.autoMixOn() && host_.playlistEmpty()) return placeAnywhere(std::move(items));
      return host_.insertIntoPlaylist(std::move(items), target.row);
    case PlacementTarget::Kind::kOtherWidget: return placeAnywhere(std::move(items));
    case PlacementTarget::Kind::kNowhere: return;
  }
}

void ItemPlacement::placeByDoubleClick(std::vector<ListItem> items) {
  const int32_t d = host_.defaultDesk();
  const int32_t other = 1 - d;
  const bool useOther = host_.playing(d) && !host_.playing(other);
  place(std::move(items), {PlacementTarget::Kind::kDesk, useOther ? other : d, -1});
}

void ItemPlacement::placeAnywhere(std::vector<ListItem> items) {
  const int32_t d = host_.defaultDesk();
  if (!host_.hasTrack(d)) return placeOnDesk(std::move(items), d);
  if (!host_.hasTrack(1 - d)) return placeOnDesk(std::move(items), 1 - d);
  host_.insertIntoPlaylist(std::move(items), -1);
}

void ItemPlacement::placeOnDesk(std::vector<ListItem> items, int32_t desk) {
  if (items.front().isPlaylistFile()) {
    std::vector<ListItem> listed = host_.expandPlaylistFile(items.front());
    items.erase(items.begin());
    items.insert(items.begin(), std::make_move_iterator(listed.begin()), std::make_move_iterator(listed.end()));
    if (items.empty()) return;
  }
  const int32_t other = 1 - desk;
  size_t next = 0;
  if (mayReplace(desk)) {
    host_.loadOntoDesk(desk, items[next++]);
    if (next < items.size() && !host_.hasTrack(other)) host_.loadOntoDesk(other, items[next++]);
  } else if (!host_.hasTrack(other) && mayReplace(other)) {
    // Refused: the item stays first in line and goes to the empty desk.
    host_.loadOntoDesk(other, items[next++]);
  }
  if (next < items.size()) {
    host_.insertIntoPlaylist(std::vector<ListItem>(std::make_move_iterator(items.begin() + next),
                                                   std::make_move_iterator(items.end())),
                             -1);
  }
}

std::vector<ListItem> ItemPlacement::itemsOfDroppedFiles(const std::vector<std::string>& paths) {
  std::vector<ListItem> items;
  for (const std::string& path : paths) {
    if (isTrackName(path)) {
      items.push_back(makeListItem(path, host_.fileSize(path)));
    } else if (isPlaylistName(path)) {
      items.push_back(makeListItem(path, kPlaylistFileSize));
    }
  }
  return items;
}

void ItemPlacement::placeDroppedFiles(const std::vector<std::string>& paths) {
  place(itemsOfDroppedFiles(paths), {PlacementTarget::Kind::kOtherWidget, 0, -1});
}

}  // namespace zarnel
