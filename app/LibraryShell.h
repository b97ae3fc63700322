#pragma once
// The music library as the main window runs it: the browser panel and its
// pages, the options page's settings, the scan list and its search, and the
// keys the search field and the lists take. It serves the action
// dispatch's browser seams and the window's timers 176, 177 and 178.

#include <cstdint>
#include <memory>
#include <string>

#include "app/BrowserPanel.h"
#include "app/LaterSeams.h"
#include "app/OptionSettings.h"
#include "app/ShortcutManager.h"
#include "library/ScanList.h"

namespace zarnel {

class BeatMatcher;
class Desk;
class FileSystem;
class Localisation;
class MixerState;
class Renderer;
class Window;
struct Settings;

// Borrowed; outlive the shell.
struct LibraryLinks {
  Window* window = nullptr;
  FileSystem* files = nullptr;
  Settings* settings = nullptr;
  const Localisation* texts = nullptr;
  MixerState* mixer = nullptr;
  Desk* desks[2] = {nullptr, nullptr};
  BeatMatcher* matcher = nullptr;
};

// UI thread.
class LibraryShell : public LaterSeams, public PanelWindow, public KeyboardHolder, public KeyFallback {
 public:
  explicit LibraryShell(const LibraryLinks& links);
  ~LibraryShell() override;

  // Reads the scan list. Called once the window exists.
  void open();
  // Puts the panel into the renderer's skin (again after a skin change).
  void attach(Renderer& renderer);
  void detach();

  BrowserPanel& panel() { return panel_; }
  ScanList& scanList() { return scanList_; }
  OptionSettings& options() { return options_; }

  // Window messages routed here. Return: whether used.
  bool onTimer(int32_t id);
  void pointerAt(int32_t x, int32_t y) { panel_.pointerAt(x, y); }
  // A button went down at (x, y): the search field gives up the keyboard
  // unless the press is on it.
  void releaseKeyboardUnlessAt(int32_t x, int32_t y);
  // The modifier bits of the key message being handled (for the characters
  // a key gives).
  void setKeyModifiers(int32_t modifiers) { modifiers_ = modifiers; }

  // LaterSeams: the browser part.
  void showBrowserPage(int32_t page) override;
  int32_t browserPage() const override { return panel_.page(); }

  // PanelWindow
  void setTimer(int32_t id, int32_t periodMs) override;
  void killTimer(int32_t id) override;
  void showTextCursor(bool) override {}
  std::string translateKey(int32_t key) override;

  // KeyboardHolder and KeyFallback
  bool takeKey(int32_t virtualKey, int32_t keyData) override;
  bool offerKey(int32_t virtualKey) override;

 private:
  LibraryLinks links_;
  ScanList scanList_;
  OptionSettings options_;
  BrowserPanel panel_;
  int32_t modifiers_ = 0;
};

// Return: the characters a key gives on a US keyboard with the shift
// modifier bit (1) as given; empty for a key that types nothing.
std::string charactersOfKey(int32_t virtualKey, int32_t modifiers);

}  // namespace zarnel
