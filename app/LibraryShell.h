#pragma once
// The music library as the main window runs it: the browser panel and its
// pages, the playlist and the play history, the scan list and its search,
// the options page's settings, and the keys the search field and the lists
// take. It serves the action dispatch's browser seams and the window's
// timers 150/151 (history), 176 (panes), 177 (caret) and 178 (list repeat).

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/BrowserActions.h"
#include "app/BrowserPanel.h"
#include "app/LaterSeams.h"
#include "app/OptionSettings.h"
#include "app/ScanDialogs.h"
#include "app/ShortcutManager.h"
#include "app/ServiceFileWriter.h"
#include "library/PlayHistory.h"
#include "library/Playlist.h"
#include "library/PlaylistFile.h"
#include "library/ScanList.h"

namespace zarnel {

class App;
class AutoMixLink;
class BeatMatcher;
class Desk;
class DialogService;
class DriveList;
class FileSystem;
class FolderService;
class LocalClock;
class Localisation;
class MixerState;
class OutputEngine;
class RecordingControl;
class Renderer;
class SampleSlots;
class TrackStore;
class Window;
struct Settings;

// Borrowed; outlive the shell.
struct LibraryLinks {
  Window* window = nullptr;
  FileSystem* files = nullptr;
  FolderService* folders = nullptr;
  DialogService* dialogs = nullptr;
  DriveList* drives = nullptr;
  const LocalClock* clock = nullptr;
  Settings* settings = nullptr;
  const Localisation* texts = nullptr;
  App* app = nullptr;
  MixerState* mixer = nullptr;
  Desk* desks[2] = {nullptr, nullptr};
  BeatMatcher* matcher = nullptr;
  TrackStore* store = nullptr;
  // The running engine, for the desks' audibility (it changes with the sound configuration).
  std::function<OutputEngine*()> engine;
  AutoMixLink* autoMix = nullptr;  // null: AutoMix stays off
  RecordingControl* recording = nullptr;  // null: the record page does nothing
  SampleSlots* samples = nullptr;         // null: the samples page and shortcuts do nothing
  // Runs the actions of the options page's dialog rows.
  OptionActions* optionActions = nullptr;
};

// UI thread.
class LibraryShell : public LaterSeams,
                     public PanelWindow,
                     public KeyboardHolder,
                     public KeyFallback,
                     public BrowserDesks {
 public:
  explicit LibraryShell(const LibraryLinks& links);
  ~LibraryShell() override;

  // Reads the scan list. Called once the window exists.
  void open();
  // Puts the panel into the renderer's skin (again after a skin change).
  void attach(Renderer& renderer);
  void detach();
  // At exit: the history is appended to "history.txt" and the panes' and
  // columns' settings are kept.
  void close();
  // "History...": the save dialog, then the history written to the chosen
  // file and opened in the user's editor.
  void saveHistoryAs();

  BrowserPanel& panel() { return panel_; }
  ScanList& scanList() { return scanList_; }
  OptionSettings& options() { return options_; }
  Playlist& playlist() { return playlist_; }
  PlayHistory& history() { return history_; }
  BrowserActions& actions() { return actions_; }

  // Window messages routed here. Return: whether used.
  bool onTimer(int32_t id);
  void pointerAt(int32_t x, int32_t y) { panel_.pointerAt(x, y); }
  void dropFiles(const std::vector<std::string>& paths) { actions_.dropFiles(paths); }
  void releaseKeyboardUnlessAt(int32_t x, int32_t y);
  void setKeyModifiers(int32_t modifiers) { modifiers_ = modifiers; }

  // LaterSeams: the browser part.
  void showBrowserPage(int32_t page) override;
  int32_t browserPage() const override { return panel_.page(); }
  void loadSelected(int32_t desk) override { actions_.loadSelected(desk); }
  void addSelectedToPlaylist() override { actions_.addSelectedToPlaylist(); }
  void editBpm() override { actions_.editBpm(); }
  void editComment() override { actions_.editComment(); }
  void browserCommand(int32_t n) override;
  void browserFocus(int32_t step) override { actions_.focusNext(step); }
  // AutoMix's seams.
  void autoMixNow() override;
  void autoMixTransitionStopped() override;
  void mixIn(int32_t desk) override;
  void trackEnded(int32_t desk) override;
  void toggleRecording() override;
  void flagRecordingCut() override;
  void triggerSample(int32_t player) override;
  void stopAllSamples() override;
  // The display refresh: the record page's text, and a failed write said once.
  void refreshRecording();

  // The playlist's next track onto desk (AutoMix), without the security
  // question; the other desk takes the one after when it has no track.
  // Return: false when the playlist is empty.
  bool nextTrack(int32_t desk);

  // PanelWindow
  void setTimer(int32_t id, int32_t periodMs) override;
  void killTimer(int32_t id) override;
  void showTextCursor(bool on) override { showCursor(on ? CursorShape::kText : CursorShape::kArrow); }
  std::string translateKey(int32_t key) override;

  // KeyboardHolder and KeyFallback
  bool takeKey(int32_t virtualKey, int32_t keyData) override;
  bool offerKey(int32_t virtualKey) override { return actions_.key(virtualKey); }

  // BrowserDesks
  int32_t defaultDesk() const override;
  bool hasTrack(int32_t desk) const override;
  bool playing(int32_t desk) const override;
  bool audible(int32_t desk) const override;
  void load(int32_t desk, const ListItem& item, TrackEntry* entry) override;
  bool autoMixOn() const override;
  PlacementTarget dropTargetAt(int32_t x, int32_t y) override;
  void setRepeatTimer(int32_t periodMs) override;
  void killRepeatTimer() override;
  void otherPanelAction(int32_t id) override;
  void showCursor(CursorShape shape) override;
  void showDragCursor(int32_t kind) override;

 private:
  BrowserPanelLinks panelLinks();
  ScanDialogLinks scanLinks();
  void cutDragCursors(const Bitmap& panel);
  std::vector<ListItem> databaseItems() const;
  std::string homePath(const char* name) const;

  LibraryLinks links_;
  ScanList scanList_;
  OptionSettings options_;
  ServiceFileWriter writer_;
  PlaylistFile playlistFiles_;
  Playlist playlist_;
  PlayHistory history_;
  BandSizes bands_{};
  BrowserPanel panel_;
  BrowserActions actions_;
  Renderer* renderer_ = nullptr;
  int32_t modifiers_ = 0;
  bool askedForScan_ = false;
  std::array<Bitmap, 3> dragCursors_;  // one item, several, refused: from the panel picture  // the search page asks once per run when the scan list is empty
};

// Return: the characters a key gives on a US keyboard with the shift
// modifier bit (1) as given; empty for a key that types nothing.
std::string charactersOfKey(int32_t virtualKey, int32_t modifiers);

}  // namespace zarnel
