#include "platform/posix/SdlJoystick.h"

#include <SDL.h>

#include "platform/WindowSystem.h"

namespace zarnel {

namespace {

// The buttons a joystick message tells of: four, as bits 0x1 to 0x8.
constexpr int32_t kButtons = 4;

}  // namespace

SdlJoystick::~SdlJoystick() {
  close();
  if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool SdlJoystick::capture(Window* window, int32_t& minimumX, int32_t& rangeX) {
  minimumX = 0;
  rangeX = 65535;
  window_ = window;
  if (!started_) started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
  if (!started_) return false;
  if (!joystick_ && SDL_NumJoysticks() > 0) open(0);
  return true;
}

void SdlJoystick::open(int32_t deviceIndex) {
  joystick_ = SDL_JoystickOpen(deviceIndex);
  instance_ = joystick_ ? SDL_JoystickInstanceID(joystick_) : -1;
}

void SdlJoystick::close() {
  if (joystick_) SDL_JoystickClose(joystick_);
  joystick_ = nullptr;
  instance_ = -1;
}

int32_t SdlJoystick::buttonsHeld() const {
  int32_t held = 0;
  for (int32_t b = 0; b < kButtons; ++b)
    if (SDL_JoystickGetButton(joystick_, b)) held |= 1 << b;
  return held;
}

int32_t SdlJoystick::axis(int32_t index) const { return int32_t(SDL_JoystickGetAxis(joystick_, index)) + 32768; }

bool SdlJoystick::translate(const SDL_Event& e, Message& message) {
  switch (e.type) {
    case SDL_JOYDEVICEADDED:
      if (!joystick_) open(e.jdevice.which);
      return false;
    case SDL_JOYDEVICEREMOVED:
      if (e.jdevice.which == instance_) close();
      return false;
    case SDL_JOYAXISMOTION:
      if (!window_ || !joystick_ || e.jaxis.which != instance_ || e.jaxis.axis > 1) return false;
      message.window = window_;
      message.id = msg::kJoy1Move;
      message.wparam = buttonsHeld();
      message.lparam = int32_t(uint32_t(axis(0)) | uint32_t(axis(1)) << 16);
      return true;
    case SDL_JOYBUTTONDOWN:
      if (!window_ || !joystick_ || e.jbutton.which != instance_ || e.jbutton.button >= kButtons) return false;
      message.window = window_;
      message.id = msg::kJoy1ButtonDown;
      message.wparam = buttonsHeld() | (msg::kJoyButton1Changed << e.jbutton.button);
      return true;
    default:
      return false;
  }
}

}  // namespace zarnel
