#pragma once
// Windows, their messages and timers, message boxes, the display size and the
// single-instance rule, as the program's shell uses them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zarnel {

// Message numbers the program handles; they keep the values the program's
// messages have always had, so posted numbers stay meaningful.
namespace msg {
constexpr uint32_t kDestroy = 0x0002;
constexpr uint32_t kPaint = 0x000F;
constexpr uint32_t kClose = 0x0010;
// The user's session ends (log-out, or a termination signal on Linux):
// wparam 1 means the program must close now, without asking.
constexpr uint32_t kEndSession = 0x0016;
constexpr uint32_t kActivateApp = 0x001C;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kSysKeyDown = 0x0104;
constexpr uint32_t kSysCommand = 0x0112;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kMouseMove = 0x0200;
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kLButtonDblClk = 0x0203;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;
constexpr uint32_t kRButtonDblClk = 0x0206;
constexpr uint32_t kMouseWheel = 0x020A;
constexpr uint32_t kDropFiles = 0x0233;
constexpr uint32_t kJoy1Move = 0x03A0;
constexpr uint32_t kJoy1ButtonDown = 0x03B5;
constexpr uint32_t kUser = 0x0400;
// System commands refused by the main window.
constexpr int32_t kScScreenSave = 0xF140;
constexpr int32_t kScMonitorPower = 0xF170;
// Key-state bits of mouse messages.
constexpr int32_t kMkLButton = 0x0001;
constexpr int32_t kMkRButton = 0x0002;
constexpr int32_t kMkRightFlag = 0x2000;  // added to right-button messages
// Key messages: the key data's bits and the modifier state.
constexpr int32_t kKeyDataExtended = 1 << 24;
constexpr int32_t kKeyDataAlt = 1 << 29;
constexpr int32_t kModShift = 1;
constexpr int32_t kModCtrl = 2;
// Joystick messages: kJoy1Move carries the buttons held in wparam and X in
// the low 16 bits of lparam, Y in the high ones; kJoy1ButtonDown the buttons
// held (0x1 to 0x8) with the button that changed (0x100 to 0x800).
constexpr int32_t kJoyButton1 = 0x001;
constexpr int32_t kJoyButton1Changed = 0x100;
}  // namespace msg

class Window;

struct Message {
  Window* window = nullptr;  // the target; null for thread messages
  uint32_t id = 0;
  int32_t wparam = 0;  // key code, key state, timer id, desk index, ...
  int32_t lparam = 0;
  int32_t x = 0, y = 0;  // mouse position in client coordinates
  int32_t wheel = 0;     // wheel delta, 120 per notch
  // Keys: kKeyDown, kSysKeyDown and kKeyUp carry the virtual key in wparam and
  // the key data in lparam (bits 16 to 23 the PC scan code, bit 24 the
  // extended-key flag, bit 29 Alt held); modifiers tells Shift and Ctrl.
  int32_t modifiers = 0;
  std::vector<std::string> files;  // dropped files
};

// Receives the messages of one window. UI thread.
class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  // Return: the message's result (as the window procedure's).
  virtual intptr_t handle(const Message& message) = 0;
};

// A 32-bit image, 0x00RRGGBB per pixel, rows top to bottom.
struct Bitmap {
  int32_t width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// A rectangle of a window's client area; right and bottom lie outside.
struct WindowRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

struct WindowSpec {
  std::string className;
  std::string title;
  int32_t x = 0, y = 0, width = 800, height = 600;
  // A small popup of the program (the tooltip balloon): no task-bar entry,
  // kept above the program's windows, never activated by showing it.
  bool popup = false;
};

// One top-level window with a back buffer that paint shows. UI thread,
// except post().
// The pointer's shapes: the system's, or a picture of the program's.
enum class CursorShape : int32_t { kArrow, kText, kSizeWE, kWait, kPicture };

class Window {
 public:
  virtual ~Window() = default;
  void setHandler(MessageHandler* handler) { handler_ = handler; }
  MessageHandler* handler() const { return handler_; }
  virtual void show(bool visible) = 0;
  virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  virtual int32_t width() const = 0;
  virtual int32_t height() const = 0;
  // Return: the back buffer, width() × height() pixels, valid until the next
  // setBounds.
  virtual uint32_t* backBuffer() = 0;
  // Shows the back buffer on the screen.
  virtual void present() = 0;
  // Shows only the given rectangles of the back buffer (clipped to it).
  // Base: the whole buffer.
  virtual void presentRects(const WindowRect* rects, int32_t count);
  // Sends every mouse event to this window, also outside it, until released.
  virtual void captureMouse(bool) {}
  // The pointer's shape over the window. kPicture shows picture (0x00RRGGBB,
  // magenta transparent) with its hot spot at (hotX, hotY); the other shapes
  // ignore it.
  virtual void setCursor(CursorShape, const Bitmap* = nullptr, int32_t = 0, int32_t = 0) {}
  // Puts the pointer at (x, y) of the client area.
  virtual void warpMouse(int32_t, int32_t) {}
  // Moves the window by (dx, dy) screen pixels, its size unchanged.
  virtual void moveBy(int32_t, int32_t) {}
  // Return: the window's top left corner on the screen.
  virtual int32_t screenX() const { return 0; }
  virtual int32_t screenY() const { return 0; }
  // Full-screen mode: the display shows the window alone, scaled up without
  // blur by a whole factor and centred; width(), height() and the back buffer
  // keep the window's own size, and mouse positions stay in its
  // coordinates. Leaving restores the window where it was. Return: false
  // when the display cannot switch (the window stays as it is).
  virtual bool setFullScreen(bool) { return false; }
  virtual bool fullScreen() const { return false; }
  // Limits the window's visible area to the pixels whose mask byte is not 0
  // (mask: width() × height(), rows top to bottom); an empty mask removes
  // the shape. Return: false where windows cannot be shaped (the whole
  // rectangle shows).
  virtual bool setShape(const std::vector<uint8_t>&) { return false; }
  // Starts or restarts timer id; each expiry delivers kTimer with wparam id.
  virtual void setTimer(int32_t id, int32_t periodMs) = 0;
  virtual void killTimer(int32_t id) = 0;
  virtual void acceptFiles(bool accept) = 0;
  // Queues a message for the UI thread. Any thread; never blocks, locks or
  // allocates. Return: false when the queue is full.
  virtual bool post(uint32_t id, int32_t wparam, int32_t lparam) = 0;

 private:
  MessageHandler* handler_ = nullptr;
};

enum class MessageBoxKind { ok, error, yesNo };
enum class MessageBoxAnswer { ok, yes, no };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Return: a new hidden window, or null on failure.
  virtual std::unique_ptr<Window> createWindow(const WindowSpec& spec) = 0;
  // Return: a visible topmost window showing image, shaped to the pixels
  // whose mask is not 0, or null where shaped windows are not available.
  virtual std::unique_ptr<Window> createSplash(const Bitmap& image, const std::vector<uint8_t>& mask,
                                               int32_t x, int32_t y) = 0;
  // Reads the display's current size. Return: false when it cannot be read.
  virtual bool displaySize(int32_t& width, int32_t& height) = 0;
  // Claims the program's single-instance mark for this user. Return: false
  // when another running instance holds it.
  virtual bool claimInstance(const std::string& className) = 0;
  virtual void releaseInstance() = 0;
  // Shows text and waits for the answer. caption is the box's title.
  virtual MessageBoxAnswer messageBox(const std::string& text, const std::string& caption,
                                      MessageBoxKind kind) = 0;
  // Waits for the next message. Return: false once quit was posted.
  virtual bool getMessage(Message& message) = 0;
  // Like getMessage, waiting at most timeoutMs. Return: false when none came.
  virtual bool peekMessage(Message& message, int32_t timeoutMs) = 0;
  // Delivers message to its window's handler. Return: the handler's result.
  intptr_t dispatch(const Message& message);
  // Makes getMessage return false from now on.
  virtual void postQuit() = 0;
  // Return: milliseconds of a steady clock.
  virtual int64_t nowMs() = 0;
  // Return: the name of the key with that scan code (| 0x100 for an
  // extended key), as the keyboard labels it; "" for none.
  virtual std::string keyName(int32_t) const { return {}; }
  // Sends joystick 1's messages to window from now on (null stops them) and
  // tells its calibration: the smallest X and the range of X.
  // Return: false when there is no joystick service.
  virtual bool captureJoystick(Window*, int32_t& minimumX, int32_t& rangeX) {
    minimumX = 0;
    rangeX = 0;
    return false;
  }
};

}  // namespace zarnel
