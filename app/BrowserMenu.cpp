// The browser's context menu and panel buttons.

#include "app/BrowserActions.h"
#include "app/DialogTexts.h"
#include "app/FileScanAnalyser.h"
#include "library/TrackStore.h"
#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/TrackEditing.h"
#include "library/LibraryPaths.h"
#include "library/PlayHistory.h"
#include "library/Playlist.h"
#include "library/ScanList.h"
#include "platform/DialogService.h"
#include "platform/FolderService.h"

namespace zarnel {
namespace {

// Context-menu item ids.
namespace menuid {
constexpr int32_t kRename = 1, kEditComment = 2, kEditBpm = 3, kDelete = 4, kMoveTo = 5, kCopyTo = 6;
constexpr int32_t kAnalyse = 7, kUnmark = 8;
}  // namespace menuid

// The menu's rows: id and "ContextMenu" slot; 0 a separator. Menu 2 (a disc
// path) leaves out the file operations a disc cannot take.
struct MenuRow {
  int32_t id;
  int32_t slot;
  bool onDisc;
};
constexpr MenuRow kMenuRows[] = {
    {menuid::kRename, kMenuRename, false},   {menuid::kEditComment, kMenuEditComment, true},
    {menuid::kEditBpm, kMenuEditBpm, true},  {menuid::kUnmark, kMenuUnmark, true},
    {0, -1, true},                           {menuid::kDelete, kMenuDelete, false},
    {menuid::kMoveTo, kMenuMoveTo, false},   {menuid::kCopyTo, kMenuCopyTo, true},
    {0, -1, true},                           {menuid::kAnalyse, kMenuAnalyse, true},
};

}  // namespace

std::string BrowserActions::text(int32_t section, int32_t slot) const {
  return links_.texts ? std::string(links_.texts->text(TextSection(section), slot)) : std::string();
}

void BrowserActions::openContextMenu(BrowserList& list, size_t index, int32_t x, int32_t y) {
  ContextMenu* menu = links_.panel->menu();
  if (!menu || index >= list.items().size()) return;
  menuList_ = &list;
  menuIndex_ = index;
  const bool disc = list.kind() == ListKind::kDatabase && list.items()[index].path.find('=') != std::string::npos;
  std::vector<MenuEntry> entries;
  for (const MenuRow& row : kMenuRows) {
    if (disc && !row.onDisc) continue;
    entries.push_back({row.id, row.id == 0 ? std::string() : text(int32_t(TextSection::kContextMenu), row.slot)});
  }
  menu->open(x, y, std::move(entries));
}

// What lay under the menu may have changed while it was open.
void BrowserActions::menuClosed() { links_.panel->drawContent(); }

TrackEntry* BrowserActions::entryOfMenuItem() {
  if (!menuList_ || menuIndex_ >= menuList_->items().size()) return nullptr;
  ListItem& item = menuList_->items()[menuIndex_];
  if (!item.entryLooked) {
    item.entry = findEntry(item);
    item.entryLooked = true;
  }
  return item.entry;
}

void BrowserActions::menuChosen(int32_t id) {
  if (!menuList_ || menuIndex_ >= menuList_->items().size()) return;
  const ListItem item = menuList_->items()[menuIndex_];
  TrackEntry* entry = entryOfMenuItem();
  switch (id) {
    case menuid::kRename: return renameItem(item);
    case menuid::kEditComment:
      if (entry && links_.dialogs && links_.store && links_.texts &&
          editTrackComment(*links_.dialogs, *links_.texts, *links_.store, *entry))
        menuList_->itemsChanged();
      return;
    case menuid::kEditBpm:
      if (entry && links_.dialogs && links_.store && links_.texts &&
          editTrackBpm(*links_.dialogs, *links_.texts, *links_.store, *entry))
        menuList_->itemsChanged();
      return;
    case menuid::kDelete: return deleteItem(item);
    case menuid::kMoveTo: return copyOrMoveItem(item, true);
    case menuid::kCopyTo: return copyOrMoveItem(item, false);
    case menuid::kUnmark:
      if (entry && links_.history) links_.history->remove(entry);
      historyChanged();
      return;
    case menuid::kAnalyse: return analyseItems();
    default: return;
  }
}

// The extended analysis of the clicked row, or of every selected row when
// more than one is selected, under a progress window whose "Stop" ends it
// after the current file.
void BrowserActions::analyseItems() {
  if (!links_.dialogs || !links_.files || !menuList_) return;
  std::vector<ListItem> items = menuList_->selectedItems();
  if (items.size() <= 1) items = {menuList_->items()[menuIndex_]};
  std::unique_ptr<ProgressWindow> progress =
      links_.dialogs->openProgress(text(int32_t(TextSection::kContextMenu), kMenuAnalyse), "Stop");
  if (!progress) return;
  FileScanAnalyser analyser(*links_.files, links_.store, [this](const std::string&, const std::string& message) {
    links_.dialogs->message(message, "Zarnel");
  });
  for (const ListItem& item : items) {
    if (progress->stopRequested()) break;
    if (item.isPlaylistFile()) continue;
    std::string path = item.path;
    if (item.path.find('=') != std::string::npos && links_.settings && links_.texts) {
      std::string message;
      if (!ScanList::resolveDiscPath(*links_.files, links_.settings->cdDrive, item.path, path, message,
                                     links_.texts->errorText(kErrorBadCd)))
        continue;
    }
    progress->setText(path);
    progress->pump();
    analyser.analyse(path, *progress);
  }
  progress.reset();
  menuList_->itemsChanged();  // the tempi found show
}

void BrowserActions::renameItem(const ListItem& item) {
  if (!links_.dialogs || !links_.folders || !links_.texts) return;
  const std::string name(fileNameOf(item.path));
  const std::string folder = item.path.substr(0, item.path.size() - name.size());
  std::optional<std::string> typed = editFileName(*links_.dialogs, *links_.texts, name);
  if (!typed || typed->empty() || *typed == name || typed->find_first_of("/\\") != std::string::npos) return;
  if (links_.folders->renameFile(item.path, folder + *typed)) relistFolder();
}

void BrowserActions::deleteItem(const ListItem& item) {
  if (!links_.dialogs || !links_.folders) return;
  const std::string question = text(int32_t(TextSection::kContextMenu), kMenuDelete) + " \"" + item.path + "\" ?";
  if (!links_.dialogs->ask(question, "Zarnel", dialogText(*links_.texts, kDialogDefault, kDialogOk),
                           dialogText(*links_.texts, kDialogDefault, kDialogCancel)))
    return;
  if (links_.folders->deleteFile(item.path)) relistFolder();
}

void BrowserActions::copyOrMoveItem(const ListItem& item, bool move) {
  if (!links_.dialogs || !links_.folders || !links_.texts) return;
  std::string path = item.path;
  if (links_.scanList && item.path.find('=') != std::string::npos && links_.files && links_.settings) {
    std::string message;
    if (!ScanList::resolveDiscPath(*links_.files, links_.settings->cdDrive, item.path, path, message,
                                   links_.texts->errorText(kErrorBadCd))) {
      links_.dialogs->message(message, "Zarnel");
      return;
    }
  }
  const std::string folder =
      links_.dialogs->chooseFolder(browserTitle(*links_.texts, move ? kTitleMoveTo : kTitleCopyTo), listedFolder_);
  if (folder.empty()) return;
  const bool done = move ? links_.folders->moveFile(path, folder) : links_.folders->copyFile(path, folder);
  if (done) relistFolder();
}

// --- panel buttons -----------------------------------------------------------

void BrowserActions::toggleLock(int32_t pane) {
  SlidingPane& p = links_.panel->pane(pane);
  p.setLocked(!p.locked());
  if (links_.settings) (pane == 0 ? links_.settings->panel1Locked : links_.settings->panel2Locked) = p.locked() ? 1 : 0;
  if (PanelButton* b = links_.panel->button(pane == 0 ? panelbutton::kLockTree : panelbutton::kLockPlaylist)) {
    b->setOn(p.locked());
    b->draw();
  }
}

void BrowserActions::panelAction(int32_t id) {
  switch (id) {
    case panelbutton::kLockTree: return toggleLock(0);
    case panelbutton::kLockPlaylist: return toggleLock(1);
    case panelbutton::kFavourite:
      if (FolderTree* tree = links_.panel->tree()) tree->setAsFavourite();
      return;
    case panelbutton::kShuffle:
      if (links_.playlist) links_.playlist->shuffle();
      if (BrowserList* list = links_.panel->playlistList()) list->scrollTo(0);
      return playlistChanged();
    case panelbutton::kNewOnly:
      if (links_.playlist && links_.history) links_.playlist->removePlayed(*links_.history);
      return playlistChanged();
    case panelbutton::kLoadPlaylist: return loadPlaylistFile();
    case panelbutton::kSavePlaylist: return savePlaylistFile();
    default: return links_.desks->otherPanelAction(id);
  }
}

void BrowserActions::loadPlaylistFile() {
  if (!links_.dialogs || !links_.playlist || !links_.texts) return;
  FileDialogSpec spec;
  spec.title = browserTitle(*links_.texts, kTitleLoadPlaylist);
  spec.filters = fileFilters(*links_.texts, kFilterPlaylist);
  spec.mustExist = true;
  const std::string path = links_.dialogs->openFile(spec);
  if (!path.empty() && links_.playlist->load(path)) {
    if (BrowserList* list = links_.panel->playlistList()) list->scrollTo(0);
    playlistChanged();
  }
}

void BrowserActions::savePlaylistFile() {
  if (!links_.dialogs || !links_.playlist || !links_.texts) return;
  FileDialogSpec spec;
  spec.title = browserTitle(*links_.texts, kTitleSavePlaylist);
  spec.filters = fileFilters(*links_.texts, kFilterM3u);
  spec.defaultExtension = "m3u";
  spec.confirmOverwrite = true;
  const std::string path = links_.dialogs->saveFile(spec);
  if (path.empty()) return;
  if (!links_.playlist->save(path).written) {
    links_.dialogs->message(std::string(links_.texts->errorText(kErrorCreateFile)), "Zarnel");
    return;
  }
  playlistChanged();
}

}  // namespace zarnel
