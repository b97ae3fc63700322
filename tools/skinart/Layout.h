#pragma once
// Where the default skin's parts sit on its 800 by 600 window.

#include "tools/skinart/Image.h"

namespace zarnel::art::layout {

constexpr Rect kTopBar{0, 0, 800, 34};
constexpr Rect kDeskPanel[2] = {{4, 38, 268, 380}, {528, 38, 268, 380}};
constexpr Rect kMixerPanel{276, 38, 248, 380};
constexpr Rect kBrowser{0, 422, 800, 178};

// A desk's inner left edge and width.
constexpr int32_t deskX(int desk) { return kDeskPanel[desk].x + 4; }
constexpr int32_t kDeskWidth = 260;

constexpr Rect infoDisplay(int desk) { return {deskX(desk), 42, kDeskWidth, 68}; }
constexpr Rect songPos(int desk) { return {deskX(desk), 114, kDeskWidth, 12}; }
// Desk 1 has disc, arm, pitch and sync buttons left to right; desk 2 the mirror.
constexpr Rect disc(int desk) { return {deskX(desk) + (desk ? 110 : 0), 130, 150, 150}; }
constexpr Rect arm(int desk) { return {deskX(desk) + (desk ? 82 : 150), 130, 28, 150}; }
constexpr Rect pitchColumn(int desk) { return {deskX(desk) + (desk ? 48 : 182), 130, 30, 150}; }
constexpr Rect pitchSlider(int desk) {
  return {pitchColumn(desk).x + 4, 130, 22, 114};
}
constexpr Rect pitchReset(int desk) { return {pitchColumn(desk).x - 2, 248, 34, 32}; }
constexpr int32_t syncX(int desk) { return deskX(desk) + (desk ? 0 : 218); }
constexpr int32_t kSyncWidth = 42;

constexpr int32_t kTransportY = 284, kHotCueY = 322, kSetCueY = 354, kLoopY = 386;

// The mixer: desk 1's strip on the left, desk 2's mirrored on the right.
constexpr int32_t knobX(int desk) { return desk ? 476 : 282; }
constexpr int32_t killX(int desk) { return desk ? 434 : 326; }
constexpr int32_t kKnobY[4] = {42, 96, 150, 204};  // gain, high, medium, bass
constexpr int32_t kKnobSize = 42;
constexpr Rect levelFader(int desk) { return {desk ? 408 : 370, 76, 22, 150}; }
constexpr Rect kPreview{379, 230, 42, 42};
constexpr int32_t kFxY = 290;
constexpr Rect kRhythm{282, 322, 236, 26};
constexpr int32_t kBandCaptionY = 349;
constexpr Rect bandFader(int band) { return {282 + band * 80, 358, 76, 22}; }
constexpr Rect kCrossfader{282, 382, 236, 32};

}  // namespace zarnel::art::layout
