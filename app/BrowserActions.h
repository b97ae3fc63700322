#pragma once
// What the browser's lists, folder tree, panel buttons and context menu do:
// the glue between the panel's widgets and the library (playlist, play
// history, scan list, track store) and the desks. Loading a track starts the
// desk's 40-second history timer; the timer's end adds the track to the
// history.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/BrowserPanel.h"
#include "app/ItemPlacement.h"
#include "platform/WindowSystem.h"

namespace zarnel {

class DialogService;
class FileSystem;
class FolderService;
class Localisation;
class PlayHistory;
class Playlist;
class PlaylistFile;
class ScanList;
class TrackStore;
struct Settings;

// The desks as the browser sees them. UI thread.
class BrowserDesks {
 public:
  virtual ~BrowserDesks() = default;
  virtual int32_t defaultDesk() const = 0;
  virtual bool hasTrack(int32_t desk) const = 0;
  virtual bool playing(int32_t desk) const = 0;
  virtual bool audible(int32_t desk) const = 0;
  // Loads item (with its entry) onto desk and restarts the desk's history timer.
  virtual void load(int32_t desk, const ListItem& item, TrackEntry* entry) = 0;
  virtual bool autoMixOn() const { return false; }
  // Where a drag released at (x, y) of the window lands.
  virtual PlacementTarget dropTargetAt(int32_t x, int32_t y) = 0;
  // Timer 178 for the lists' repeating scroll buttons.
  virtual void setRepeatTimer(int32_t periodMs) = 0;
  virtual void killRepeatTimer() = 0;
  // The pointer's shape: a system one, or a drag picture (1 one item,
  // 2 several, 3 refused; 0 back to the arrow).
  virtual void showCursor(CursorShape) {}
  virtual void showDragCursor(int32_t) {}
  // The panel's panel actions the browser does not do itself (AutoMix,
  // recording, samples, effects: later subsystems).
  virtual void otherPanelAction(int32_t) {}
};

// Borrowed; outlive the object.
struct BrowserActionLinks {
  BrowserPanel* panel = nullptr;
  BrowserDesks* desks = nullptr;
  TrackStore* store = nullptr;  // null: items have no entries
  Playlist* playlist = nullptr;
  const PlaylistFile* playlistFiles = nullptr;
  PlayHistory* history = nullptr;
  ScanList* scanList = nullptr;
  DialogService* dialogs = nullptr;  // null: nothing asks, nothing is chosen
  FolderService* folders = nullptr;
  FileSystem* files = nullptr;
  Settings* settings = nullptr;
  const Localisation* texts = nullptr;
};

// UI thread.
class BrowserActions : public BrowserListHost,
                       public FolderTreeHost,
                       public PanelButtonHost,
                       public ContextMenuHost,
                       public PlacementHost {
 public:
  explicit BrowserActions(const BrowserActionLinks& links);

  // The action dispatch's browser seams.
  void loadSelected(int32_t desk);
  void addSelectedToPlaylist();
  void editBpm();
  void editComment();
  // Files dropped on the window from the file manager.
  void dropFiles(const std::vector<std::string>& paths);
  // Keys no shortcut took, for the list or tree last clicked. Return: used.
  bool key(int32_t virtualKey);
  // The shortcuts "next window" and "previous window".
  void focusNext(int32_t step);
  // Timer 178.
  void repeatTick();
  // The play history changed: the lists redraw their status icons.
  void historyChanged();

  // BrowserListHost
  TrackEntry* findEntry(const ListItem& item) override;
  bool playedThisRun(const ListItem& item) override;
  void openContextMenu(BrowserList& list, size_t index, int32_t x, int32_t y) override;
  void expandPlaylistFile(BrowserList& list, size_t index) override;
  void placeSelected(BrowserList& list) override;
  void beginDrag(BrowserList& list, std::vector<ListItem> items) override;
  void dragMoved(BrowserList& list, int32_t x, int32_t y) override;
  void showSizingCursor(bool on) override;
  void dragDropped(BrowserList& list, int32_t x, int32_t y) override;
  void listChanged(BrowserList& list) override;
  void listClicked(BrowserList& list) override { lastList_ = &list; treeLast_ = false; }
  void startRepeat(RepeatClient& client, int32_t periodMs) override;
  void stopRepeat(RepeatClient& client) override;

  // FolderTreeHost
  void folderSelected(const std::string& path) override;
  void favouriteChanged(const std::string& path) override;
  void treeClicked() override { treeLast_ = true; }
  void showWaitCursor(bool on) override;

  // PanelButtonHost
  void panelAction(int32_t id) override;

  // ContextMenuHost
  void menuChosen(int32_t id) override;
  void menuClosed() override;

  // PlacementHost
  int32_t defaultDesk() const override;
  bool hasTrack(int32_t desk) const override;
  bool playing(int32_t desk) const override;
  bool audible(int32_t desk) const override;
  DeskSecurity security() const override;
  bool askSecurity() override;
  void loadOntoDesk(int32_t desk, const ListItem& item) override;
  std::vector<ListItem> expandPlaylistFile(const ListItem& item) override;
  void insertIntoPlaylist(std::vector<ListItem> items, int32_t row) override;
  bool playlistEmpty() const override;
  bool autoMixOn() const override;
  int32_t fileSize(const std::string& path) override;

  const std::string& listedFolder() const { return listedFolder_; }

 private:
  // The list the keys and the load actions act on: the file list, or on
  // the search page the database list.
  BrowserList* actionList();
  void playlistChanged();
  void toggleLock(int32_t pane);
  void loadPlaylistFile();
  void savePlaylistFile();
  void relistFolder();
  // Context-menu operations on the item the menu was opened for.
  void renameItem(const ListItem& item);
  void deleteItem(const ListItem& item);
  void copyOrMoveItem(const ListItem& item, bool move);
  TrackEntry* entryOfMenuItem();
  void analyseItems();
  std::string text(int32_t section, int32_t slot) const;

  BrowserActionLinks links_;
  ItemPlacement placement_{*this};
  BrowserList* lastList_ = nullptr;
  bool treeLast_ = false;
  std::string listedFolder_;
  std::vector<ListItem> dragged_;
  BrowserList* dragSource_ = nullptr;
  RepeatClient* repeating_ = nullptr;
  // The item the context menu was opened on.
  BrowserList* menuList_ = nullptr;
  size_t menuIndex_ = 0;
};

}  // namespace zarnel
