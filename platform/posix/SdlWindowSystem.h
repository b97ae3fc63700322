#pragma once
// Windows on SDL2's video: borderless windows with a software back buffer,
// a shaped splash, message boxes, timers kept by the message loop, posted
// messages through a lock-free queue, and a per-user lock file as the
// single-instance mark; SIGTERM, SIGHUP and SIGINT arrive as kEndSession.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PostedQueue.h"
#include "platform/WindowSystem.h"
#include "platform/posix/SdlJoystick.h"

struct SDL_Window;

namespace zarnel {

class SdlWindow;

// UI thread only, except that windows may be posted to from any thread.
class SdlWindowSystem : public WindowSystem {
 public:
  SdlWindowSystem();
  ~SdlWindowSystem() override;

  std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
  std::unique_ptr<Window> createSplash(const Bitmap& image, const std::vector<uint8_t>& mask, int32_t x,
                                       int32_t y) override;
  bool displaySize(int32_t& width, int32_t& height) override;
  bool claimInstance(const std::string& className) override;
  void releaseInstance() override;
  MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                              MessageBoxKind kind) override;
  bool getMessage(Message& message) override;
  bool peekMessage(Message& message, int32_t timeoutMs) override;
  void postQuit() override { quit_ = true; }
  int64_t nowMs() override;
  std::string keyName(int32_t scanCode) const override;
  bool captureJoystick(Window* window, int32_t& minimumX, int32_t& rangeX) override;

  // Return: whether a display could be opened.
  bool ready() const { return ready_; }

 private:
  friend class SdlWindow;
  bool takePosted(Message& message);
  bool takeSessionEnd(Message& message);
  bool takeTimer(Message& message, int64_t now);
  int64_t nextTimerDue() const;
  bool translate(const void* event, Message& message);
  SdlWindow* windowById(uint32_t id) const;
  static SDL_Window* createPopup(const WindowSpec& spec);

  bool ready_ = false;
  bool quit_ = false;
  bool sessionEnding_ = false;
  int lockFd_ = -1;
  std::vector<SdlWindow*> windows_;
  std::vector<std::string> dropped_;
  PostedQueue posted_;
  SdlJoystick joystick_;
};

}  // namespace zarnel
