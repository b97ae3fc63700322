#include "platform/posix/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/posix/SdlWindowSystem.h"
#include "platform/posix/X11WindowShape.h"

namespace zarnel {

namespace {

// Return: r clipped to a width × height buffer (empty when outside).
WindowRect clipRect(const WindowRect& r, int32_t width, int32_t height) {
  const int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
  const int32_t x1 = int32_t(std::min<int64_t>(int64_t(r.x) + r.width, width));
  const int32_t y1 = int32_t(std::min<int64_t>(int64_t(r.y) + r.height, height));
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

SdlWindow::SdlWindow(SdlWindowSystem& system, SDL_Window* window, int32_t width, int32_t height)
    : system_(system), window_(window), width_(width), height_(height),
      pixels_(size_t(width) * size_t(height), 0) {
  system_.windows_.push_back(this);
  int x = 0, y = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  placeX_ = x;
  placeY_ = y;
}

SdlWindow::~SdlWindow() {
  std::erase(system_.windows_, this);
  SDL_DestroyWindow(window_);
}

uint32_t SdlWindow::sdlId() const { return SDL_GetWindowID(window_); }

void SdlWindow::show(bool visible) {
  if (visible) {
    // A tooltip never takes the keyboard from the window under it (without
    // a window manager SDL gives every window it shows the input focus).
    const bool tooltip = (SDL_GetWindowFlags(window_) & SDL_WINDOW_TOOLTIP) != 0;
    SDL_Window* focused = SDL_GetKeyboardFocus();
    SDL_ShowWindow(window_);
    if (tooltip && focused && focused != window_) SDL_SetWindowInputFocus(focused);
    // A move of a hidden window does not always reach the X server; the
    // window goes to its place once it is on the screen.
    int x = 0, y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    if (x != placeX_ || y != placeY_) SDL_SetWindowPosition(window_, placeX_, placeY_);
    present();
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlWindow::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
  placeX_ = x;
  placeY_ = y;
  SDL_SetWindowPosition(window_, x, y);
  SDL_SetWindowSize(window_, width, height);
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), 0);
}

void SdlWindow::copyToSurface(SDL_Surface* surface, const WindowRect& r) const {
  const WindowRect c = clipRect(r, std::min(width_, surface->w), std::min(height_, surface->h));
  if (c.width == 0) return;
  const uint32_t* from = pixels_.data() + size_t(c.y) * size_t(width_) + size_t(c.x);
  uint8_t* to = static_cast<uint8_t*>(surface->pixels) + size_t(c.y) * size_t(surface->pitch) +
                size_t(c.x) * surface->format->BytesPerPixel;
  SDL_ConvertPixels(c.width, c.height, SDL_PIXELFORMAT_RGB888, from, width_ * 4, surface->format->format, to,
                    surface->pitch);
}

// Copies the back buffer into the window's surface, converting the pixel
// format where the surface is not 32-bit RGB.
void SdlWindow::present() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  if (fullScreen_) return presentScaled(surface);
  copyToSurface(surface, WindowRect{0, 0, width_, height_});
  SDL_UpdateWindowSurface(window_);
}

void SdlWindow::presentRects(const WindowRect* rects, int32_t count) {
  if (count <= 0) return;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  if (fullScreen_) return presentScaled(surface);
  std::vector<SDL_Rect> shown;
  shown.reserve(size_t(count));
  for (int32_t i = 0; i < count; ++i) {
    const WindowRect c = clipRect(rects[i], std::min(width_, surface->w), std::min(height_, surface->h));
    if (c.width == 0) continue;
    copyToSurface(surface, c);
    shown.push_back(SDL_Rect{c.x, c.y, c.width, c.height});
  }
  if (!shown.empty()) SDL_UpdateWindowSurfaceRects(window_, shown.data(), int(shown.size()));
}

// The largest size of the image's proportions that fits the screen.
SdlWindow::Placement SdlWindow::placement(const SDL_Surface* surface) const {
  Placement p;
  const int64_t w = std::max(width_, 1), h = std::max(height_, 1);
  if (int64_t(surface->w) * h <= int64_t(surface->h) * w) {
    p.width = surface->w;
    p.height = int32_t(std::max<int64_t>(1, surface->w * h / w));
  } else {
    p.height = surface->h;
    p.width = int32_t(std::max<int64_t>(1, surface->h * w / h));
  }
  p.x = (surface->w - p.width) / 2;
  p.y = (surface->h - p.height) / 2;
  return p;
}

// Full screen: the whole image fills the screen as far as its proportions
// allow, centred on black, as a display switched to the skin's size would
// show it. SDL's scaled blit picks the nearest pixel, so nothing blurs.
void SdlWindow::presentScaled(SDL_Surface* surface) {
  SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(pixels_.data(), width_, height_, 32, width_ * 4,
                                                           SDL_PIXELFORMAT_RGB888);
  if (!image) return;
  placed_ = placement(surface);
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_Rect to{placed_.x, placed_.y, placed_.width, placed_.height};
  SDL_BlitScaled(image, nullptr, surface, &to);
  SDL_FreeSurface(image);
  SDL_UpdateWindowSurface(window_);
}

void SdlWindow::toClient(int32_t& x, int32_t& y) const {
  if (!fullScreen_ || placed_.width <= 0 || placed_.height <= 0) return;
  x = int32_t(int64_t(x - placed_.x) * width_ / placed_.width);
  y = int32_t(int64_t(y - placed_.y) * height_ / placed_.height);
}

void SdlWindow::setTimer(int32_t id, int32_t periodMs) {
  const int32_t period = std::max(periodMs, 1);
  timers_[id] = Timer{period, system_.nowMs() + period};
}

void SdlWindow::killTimer(int32_t id) { timers_.erase(id); }

bool SdlWindow::post(uint32_t id, int32_t wparam, int32_t lparam) {
  return system_.posted_.push(PostedMessage{this, id, wparam, lparam});
}

void SdlWindow::captureMouse(bool on) { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

void SdlWindow::warpMouse(int32_t x, int32_t y) {
  if (fullScreen_) {
    x = placed_.x + int32_t(int64_t(x) * placed_.width / std::max(width_, 1));
    y = placed_.y + int32_t(int64_t(y) * placed_.height / std::max(height_, 1));
  }
  SDL_WarpMouseInWindow(window_, x, y);
}

void SdlWindow::moveBy(int32_t dx, int32_t dy) {
  placeX_ += dx;
  placeY_ += dy;
  SDL_SetWindowPosition(window_, placeX_, placeY_);
}

// The place the program gave the window.
int32_t SdlWindow::screenX() const { return placeX_; }
int32_t SdlWindow::screenY() const { return placeY_; }

// The desktop's own mode stays: the window covers it and the image is
// scaled, which changes no display setting that could be left behind.
bool SdlWindow::setFullScreen(bool on) {
  if (on == fullScreen_) return true;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
  fullScreen_ = on;
  placed_ = Placement{};
  if (!on) SDL_SetWindowSize(window_, width_, height_);
  present();
  return true;
}

// The window's surface is made first: making it may replace the X window
// underneath, which would drop a shape set before.
bool SdlWindow::setShape(const std::vector<uint8_t>& mask) {
  if (!mask.empty() && mask.size() != pixels_.size()) return false;
  if (!SDL_GetWindowSurface(window_)) return false;
  return setX11WindowShape(window_, mask, width_, height_);
}

}  // namespace zarnel
