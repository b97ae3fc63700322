#pragma once
// Window shapes on X11: the SHAPE extension's bounding region, set from a
// mask as one rectangle per run of set pixels in a row. SDL's own shaped
// windows are not used: on some X servers they never appear.

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace zarnel {

// Sets window's shape to the set pixels of mask (width × height, rows top to
// bottom); an empty mask gives the whole rectangle back.
// Return: false where the window is not an X11 window or the mask's size is
// wrong (the window keeps its shape). UI thread.
bool setX11WindowShape(SDL_Window* window, const std::vector<uint8_t>& mask, int32_t width, int32_t height);

}  // namespace zarnel
