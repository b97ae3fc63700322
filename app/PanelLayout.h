#pragma once
// Where the browser panel's pages put their elements inside the skin's
// browser zone, and the side panes that slide open under the pointer. Pure
// arithmetic: every quotient truncates, as the placement rules are written.

#include <array>
#include <cstdint>

#include "skin/PanelButton.h"
#include "skin/SkinGeometry.h"

namespace zarnel {

inline constexpr int32_t kSplitterWidth = 12;
inline constexpr int32_t kWeightOne = 1024;

// Page 0: tree pane, file list, playlist pane side by side. Each side
// pane's rectangle includes its splitter (the tree's on its right, the
// playlist's on its left).
struct FilesPageLayout {
  SkinRect treePane, fileList, playlistPane;
};
// t and p: the tree and playlist panes' weights, 0..1024.
FilesPageLayout layoutFilesPage(const SkinRect& zone, int32_t t, int32_t p);

// Page 1: the three scan buttons, the search field, the database list and
// the playlist pane (with its splitter on the left).
struct SearchPageLayout {
  std::array<SkinRect, 3> scanButtons;
  SkinRect searchField, databaseList, playlistPane;
};
SearchPageLayout layoutSearchPage(const SkinRect& zone, int32_t p, int32_t fontHeight);

// Page 2: the sample display, load button and volume slider of column j (0..11).
struct SampleSlotLayout {
  SkinRect display, loadButton, slider;
};
SampleSlotLayout layoutSampleSlot(const SkinRect& zone, int32_t j);

// Page 3: effect slot i (0..5; even slots desk 1, odd slots desk 2) with n
// parameter sliders.
struct EffectSlotLayout {
  int32_t offset = 0;  // A, from the zone's left
  int32_t width = 0;   // w
  SkinRect area, loadButton;
};
EffectSlotLayout layoutEffectSlot(const SkinRect& zone, int32_t i);
// Return: the rectangle of parameter slider k of n in slot.
SkinRect effectSliderRect(const SkinRect& zone, const EffectSlotLayout& slot, int32_t k, int32_t n);

// One side pane's slide: its weight moves towards a target by at most
// kPaneStep every tick (timer 176, 20 ms), after a delay of some ticks.
class SlidingPane {
 public:
  static constexpr int32_t kPaneStep = 64;
  static constexpr int32_t kOpenDelayTicks = 5;
  static constexpr int32_t kCloseDelayTicks = 2;
  static constexpr int32_t kMaxWeight = 1023;

  // A locked pane starts open at its size, an unlocked one closed.
  void start(int32_t openSize, bool locked);
  // The pointer came over the pane or left it (ignored while locked).
  void pointerEnters();
  void pointerLeaves();
  // One tick. Return: whether the weight changed.
  bool tick();
  // Return: whether the weight has reached the target and no delay is left.
  bool settled() const { return delay_ == 0 && weight_ == target_; }
  // A splitter drag: the weight directly (0..1023); release makes it the open size.
  void drag(int32_t weight);
  void endDrag() { openSize_ = weight_; target_ = weight_; }
  // The lock button. Locking keeps the pane as it is shown open.
  void setLocked(bool locked);
  // Pages without side panes take their targets at once.
  void jumpToTarget() { weight_ = target_; delay_ = 0; }

  int32_t weight() const { return weight_; }
  int32_t target() const { return target_; }
  int32_t openSize() const { return openSize_; }
  bool locked() const { return locked_; }

 private:
  int32_t weight_ = 0, target_ = 0, delay_ = 0, openSize_ = 256;
  bool locked_ = false;
};

}  // namespace zarnel
