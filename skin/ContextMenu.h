#pragma once
// The browser's popup menu, drawn into the window over everything else: the
// caller's items and separators in the list font, the item under the
// pointer highlighted, a one-pixel border and a soft shadow. A click on an
// item chooses it; a click elsewhere or Escape closes the menu.
//
// While open, the menu takes every press of the window: the routing asks it
// first (hitTest is true everywhere), so that a click outside closes it.

#include <cstdint>
#include <string>
#include <vector>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

// An item of the menu; id 0 is a separator (its text is not shown).
struct MenuEntry {
  int32_t id = 0;
  std::string text;
};

// Runs what the user chose. UI thread.
class ContextMenuHost {
 public:
  virtual ~ContextMenuHost() = default;
  // Item id was chosen; the menu has closed already.
  virtual void menuChosen(int32_t id) = 0;
  // The menu closed (after a choice too): the window under it is shown again.
  virtual void menuClosed() {}
};

// Virtual keys of the menu.
namespace menukey {
constexpr int32_t kEnter = 0x0D, kEscape = 0x1B, kUp = 0x26, kDown = 0x28;
}

// UI thread.
class ContextMenu : public Widget {
 public:
  // Pre: host outlives the menu.
  ContextMenu(ContextMenuHost& host, const BrowserLook& look) : host_(host), look_(look) {}

  // Opens the menu with its top left at (x, y), moved left or up where it
  // would leave the window, and draws it; the pixels under it are kept for
  // closing. Pre: bound to a context with a surface and a text renderer.
  void open(int32_t x, int32_t y, std::vector<MenuEntry> entries);
  // Puts the kept pixels back, marks them for repaint and tells the host.
  void close();
  bool isOpen() const { return open_; }
  // Return: the index of the highlighted entry, or -1.
  int32_t highlighted() const { return hot_; }
  const std::vector<MenuEntry>& entries() const { return entries_; }

  bool hitTest(int32_t x, int32_t y) override;
  void draw() override;
  // A press outside closes the menu; a release on an item chooses it.
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;
  // Escape closes; up and down move the highlight; Enter chooses. Return:
  // whether the key was used (every key is, while open).
  bool key(int32_t code);

 private:
  int32_t itemHeight() const;
  int32_t entryTop(size_t index) const;
  int32_t entryAt(int32_t x, int32_t y) const;
  void setHot(int32_t index);
  void choose(int32_t index);
  void moveHot(int32_t step);
  SkinRect withShadow() const;
  void saveUnder();
  void paintShadow();

  ContextMenuHost& host_;
  BrowserLook look_;
  std::vector<MenuEntry> entries_;
  bool open_ = false, pressedInside_ = false;
  int32_t hot_ = -1;
  SkinRect savedRect_;
  std::vector<uint32_t> saved_;
};

}  // namespace zarnel
