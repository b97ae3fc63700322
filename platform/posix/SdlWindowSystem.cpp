#include "platform/posix/SdlWindowSystem.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/posix/SdlWindow.h"
#include "platform/posix/SessionSignals.h"

namespace zarnel {

namespace {

// Return: the folder for the per-user lock file.
std::string lockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  return "/tmp";
}

}  // namespace

SdlWindowSystem::SdlWindowSystem() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  ready_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  installSessionSignals();
}

SdlWindowSystem::~SdlWindowSystem() {
  releaseInstance();
  if (ready_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int64_t SdlWindowSystem::nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::unique_ptr<Window> SdlWindowSystem::createWindow(const WindowSpec& spec) {
  if (!ready_ || spec.width <= 0 || spec.height <= 0) return nullptr;
  SDL_Window* window = spec.popup ? createPopup(spec)
                                  : SDL_CreateWindow(spec.title.c_str(), spec.x, spec.y, spec.width, spec.height,
                                                     SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (!window) return nullptr;
  return std::make_unique<SdlWindow>(*this, window, spec.width, spec.height);
}

// A popup is a borderless window that stays on top and out of the task bar;
// setShape() cuts it to its picture.
SDL_Window* SdlWindowSystem::createPopup(const WindowSpec& spec) {
  const uint32_t flags =
      SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
  return SDL_CreateWindow(spec.title.c_str(), spec.x, spec.y, spec.width, spec.height, flags);
}

// The splash takes its shape before it first shows, so nothing outside the
// picture ever reaches the screen; where windows cannot be shaped it is black
// outside the picture.
std::unique_ptr<Window> SdlWindowSystem::createSplash(const Bitmap& image, const std::vector<uint8_t>& mask,
                                                      int32_t x, int32_t y) {
  if (!ready_ || image.width <= 0 || image.height <= 0) return nullptr;
  SDL_Window* window = SDL_CreateWindow("", x, y, image.width, image.height,
                                        SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_HIDDEN);
  if (!window) return nullptr;
  auto splash = std::make_unique<SdlWindow>(*this, window, image.width, image.height);
  uint32_t* pixels = splash->backBuffer();
  for (size_t i = 0; i < image.pixels.size(); ++i)
    pixels[i] = i < mask.size() && !mask[i] ? 0 : image.pixels[i];
  splash->setShape(mask);
  splash->show(true);
  return splash;
}

bool SdlWindowSystem::displaySize(int32_t& width, int32_t& height) {
  SDL_DisplayMode mode;
  if (!ready_ || SDL_GetCurrentDisplayMode(0, &mode) != 0) return false;
  width = mode.w;
  height = mode.h;
  return true;
}

bool SdlWindowSystem::claimInstance(const std::string& className) {
  releaseInstance();
  const std::string path = lockFolder() + "/zarnel-" + std::to_string(getuid()) + "-" + className + ".lock";
  lockFd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0) return true;  // no lock possible: let this instance run
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) return true;
  ::close(lockFd_);
  lockFd_ = -1;
  return false;
}

void SdlWindowSystem::releaseInstance() {
  if (lockFd_ < 0) return;
  ::close(lockFd_);  // closing drops the lock
  lockFd_ = -1;
}

MessageBoxAnswer SdlWindowSystem::messageBox(const std::string& text, const std::string& caption,
                                             MessageBoxKind kind) {
  const bool yesNo = kind == MessageBoxKind::yesNo;
  if (ready_) {
    SDL_MessageBoxButtonData yesNoButtons[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
                                               {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"}};
    SDL_MessageBoxButtonData okButton[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"}};
    SDL_MessageBoxData data{};
    data.flags = kind == MessageBoxKind::error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = yesNo ? 2 : 1;
    data.buttons = yesNo ? yesNoButtons : okButton;
    int pressed = 0;
    if (SDL_ShowMessageBox(&data, &pressed) == 0) {
      if (!yesNo) return MessageBoxAnswer::ok;
      return pressed == 1 ? MessageBoxAnswer::yes : MessageBoxAnswer::no;
    }
  }
  // No display to ask on: tell the terminal, and take the cautious answer.
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  return yesNo ? MessageBoxAnswer::no : MessageBoxAnswer::ok;
}

SdlWindow* SdlWindowSystem::windowById(uint32_t id) const {
  for (SdlWindow* w : windows_)
    if (w->sdlId() == id) return w;
  return nullptr;
}

bool SdlWindowSystem::takePosted(Message& message) { return posted_.pop(message); }

// A noted signal waits until a window with a procedure (the main window)
// exists to close the program the way closing that window does.
bool SdlWindowSystem::takeSessionEnd(Message& message) {
  if (zarnel::takeSessionEnd()) sessionEnding_ = true;
  if (!sessionEnding_) return false;
  for (SdlWindow* w : windows_) {
    if (!w->handler()) continue;
    sessionEnding_ = false;
    message = Message{};
    message.window = w;
    message.id = msg::kEndSession;
    message.wparam = 1;
    return true;
  }
  return false;
}

int64_t SdlWindowSystem::nextTimerDue() const {
  int64_t due = INT64_MAX;
  for (const SdlWindow* w : windows_)
    for (const auto& entry : w->timers_) due = std::min(due, entry.second.due);
  return due;
}

bool SdlWindowSystem::takeTimer(Message& message, int64_t now) {
  for (SdlWindow* w : windows_) {
    for (auto& [id, timer] : w->timers_) {
      if (timer.due > now) continue;
      // A late timer fires once and then keeps its period from now.
      timer.due = std::max(timer.due + timer.period, now + 1);
      message = Message{};
      message.window = w;
      message.id = msg::kTimer;
      message.wparam = id;
      return true;
    }
  }
  return false;
}

bool SdlWindowSystem::peekMessage(Message& message, int32_t timeoutMs) {
  const int64_t until = nowMs() + timeoutMs;
  for (;;) {
    if (takeSessionEnd(message)) return true;
    if (takePosted(message)) return true;
    const int64_t now = nowMs();
    if (takeTimer(message, now)) return true;
    SDL_Event event;
    // Posted messages have no wake-up of their own: wait in short slices.
    const int64_t wait = std::clamp<int64_t>(std::min(nextTimerDue(), until) - now, 0, 10);
    if (ready_ && SDL_WaitEventTimeout(&event, int(wait))) {
      if (translate(&event, message)) return true;
      continue;
    }
    if (!ready_ && wait > 0) SDL_Delay(uint32_t(wait));
    if (nowMs() >= until) return false;
  }
}

bool SdlWindowSystem::getMessage(Message& message) {
  while (!quit_) {
    if (peekMessage(message, 50)) return true;
  }
  return false;
}

}  // namespace zarnel
