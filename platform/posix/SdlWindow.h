#pragma once
// One SDL window with its back buffer and timers.

#include <cstdint>
#include <map>
#include <vector>

#include "platform/WindowSystem.h"

struct SDL_Window;

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
  void setTimer(int32_t id, int32_t periodMs) override;
  void killTimer(int32_t id) override;
  void acceptFiles(bool accept) override { acceptFiles_ = accept; }
  bool post(uint32_t id, int32_t wparam, int32_t lparam) override;

  uint32_t sdlId() const;
  bool acceptsFiles() const { return acceptFiles_; }

 private:
  friend class SdlWindowSystem;
  struct Timer {
    int32_t period;
    int64_t due;
  };
  SdlWindowSystem& system_;
  SDL_Window* window_;
  int32_t width_, height_;
  std::vector<uint32_t> pixels_;
  std::map<int32_t, Timer> timers_;
  bool acceptFiles_ = false;
};

}  // namespace zarnel
