#pragma once
// The tooltip balloon's picture, 29 by 30: columns 0 to 21 the left end with
// the pointer below it, column 22 the body that is stretched, columns 23 to
// 28 the right end. Its first pixel's colour is transparent.

#include "platform/WindowSystem.h"

namespace zarnel {

inline constexpr int32_t kBalloonImageWidth = 29, kBalloonImageHeight = 30;
inline constexpr int32_t kBalloonLeftEnd = 22;   // columns 0..21
inline constexpr int32_t kBalloonStretch = 22;   // the body's column
inline constexpr int32_t kBalloonRightEnd = 6;   // columns 23..28
inline constexpr int32_t kBalloonBodyHeight = 23;

// Return: the program's own balloon: a pale yellow body with a black
// outline and rounded corners over rows 0 to 22, and a pointer whose tip is
// at column 2 of the bottom row; magenta is the transparent colour.
Bitmap makeBalloonImage();

}  // namespace zarnel
