#pragma once
// The browser panel's picture (800 by 205): its buttons, icons and marks,
// recoloured by the skin's colour matrix. Its transparent colour is its
// first pixel.

#include <cstdint>

#include "platform/WindowSystem.h"

namespace zarnel {

inline constexpr int32_t kPanelImageWidth = 800;
inline constexpr int32_t kPanelImageHeight = 205;

// The part the matrix leaves alone: rows 0 to 30, columns 406 to 458.
inline constexpr int32_t kPanelKeepX0 = 406, kPanelKeepX1 = 458, kPanelKeepY1 = 30;

// Recolours every pixel of image except its transparent colour and the kept
// rectangle: new red = (r·m[0] + g·m[3] + b·m[6]) / 256, new green =
// (r·m[1] + g·m[4] + b·m[7]) / 256, new blue = (r·m[2] + g·m[5] + b·m[8]) /
// 256, each at most 255 (and at least 0). m is rr, rg, rb, gr, gg, gb, br,
// bg, bb.
void applyColourMatrix(Bitmap& image, const int32_t (&m)[9]);

// Return: the transparent colour of image (its first pixel; 0 when empty).
inline uint32_t transparentColour(const Bitmap& image) { return image.pixels.empty() ? 0 : image.pixels[0]; }

}  // namespace zarnel
