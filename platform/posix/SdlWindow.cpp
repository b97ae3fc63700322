#include "platform/posix/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/posix/SdlWindowSystem.h"

namespace zarnel {

SdlWindow::SdlWindow(SdlWindowSystem& system, SDL_Window* window, int32_t width, int32_t height)
    : system_(system), window_(window), width_(width), height_(height),
      pixels_(size_t(width) * size_t(height), 0) {
  system_.windows_.push_back(this);
}

SdlWindow::~SdlWindow() {
  std::erase(system_.windows_, this);
  SDL_DestroyWindow(window_);
}

uint32_t SdlWindow::sdlId() const { return SDL_GetWindowID(window_); }

void SdlWindow::show(bool visible) {
  if (visible) {
    SDL_ShowWindow(window_);
    present();
  } else {
    SDL_HideWindow(window_);
  }
}

void SdlWindow::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
  SDL_SetWindowPosition(window_, x, y);
  SDL_SetWindowSize(window_, width, height);
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), 0);
}

// Copies the back buffer into the window's surface, converting the pixel
// format where the surface is not 32-bit RGB.
void SdlWindow::present() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) return;
  const int32_t w = std::min(width_, surface->w), h = std::min(height_, surface->h);
  SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, pixels_.data(), width_ * 4, surface->format->format,
                    surface->pixels, surface->pitch);
  SDL_UpdateWindowSurface(window_);
}

void SdlWindow::setTimer(int32_t id, int32_t periodMs) {
  const int32_t period = std::max(periodMs, 1);
  timers_[id] = Timer{period, system_.nowMs() + period};
}

void SdlWindow::killTimer(int32_t id) { timers_.erase(id); }

bool SdlWindow::post(uint32_t id, int32_t wparam, int32_t lparam) {
  return system_.posted_.push(PostedMessage{this, id, wparam, lparam});
}

}  // namespace zarnel
