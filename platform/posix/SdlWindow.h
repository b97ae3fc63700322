#pragma once
// One SDL window with its back buffer and timers. Every call comes from the
// UI thread (another thread hands its rectangles over through post()), so
// the window's surface is never touched by two threads at once.

#include <cstdint>
#include <map>
#include <vector>

#include "platform/WindowSystem.h"
#include "platform/posix/SdlCursor.h"

struct SDL_Window;
struct SDL_Surface;

namespace zarnel {

class SdlWindowSystem;

class SdlWindow : public Window {
 public:
  // Takes ownership of window. Pre: system outlives this window.
  SdlWindow(SdlWindowSystem& system, SDL_Window* window, int32_t width, int32_t height);
  ~SdlWindow() override;

  void show(bool visible) override;
  void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
  int32_t width() const override { return width_; }
  int32_t height() const override { return height_; }
  uint32_t* backBuffer() override { return pixels_.data(); }
  void present() override;
  void presentRects(const WindowRect* rects, int32_t count) override;
  void setTimer(int32_t id, int32_t periodMs) override;
  void killTimer(int32_t id) override;
  void acceptFiles(bool accept) override { acceptFiles_ = accept; }
  bool post(uint32_t id, int32_t wparam, int32_t lparam) override;
  void captureMouse(bool on) override;
  void setCursor(CursorShape shape, const Bitmap* picture, int32_t hotX, int32_t hotY) override {
    cursor_.set(shape, picture, hotX, hotY);
  }
  void warpMouse(int32_t x, int32_t y) override;
  void moveBy(int32_t dx, int32_t dy) override;
  int32_t screenX() const override;
  int32_t screenY() const override;
  bool setFullScreen(bool on) override;
  bool fullScreen() const override { return fullScreen_; }
  bool setShape(const std::vector<uint8_t>& mask) override;

  uint32_t sdlId() const;
  bool acceptsFiles() const { return acceptFiles_; }
  // Turns a position on the window's surface into client coordinates (they
  // differ in full-screen mode, where the image is scaled and centred).
  void toClient(int32_t& x, int32_t& y) const;

 private:
  friend class SdlWindowSystem;
  struct Timer {
    int32_t period;
    int64_t due;
  };
  // Where the scaled image lies on the screen in full-screen mode.
  struct Placement {
    int32_t x = 0, y = 0, width = 0, height = 0;
  };
  // Copies r of the back buffer onto surface. Pre: r inside the buffer.
  void copyToSurface(SDL_Surface* surface, const WindowRect& r) const;
  void presentScaled(SDL_Surface* surface);
  Placement placement(const SDL_Surface* surface) const;

  SdlWindowSystem& system_;
  SDL_Window* window_;
  SdlCursor cursor_;
  int32_t width_, height_;
  std::vector<uint32_t> pixels_;
  std::map<int32_t, Timer> timers_;
  bool acceptFiles_ = false;
  bool fullScreen_ = false;
  Placement placed_;
  int32_t placeX_ = 0, placeY_ = 0;  // where the window was last put
};

}  // namespace zarnel
