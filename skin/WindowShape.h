#pragma once
// A window's shape cut from a picture: the colour of its top-left pixel is
// transparent, and every run of other pixels in a row becomes a rectangle
// one pixel high.

#include <cstdint>
#include <vector>

#include "platform/WindowSystem.h"

namespace zarnel {

// The most rectangles a shape keeps.
inline constexpr size_t kMaxShapeRects = 1999;

// Return: the runs of image's non-transparent pixels, row by row, left to
// right; past kMaxShapeRects each further run replaces the last one kept.
std::vector<WindowRect> shapeRuns(const Bitmap& image);

// Return: a width × height mask (1 inside) covering rects, clipped to it.
std::vector<uint8_t> shapeMask(const std::vector<WindowRect>& rects, int32_t width, int32_t height);

}  // namespace zarnel
