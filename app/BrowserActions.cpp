// The browser's lists and folder tree acting on the library and the desks.

#include "app/BrowserActions.h"

#include <algorithm>

#include "app/FavouriteFolder.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/TextSlots.h"
#include "app/TrackEditing.h"
#include "library/FolderFiles.h"
#include "library/PlayHistory.h"
#include "library/Playlist.h"
#include "library/PlaylistFile.h"
#include "library/TrackStore.h"
#include "platform/ByteFile.h"
#include "platform/DialogService.h"

namespace zarnel {

BrowserActions::BrowserActions(const BrowserActionLinks& links) : links_(links) {}

BrowserList* BrowserActions::actionList() {
  BrowserPanel& panel = *links_.panel;
  if (lastList_ && lastList_ != panel.playlistList()) return lastList_;
  return panel.page() == kPageSearch ? panel.databaseList() : panel.fileList();
}

// --- lists -------------------------------------------------------------------

TrackEntry* BrowserActions::findEntry(const ListItem& item) {
  if (!links_.store || item.isPlaylistFile()) return nullptr;
  return links_.store->find(item.path.c_str(), item.sizeKey);
}

bool BrowserActions::playedThisRun(const ListItem& item) {
  return links_.history && item.entry && links_.history->contains(item.entry);
}

void BrowserActions::expandPlaylistFile(BrowserList& list, size_t index) {
  if (!links_.playlist || &list != links_.panel->playlistList()) return;
  if (links_.playlist->expandAt(index)) playlistChanged();
}

void BrowserActions::placeSelected(BrowserList& list) { placement_.placeByDoubleClick(list.selectedItems()); }

void BrowserActions::beginDrag(BrowserList& list, std::vector<ListItem> items) {
  dragged_ = std::move(items);
  dragSource_ = &list;
  if (&list == links_.panel->playlistList()) playlistChanged();  // the rows were moved out
}

// Over a desk that is heard the drop would be refused (or asked about).
void BrowserActions::dragMoved(BrowserList&, int32_t x, int32_t y) {
  const PlacementTarget target = links_.desks->dropTargetAt(x, y);
  const bool refused = target.kind == PlacementTarget::Kind::kDesk && links_.desks->audible(target.desk);
  links_.desks->showDragCursor(refused ? 3 : dragged_.size() > 1 ? 2 : 1);
}

void BrowserActions::showSizingCursor(bool on) { links_.desks->showCursor(on ? CursorShape::kSizeWE : CursorShape::kArrow); }

void BrowserActions::showWaitCursor(bool on) { links_.desks->showCursor(on ? CursorShape::kWait : CursorShape::kArrow); }

void BrowserActions::dragDropped(BrowserList&, int32_t x, int32_t y) {
  links_.desks->showDragCursor(0);
  std::vector<ListItem> items = std::move(dragged_);
  dragged_.clear();
  dragSource_ = nullptr;
  PlacementTarget target = links_.desks->dropTargetAt(x, y);
  if (target.kind == PlacementTarget::Kind::kPlaylist && links_.panel->playlistList()) {
    const int64_t row = links_.panel->playlistList()->indexAt(x, y);
    target.row = row < 0 ? -1 : int32_t(row);
  }
  for (ListItem& item : items) item.selected = false;
  placement_.place(std::move(items), target);
}

void BrowserActions::listChanged(BrowserList& list) {
  if (&list == links_.panel->playlistList()) playlistChanged();
}

void BrowserActions::playlistChanged() {
  if (BrowserList* list = links_.panel->playlistList()) list->itemsChanged();
}

void BrowserActions::historyChanged() {
  for (BrowserList* list : {links_.panel->fileList(), links_.panel->playlistList(), links_.panel->databaseList()}) {
    if (list) list->itemsChanged();
  }
}

void BrowserActions::startRepeat(RepeatClient& client, int32_t periodMs) {
  repeating_ = &client;
  links_.desks->setRepeatTimer(periodMs);
}

void BrowserActions::stopRepeat(RepeatClient& client) {
  if (repeating_ != &client) return;
  repeating_ = nullptr;
  links_.desks->killRepeatTimer();
}

void BrowserActions::repeatTick() {
  if (repeating_) repeating_->repeatTick();
}

bool BrowserActions::key(int32_t virtualKey) {
  BrowserPanel& panel = *links_.panel;
  if (panel.menu() && panel.menu()->isOpen()) return panel.menu()->key(virtualKey);
  if (treeLast_ && panel.page() == kPageFiles && panel.tree()) return panel.tree()->key(virtualKey);
  // Before any click the keys move through the page's main list.
  BrowserList* list = lastList_ ? lastList_ : actionList();
  if (!list) return false;
  const bool shown = (list == panel.fileList() && panel.page() == kPageFiles) ||
                     (list == panel.databaseList() && panel.page() == kPageSearch) ||
                     (list == panel.playlistList() && (panel.page() == kPageFiles || panel.page() == kPageSearch));
  return shown && list->key(virtualKey);
}

// The next (+1) or previous (-1) of the page's panes takes the keys: the
// folder tree, the file or database list, the playlist.
void BrowserActions::focusNext(int32_t step) {
  BrowserPanel& panel = *links_.panel;
  std::vector<Widget*> order;
  if (panel.page() == kPageFiles && panel.tree()) order.push_back(panel.tree());
  BrowserList* main = panel.page() == kPageSearch ? panel.databaseList() : panel.fileList();
  if (main) order.push_back(main);
  if (panel.playlistList()) order.push_back(panel.playlistList());
  if (order.empty()) return;
  Widget* now = treeLast_ ? static_cast<Widget*>(panel.tree()) : static_cast<Widget*>(lastList_ ? lastList_ : main);
  auto at = std::find(order.begin(), order.end(), now);
  const int32_t n = int32_t(order.size());
  const int32_t index = at == order.end() ? 0 : int32_t(at - order.begin());
  Widget* next = order[size_t(((index + step) % n + n) % n)];
  treeLast_ = next == panel.tree();
  if (!treeLast_) lastList_ = static_cast<BrowserList*>(next);
}

// --- folder tree -------------------------------------------------------------

void BrowserActions::folderSelected(const std::string& path) {
  listedFolder_ = path;
  if (BrowserList* files = links_.panel->fileList(); files && links_.folders) {
    files->showFolderFiles(folderFiles(*links_.folders, path));
  }
}

void BrowserActions::relistFolder() {
  if (!listedFolder_.empty()) folderSelected(listedFolder_);
}

void BrowserActions::favouriteChanged(const std::string& path) {
  if (links_.settings) links_.settings->favorite = encodeFavourite(path);
}

// --- the dispatch's seams ----------------------------------------------------

void BrowserActions::loadSelected(int32_t desk) {
  BrowserList* list = actionList();
  if (list) placement_.place(list->selectedItems(), {PlacementTarget::Kind::kDesk, desk, -1});
}

void BrowserActions::addSelectedToPlaylist() {
  BrowserList* list = actionList();
  if (list) placement_.place(list->selectedItems(), {PlacementTarget::Kind::kPlaylist, 0, -1});
}

void BrowserActions::editBpm() {
  BrowserList* list = actionList();
  if (!list || list->cursor() < 0 || !links_.dialogs || !links_.store || !links_.texts) return;
  ListItem& item = list->items()[size_t(list->cursor())];
  if (TrackEntry* entry = findEntry(item)) {
    if (editTrackBpm(*links_.dialogs, *links_.texts, *links_.store, *entry)) list->itemsChanged();
  }
}

void BrowserActions::editComment() {
  BrowserList* list = actionList();
  if (!list || list->cursor() < 0 || !links_.dialogs || !links_.store || !links_.texts) return;
  ListItem& item = list->items()[size_t(list->cursor())];
  if (TrackEntry* entry = findEntry(item)) {
    if (editTrackComment(*links_.dialogs, *links_.texts, *links_.store, *entry)) list->itemsChanged();
  }
}

void BrowserActions::dropFiles(const std::vector<std::string>& paths) { placement_.placeDroppedFiles(paths); }

// --- placement ---------------------------------------------------------------

int32_t BrowserActions::defaultDesk() const { return links_.desks->defaultDesk(); }
bool BrowserActions::hasTrack(int32_t desk) const { return links_.desks->hasTrack(desk); }
bool BrowserActions::playing(int32_t desk) const { return links_.desks->playing(desk); }
bool BrowserActions::audible(int32_t desk) const { return links_.desks->audible(desk); }
bool BrowserActions::autoMixOn() const { return links_.desks->autoMixOn(); }

DeskSecurity BrowserActions::security() const {
  const int32_t value = links_.settings ? links_.settings->babySecure : 1;
  return value == 0 ? DeskSecurity::kNone : value == 2 ? DeskSecurity::kAlways : DeskSecurity::kAsk;
}

bool BrowserActions::askSecurity() {
  if (!links_.dialogs || !links_.texts) return false;
  return links_.dialogs->ask(std::string(links_.texts->text(TextSection::kOthers, kOtherSecurity)), "Zarnel",
                             std::string(links_.texts->dialogText(kDialogDefault, kDialogOk)),
                             std::string(links_.texts->dialogText(kDialogDefault, kDialogCancel)));
}

void BrowserActions::loadOntoDesk(int32_t desk, const ListItem& item) {
  links_.desks->load(desk, item, item.entry ? item.entry : findEntry(item));
}

std::vector<ListItem> BrowserActions::expandPlaylistFile(const ListItem& item) {
  if (!links_.playlistFiles) return {};
  std::vector<ListItem> one{item};
  return links_.playlistFiles->expandInto(one, 0) ? one : std::vector<ListItem>{};
}

void BrowserActions::insertIntoPlaylist(std::vector<ListItem> items, int32_t row) {
  if (!links_.playlist) return;
  links_.playlist->insert(row < 0 ? Playlist::kEnd : size_t(row), std::move(items));
  playlistChanged();
}

bool BrowserActions::playlistEmpty() const { return !links_.playlist || links_.playlist->empty(); }

int32_t BrowserActions::fileSize(const std::string& path) {
  if (!links_.files) return 0;
  std::unique_ptr<ByteFile> file = links_.files->openRead(path.c_str());
  const int64_t size = file ? file->size() : 0;
  return size > 0 ? int32_t(uint32_t(uint64_t(size))) : 0;
}

}  // namespace zarnel
