#pragma once
// The splash picture, drawn by the program itself: a record on a platter
// with the tone arm resting on it, and the mask that shapes its window.

#include <cstdint>
#include <vector>

#include "platform/WindowSystem.h"

namespace zarnel {

constexpr int32_t kSplashWidth = 292;
constexpr int32_t kSplashHeight = 333;

struct SplashImage {
  Bitmap image;
  std::vector<uint8_t> mask;  // 1 inside the shape
};

// Return: the splash picture and its shape.
SplashImage makeSplashImage();

}  // namespace zarnel
