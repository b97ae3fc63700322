// Turns SDL's events into the program's window messages.

#include <SDL.h>

#include "platform/posix/PcScanCodes.h"
#include "platform/posix/SdlWindow.h"
#include "platform/posix/SdlWindowSystem.h"

namespace zarnel {

namespace {

int32_t keyStateOf(uint32_t buttons) {
  int32_t state = 0;
  if (buttons & SDL_BUTTON_LMASK) state |= msg::kMkLButton;
  if (buttons & SDL_BUTTON_RMASK) state |= msg::kMkRButton;
  return state;
}

bool translateButton(const SDL_MouseButtonEvent& b, bool down, Message& message) {
  const bool right = b.button == SDL_BUTTON_RIGHT;
  if (!right && b.button != SDL_BUTTON_LEFT) return false;
  if (down)
    message.id = right ? (b.clicks == 2 ? msg::kRButtonDblClk : msg::kRButtonDown)
                       : (b.clicks == 2 ? msg::kLButtonDblClk : msg::kLButtonDown);
  else
    message.id = right ? msg::kRButtonUp : msg::kLButtonUp;
  // The state as the event left it: SDL's current state may already hold a
  // later press or release still on the queue, and a double click needs
  // both downs to carry the same word.
  const int32_t button = right ? msg::kMkRButton : msg::kMkLButton;
  int32_t state = keyStateOf(SDL_GetMouseState(nullptr, nullptr));
  state = down ? (state | button) : (state & ~button);
  message.wparam = state | (right ? msg::kMkRightFlag : 0);
  message.x = b.x;
  message.y = b.y;
  return true;
}

bool translateWindowEvent(const SDL_WindowEvent& w, Message& message) {
  switch (w.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      message.id = msg::kPaint;
      return true;
    case SDL_WINDOWEVENT_CLOSE:
      message.id = msg::kClose;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      message.id = msg::kActivateApp;
      message.wparam = w.event == SDL_WINDOWEVENT_FOCUS_GAINED ? 1 : 0;
      return true;
    default:
      return false;
  }
}

// The program's key codes: letters and digits as their capital character,
// the named keys as the classic virtual-key numbers.
int32_t sdlKeyCode(SDL_Keycode key) {
  if (key >= 'a' && key <= 'z') return int32_t(key - 'a' + 'A');
  if ((key >= '0' && key <= '9') || key == ' ') return int32_t(key);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + int32_t(key - SDLK_F1);
  switch (key) {
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN: return 0x0D;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL: case SDLK_RCTRL: return 0x11;
    case SDLK_LALT: case SDLK_RALT: return 0x12;
    default: return int32_t(key & 0xFFFF);
  }
}

// Return: the key data of a key event: the PC scan code and extended flag in
// bits 16 to 24, Alt in bit 29, a repeat count of 1.
int32_t keyDataOf(const SDL_KeyboardEvent& key) {
  const int32_t pc = pcScanCode(key.keysym.scancode);
  return (pc & 0x1FF) << 16 | ((key.keysym.mod & KMOD_ALT) ? msg::kKeyDataAlt : 0) | 1;
}

// Puts a mouse message's position into its window's client coordinates.
// Return: whether the message has a window.
bool toClient(Message& message) {
  if (!message.window) return false;
  static_cast<SdlWindow*>(message.window)->toClient(message.x, message.y);
  return true;
}

}  // namespace

bool SdlWindowSystem::translate(const void* raw, Message& message) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
  message = Message{};
  switch (e.type) {
    case SDL_MOUSEMOTION:
      message.window = windowById(e.motion.windowID);
      message.id = msg::kMouseMove;
      message.wparam = keyStateOf(e.motion.state);
      message.x = e.motion.x;
      message.y = e.motion.y;
      return toClient(message);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      message.window = windowById(e.button.windowID);
      return message.window && translateButton(e.button, e.type == SDL_MOUSEBUTTONDOWN, message) &&
             toClient(message);
    case SDL_MOUSEWHEEL:
      message.window = windowById(e.wheel.windowID);
      message.id = msg::kMouseWheel;
      message.wheel = e.wheel.y * 120;
      message.wparam = keyStateOf(SDL_GetMouseState(&message.x, &message.y));
      return toClient(message);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      message.window = windowById(e.key.windowID);
      message.id = e.type == SDL_KEYUP ? msg::kKeyUp : (e.key.keysym.mod & KMOD_ALT) ? msg::kSysKeyDown : msg::kKeyDown;
      message.wparam = sdlKeyCode(e.key.keysym.sym);
      message.lparam = keyDataOf(e.key);
      message.modifiers = ((e.key.keysym.mod & KMOD_SHIFT) ? msg::kModShift : 0) |
                          ((e.key.keysym.mod & KMOD_CTRL) ? msg::kModCtrl : 0);
      return message.window != nullptr;
    case SDL_WINDOWEVENT:
      message.window = windowById(e.window.windowID);
      if (message.window && !message.window->handler() && e.window.event == SDL_WINDOWEVENT_EXPOSED) {
        message.window->present();  // a window without a procedure (the splash) repaints itself
        return false;
      }
      return message.window && translateWindowEvent(e.window, message);
    case SDL_QUIT:
      message.window = windows_.empty() ? nullptr : windows_.front();
      message.id = msg::kClose;
      return message.window != nullptr;
    case SDL_DROPFILE:
      if (e.drop.file) dropped_.push_back(e.drop.file);
      SDL_free(e.drop.file);
      return false;
    case SDL_DROPCOMPLETE:
      message.window = windowById(e.drop.windowID);
      message.id = msg::kDropFiles;
      message.files.swap(dropped_);
      dropped_.clear();
      return message.window && message.window->handler() &&
             static_cast<SdlWindow*>(message.window)->acceptsFiles() && !message.files.empty();
    case SDL_JOYAXISMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      return joystick_.translate(e, message);
    default:
      return false;
  }
}

std::string SdlWindowSystem::keyName(int32_t scanCode) const {
  const SDL_Scancode code = sdlScancodeOf(scanCode & 0x1FF);
  return code == SDL_SCANCODE_UNKNOWN ? std::string() : std::string(SDL_GetScancodeName(code));
}

bool SdlWindowSystem::captureJoystick(Window* window, int32_t& minimumX, int32_t& rangeX) {
  return joystick_.capture(window, minimumX, rangeX);
}

}  // namespace zarnel
