#pragma once
// Draws the rhythm view: the two desks' strength curves over the view's
// width, at most 1024 columns, in colours (the skin's "color" child) or from
// the skin's images.

#include <array>
#include <cstdint>

#include "skin/DeskDisplay.h"
#include "skin/DrawSurface.h"
#include "skin/RhythmView.h"

namespace zarnel {

inline constexpr int32_t kRhythmMaxColumns = 1024;

// One per renderer, used by the rhythm thread alone (or a test in its place).
class RhythmPainter {
 public:
  // Draws one frame of view into surface's back buffer, reading the curves
  // of the playing desk (1 - active) and of the active desk. Writes nothing
  // outside the view's rectangle and only reads the skin pixels; touches no
  // other state of surface, so the UI thread may draw elsewhere meanwhile.
  // Return: the rectangle written, window coordinates (empty when none).
  SkinRect paint(const RhythmView& view, DrawSurface& surface, const DeskDisplay& desks, int32_t active);

 private:
  // Where a pixel lies: under neither curve, the playing desk's only, the
  // active desk's only, or both.
  enum Cover { kNeither, kPlaying, kActive, kBoth };
  Cover cover(int32_t column, int32_t fromBottom) const {
    const bool p = fromBottom < playing_[size_t(column)], a = fromBottom < active_[size_t(column)];
    return Cover((p ? 1 : 0) | (a ? 2 : 0));
  }
  void paintColours(const RhythmLook& look, DrawSurface& surface, const SkinRect& r, int32_t height);
  void paintImages(const RhythmLook& look, DrawSurface& surface, const SkinRect& r, int32_t height);

  std::array<int32_t, kRhythmMaxColumns> playing_{}, active_{};
};

}  // namespace zarnel
