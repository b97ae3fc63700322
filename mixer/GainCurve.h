#pragma once
// The integer curves of the channel strip: crossfader, band value and gain.

#include <cstdint>

namespace zarnel {

constexpr int32_t kUnity = 2048;    // slider centre; Q11 unity band gain
constexpr int32_t kFullScale = 4096;  // slider end; Q12 unity level

struct CrossfaderLevels {
  int32_t desk1 = 0;
  int32_t desk2 = 0;
  bool modeValid = true;  // false: the mode was unknown and must reset to 0
};

// Return: the curve values of both desks, each capped at 4096, for crossfader
// x and mode 0 smooth, 1 full, 2 cut. An unknown mode gives 0 for both.
CrossfaderLevels crossfaderCurve(int32_t x, int32_t mode);

// Return: the value sent for one band: 0 when killed, else the slider value,
// scaled down by the band crossfader f on the side it attenuates.
int32_t bandValue(int32_t desk, int32_t slider, bool killed, int32_t fader);

// Return: the Q11 gain for band value v and gain knob g (both 0..4096);
// exactly 2048 when both are 2048, 0 when either is 0.
int32_t gainCurve(int32_t v, int32_t g);

}  // namespace zarnel
