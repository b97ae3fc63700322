#include "library/ListItem.h"

#include "library/TrackStoreLink.h"

namespace zarnel {

TrackEntry* entryOf(ListItem& item, TrackStoreLink* store) {
  if (item.isPlaylistFile()) return nullptr;
  if (!item.entryLooked && store) {
    item.entry = store->find(item.path.c_str(), item.sizeKey);
    item.entryLooked = true;
  }
  return item.entry;
}

}  // namespace zarnel
