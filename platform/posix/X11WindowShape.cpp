#include "platform/posix/X11WindowShape.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace zarnel {

namespace {

// Return: one rectangle one pixel high for every run of set pixels.
std::vector<XRectangle> runsOf(const std::vector<uint8_t>& mask, int32_t width, int32_t height) {
  std::vector<XRectangle> runs;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = mask.data() + size_t(y) * size_t(width);
    for (int32_t x = 0; x < width;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      const int32_t start = x;
      while (x < width && row[x]) ++x;
      runs.push_back(XRectangle{short(start), short(y), static_cast<unsigned short>(x - start), 1});
    }
  }
  return runs;
}

}  // namespace

bool setX11WindowShape(SDL_Window* window, const std::vector<uint8_t>& mask, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return false;
  if (!mask.empty() && mask.size() != size_t(width) * size_t(height)) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  int event = 0, error = 0;
  if (!XShapeQueryExtension(display, &event, &error)) return false;
  const ::Window xwindow = info.info.x11.window;
  if (mask.empty()) {
    XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> runs = runsOf(mask, width, height);
    XShapeCombineRectangles(display, xwindow, ShapeBounding, 0, 0, runs.data(), int(runs.size()), ShapeSet, YXBanded);
  }
  XFlush(display);
  return true;
}

}  // namespace zarnel
