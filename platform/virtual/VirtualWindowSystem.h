#pragma once
// Off-screen windows driven by a test: a virtual clock, scripted input,
// recorded message boxes, timers that fire as the clock reaches them, and
// back buffers the test can read.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/PostedQueue.h"
#include "platform/WindowSystem.h"

namespace zarnel {

class VirtualWindowSystem;

class VirtualWindow : public Window {
 public:
  VirtualWindow(VirtualWindowSystem& system, const WindowSpec& spec);
  ~VirtualWindow() override;

  void show(bool visible) override;
  void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
  int32_t width() const override { return spec_.width; }
  int32_t height() const override { return spec_.height; }
  uint32_t* backBuffer() override { return pixels_.data(); }
  // Copies the back buffer to the screen.
  void present() override;
  // Records the rectangles, clipped to the window, and copies them to the
  // screen; an empty list shows nothing.
  void presentRects(const WindowRect* rects, int32_t count) override;
  void captureMouse(bool on) override { captured_ = on; }
  void setCursor(CursorShape shape, const Bitmap* picture, int32_t, int32_t) override {
    cursor_ = shape;
    cursorPicture_ = picture ? picture->width : 0;
  }
  CursorShape cursor() const { return cursor_; }
  // Return: the width of the picture shown as the cursor, 0 for none.
  int32_t cursorPictureWidth() const { return cursorPicture_; }
  void warpMouse(int32_t x, int32_t y) override { warps_.push_back({x, y, 0, 0}); }
  void moveBy(int32_t dx, int32_t dy) override;
  int32_t screenX() const override { return spec_.x; }
  int32_t screenY() const override { return spec_.y; }
  bool setFullScreen(bool on) override;
  bool fullScreen() const override { return fullScreen_; }
  bool setShape(const std::vector<uint8_t>& mask) override;
  void setTimer(int32_t id, int32_t periodMs) override;
  void killTimer(int32_t id) override;
  void acceptFiles(bool accept) override { acceptFiles_ = accept; }
  bool post(uint32_t id, int32_t wparam, int32_t lparam) override;

  const WindowSpec& spec() const { return spec_; }
  bool visible() const { return visible_; }
  // Return: the virtual time the window was last shown, -1 if never.
  int64_t shownAtMs() const { return shownAt_; }
  bool acceptsFiles() const { return acceptFiles_; }
  int32_t presented() const { return presented_; }
  // What the window shows: the back buffer as of its last presents. Tests
  // read this rather than the back buffer, which another thread may be
  // drawing into.
  const uint32_t* screen() const { return screen_.data(); }
  // Every rectangle presented alone, oldest first, and how many calls.
  const std::vector<WindowRect>& presentedRects() const { return rects_; }
  int32_t rectPresents() const { return rectPresents_; }
  void clearPresentedRects() { rects_.clear(); }
  bool captured() const { return captured_; }
  // Pointer warps as rectangles of size 0.
  const std::vector<WindowRect>& warps() const { return warps_; }
  // The shape last set (empty: none) and whether a full-screen switch fails.
  const std::vector<uint8_t>& shape() const { return shape_; }
  void refuseFullScreen(bool refuse) { refuseFullScreen_ = refuse; }
  // Timers running now: id to period.
  std::map<int32_t, int32_t> timers() const;

 private:
  friend class VirtualWindowSystem;
  struct Timer {
    int32_t period;
    int64_t due;
  };
  VirtualWindowSystem& system_;
  size_t record_;
  WindowSpec spec_;
  std::vector<uint32_t> pixels_, screen_;
  std::map<int32_t, Timer> timers_;
  bool visible_ = false;
  int64_t shownAt_ = -1;
  bool acceptFiles_ = false;
  int32_t presented_ = 0;
  std::vector<WindowRect> rects_;
  int32_t rectPresents_ = 0;
  std::vector<WindowRect> warps_;
  std::vector<uint8_t> shape_;
  bool captured_ = false;
  CursorShape cursor_ = CursorShape::kArrow;
  int32_t cursorPicture_ = 0;
  bool fullScreen_ = false, refuseFullScreen_ = false;
};

class VirtualWindowSystem : public WindowSystem {
 public:
  struct Box {
    std::string text, caption;
    MessageBoxKind kind;
  };
  // Every window ever created, kept after it is gone.
  struct WindowRecord {
    WindowSpec spec;
    int64_t createdAt = 0;
    int64_t shownAt = -1;
    int64_t destroyedAt = -1;
  };

  std::unique_ptr<Window> createWindow(const WindowSpec& spec) override;
  std::unique_ptr<Window> createSplash(const Bitmap& image, const std::vector<uint8_t>& mask, int32_t x,
                                       int32_t y) override;
  bool displaySize(int32_t& width, int32_t& height) override;
  bool claimInstance(const std::string& className) override;
  void releaseInstance() override { claimed_ = false; }
  MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                              MessageBoxKind kind) override;
  bool getMessage(Message& message) override;
  bool peekMessage(Message& message, int32_t timeoutMs) override;
  void postQuit() override { quit_ = true; }
  int64_t nowMs() override { return now_; }
  // "Scan N" (N the scan code in decimal) and " ext" for an extended key.
  std::string keyName(int32_t scanCode) const override;
  // Works once a joystick is plugged in; its messages come from schedule().
  bool captureJoystick(Window* window, int32_t& minimumX, int32_t& rangeX) override;

  // --- test controls ---
  // A joystick with that calibration from now on.
  void plugJoystick(int32_t minimumX, int32_t rangeX) {
    joystickMinX_ = minimumX;
    joystickRangeX_ = rangeX;
    joystick_ = true;
  }
  // Return: the window that captured the joystick, or null.
  Window* joystickWindow() const { return joystickWindow_; }
  // Delivers message to the first window of className when the clock
  // reaches atMs (after everything already due).
  void schedule(int64_t atMs, const std::string& className, Message message);
  // The display reads as width × height; 0 makes reading it fail.
  void setDisplay(int32_t width, int32_t height) { displayWidth_ = width, displayHeight_ = height; }
  void setOtherInstanceRunning(bool running) { otherInstance_ = running; }
  // Answers the next yes/no boxes in order (then yes).
  void answerNext(MessageBoxAnswer answer) { answers_.push_back(answer); }
  // getMessage gives up (returns false) once the clock passes this.
  void setDeadline(int64_t ms) { deadline_ = ms; }

  const std::vector<Box>& boxes() const { return boxes_; }
  const std::vector<VirtualWindow*>& windows() const { return windows_; }
  const std::vector<WindowRecord>& history() const { return history_; }
  VirtualWindow* find(const std::string& className) const;
  const Bitmap* splashImage() const { return splash_.width ? &splash_ : nullptr; }
  int64_t splashShownMs() const { return splashShown_; }
  bool instanceClaimed() const { return claimed_; }

 private:
  friend class VirtualWindow;
  struct Scheduled {
    int64_t at;
    std::string className;
    Message message;
  };
  bool nextDue(Message& message, int64_t limit);
  bool nextTimer(Message& message, int64_t limit);
  int64_t nextTimerDue(int64_t limit) const;

  std::vector<VirtualWindow*> windows_;
  std::vector<WindowRecord> history_;
  std::vector<Scheduled> scheduled_;
  std::vector<MessageBoxAnswer> answers_;
  std::vector<Box> boxes_;
  PostedQueue posted_;
  Bitmap splash_;
  int64_t splashShown_ = -1;
  int64_t now_ = 0;
  int64_t deadline_ = 3600 * 1000;
  int32_t displayWidth_ = 1024, displayHeight_ = 768;
  bool otherInstance_ = false;
  bool claimed_ = false;
  bool joystick_ = false;
  int32_t joystickMinX_ = 0, joystickRangeX_ = 0;
  Window* joystickWindow_ = nullptr;
  bool quit_ = false;
};

}  // namespace zarnel
