#pragma once
// The 50 ms display refresh of the animated widgets: every second tick the
// text zones, the tone arms, the song positions, the turning discs and the
// transport buttons; every tick the beat lamps.

#include <array>
#include <cstdint>

#include "skin/DeskDisplay.h"
#include "skin/Skin.h"

namespace zarnel {

inline constexpr int32_t kToneArmMax = 4096;
inline constexpr int32_t kToneArmStep = 512;
inline constexpr int32_t kDiscTurn = 4096;  // one turn of a disc's angle

// What a desk's song-position slider and turning disc show.
struct DeskPlace {
  int32_t position = 0;  // 0..4096
  int32_t angle = 0;     // 0..4095
};

// Return: the place of a desk with length whole seconds at fraction: with a
// length, position fraction × 4096 and angle (length × 4096 × fraction ×
// 0.75) mod 4096 (0.75 turns per second of play), or 4096 and 0 when the
// fraction is negative; without a length 0 and 0. Any thread.
DeskPlace deskPlace(int32_t length, float fraction);

// Return: the tone arm after one step: 512 towards 4096 while playing, else
// towards 0. Any thread.
int32_t stepToneArm(int32_t arm, bool playing);

// UI thread.
class DisplayRefresh {
 public:
  DisplayRefresh();

  // One tick of timer 160. Pre: skin bound to a drawing context.
  void tick(Skin& skin, const DeskDisplay& desks);

  int32_t toneArm(int32_t d) const { return arm_[d]; }
  int32_t beatLevel(int32_t d) const { return beat_[d]; }
  int32_t beatMax() const { return beatMax_; }
  // Return: whether the last tick did the slower work.
  bool lastTickWasSlow() const { return slow_; }

 private:
  void slowWork(Skin& skin, const DeskDisplay& desks);
  void setSliders(Skin& skin, const DeskPlace (&places)[2]);
  void selectTransport(Skin& skin, const DeskDisplay& desks);

  int32_t playPause_, cueStop_;  // the transport actions' indexes
  std::array<int32_t, 2> arm_{0, 0};
  std::array<int32_t, 2> beat_{0, 0};
  int32_t beatMax_ = 0;
  bool slow_ = false;  // toggles every tick
};

}  // namespace zarnel
