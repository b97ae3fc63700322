#pragma once
// The 256 colours the rhythm view's palette indexes stand for on a
// true-colour back buffer:
//   0..15    the classic sixteen colours: black, maroon, green, olive, navy,
//            purple, teal, silver, grey, red, lime, yellow, blue, fuchsia,
//            aqua, white;
//   16..255  24 fully saturated hues, every 15 degrees from red through
//            yellow, green, cyan, blue and magenta, at 10 brightness levels:
//            index 16 + 24 × level + hue, level 0 the brightest (255) and each
//            level a tenth darker.
// So the view's default indexes give a black background (0), a red curve
// for the playing desk (16), a white one for the active desk (15) and lime
// where both are (10).

#include <cstdint>

namespace zarnel {

inline constexpr int32_t kRhythmPaletteSize = 256;

// Return: the colour 0x00RRGGBB of palette index i; indexes outside 0..255
// count modulo 256. Any thread.
uint32_t rhythmPaletteColour(int32_t i);

}  // namespace zarnel
