#pragma once
// Joystick 1 through SDL's joystick service: the first joystick plugged in
// is opened (also one plugged in later, or again after it was pulled out),
// and its moves and button presses become kJoy1Move and kJoy1ButtonDown
// messages for the window that captured it. X and Y run 0 to 65535.

#include <cstdint>

union SDL_Event;
struct _SDL_Joystick;

namespace zarnel {

class Window;
struct Message;

// UI thread.
class SdlJoystick {
 public:
  SdlJoystick() = default;
  ~SdlJoystick();
  SdlJoystick(const SdlJoystick&) = delete;
  SdlJoystick& operator=(const SdlJoystick&) = delete;

  // Starts SDL's joystick service and sends to window (null: stop).
  // Post: minimumX 0 and rangeX 65535. Return: false without the service.
  bool capture(Window* window, int32_t& minimumX, int32_t& rangeX);
  // Turns a joystick event into a message. Return: false for none.
  bool translate(const SDL_Event& e, Message& message);

 private:
  void open(int32_t deviceIndex);
  void close();
  int32_t buttonsHeld() const;
  int32_t axis(int32_t index) const;

  bool started_ = false;
  Window* window_ = nullptr;
  _SDL_Joystick* joystick_ = nullptr;
  int32_t instance_ = -1;
};

}  // namespace zarnel
