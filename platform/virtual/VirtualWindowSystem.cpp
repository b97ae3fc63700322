#include "platform/virtual/VirtualWindowSystem.h"

#include <algorithm>

namespace zarnel {

VirtualWindow::VirtualWindow(VirtualWindowSystem& system, const WindowSpec& spec)
    : system_(system), record_(system.history_.size()), spec_(spec),
      pixels_(size_t(spec.width) * size_t(spec.height), 0), screen_(pixels_) {
  system_.windows_.push_back(this);
  system_.history_.push_back(VirtualWindowSystem::WindowRecord{spec, system.now_});
}

VirtualWindow::~VirtualWindow() {
  std::erase(system_.windows_, this);
  system_.history_[record_].destroyedAt = system_.now_;
  if (system_.joystickWindow_ == this) system_.joystickWindow_ = nullptr;
}

void VirtualWindow::show(bool visible) {
  if (visible && !visible_) shownAt_ = system_.history_[record_].shownAt = system_.now_;
  visible_ = visible;
}

void VirtualWindow::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
  spec_.x = x;
  spec_.y = y;
  spec_.width = width;
  spec_.height = height;
  system_.history_[record_].spec = spec_;
  pixels_.assign(size_t(width) * size_t(height), 0);
  screen_ = pixels_;
}

void VirtualWindow::present() {
  ++presented_;
  screen_ = pixels_;
}

void VirtualWindow::presentRects(const WindowRect* rects, int32_t count) {
  ++rectPresents_;
  for (int32_t i = 0; i < count; ++i) {
    const WindowRect& r = rects[i];
    const int32_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int32_t x1 = std::min<int64_t>(int64_t(r.x) + r.width, spec_.width);
    const int32_t y1 = std::min<int64_t>(int64_t(r.y) + r.height, spec_.height);
    if (x1 <= x0 || y1 <= y0) continue;
    rects_.push_back({x0, y0, x1 - x0, y1 - y0});
    for (int32_t y = y0; y < y1; ++y) {
      const size_t row = size_t(y) * size_t(spec_.width);
      std::copy(pixels_.begin() + row + x0, pixels_.begin() + row + x1, screen_.begin() + row + x0);
    }
  }
  // A long run keeps only the recent past.
  if (rects_.size() > 4096) rects_.erase(rects_.begin(), rects_.begin() + 2048);
}

void VirtualWindow::moveBy(int32_t dx, int32_t dy) {
  spec_.x += dx;
  spec_.y += dy;
  system_.history_[record_].spec = spec_;
}

bool VirtualWindow::setFullScreen(bool on) {
  if (on && refuseFullScreen_) return false;
  fullScreen_ = on;
  return true;
}

bool VirtualWindow::setShape(const std::vector<uint8_t>& mask) {
  if (!mask.empty() && mask.size() != size_t(spec_.width) * size_t(spec_.height)) return false;
  shape_ = mask;
  return true;
}

void VirtualWindow::setTimer(int32_t id, int32_t periodMs) {
  timers_[id] = Timer{std::max(periodMs, 1), system_.now_ + std::max(periodMs, 1)};
}

void VirtualWindow::killTimer(int32_t id) { timers_.erase(id); }

bool VirtualWindow::post(uint32_t id, int32_t wparam, int32_t lparam) {
  return system_.posted_.push(PostedMessage{this, id, wparam, lparam});
}

std::map<int32_t, int32_t> VirtualWindow::timers() const {
  std::map<int32_t, int32_t> out;
  for (const auto& [id, timer] : timers_) out[id] = timer.period;
  return out;
}

std::unique_ptr<Window> VirtualWindowSystem::createWindow(const WindowSpec& spec) {
  return std::make_unique<VirtualWindow>(*this, spec);
}

std::unique_ptr<Window> VirtualWindowSystem::createSplash(const Bitmap& image, const std::vector<uint8_t>&,
                                                          int32_t x, int32_t y) {
  splash_ = image;
  splashShown_ = now_;
  auto window = std::make_unique<VirtualWindow>(*this, WindowSpec{"ZARNELS", "", x, y, image.width, image.height});
  window->show(true);
  return window;
}

bool VirtualWindowSystem::displaySize(int32_t& width, int32_t& height) {
  if (displayWidth_ <= 0) return false;
  width = displayWidth_;
  height = displayHeight_;
  return true;
}

bool VirtualWindowSystem::claimInstance(const std::string&) {
  if (otherInstance_) return false;
  claimed_ = true;
  return true;
}

MessageBoxAnswer VirtualWindowSystem::messageBox(const std::string& text, const std::string& caption,
                                                 MessageBoxKind kind) {
  boxes_.push_back(Box{text, caption, kind});
  if (kind != MessageBoxKind::yesNo) return MessageBoxAnswer::ok;
  if (answers_.empty()) return MessageBoxAnswer::yes;
  MessageBoxAnswer answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

void VirtualWindowSystem::schedule(int64_t atMs, const std::string& className, Message message) {
  scheduled_.push_back(Scheduled{atMs, className, std::move(message)});
  std::stable_sort(scheduled_.begin(), scheduled_.end(),
                   [](const Scheduled& a, const Scheduled& b) { return a.at < b.at; });
}

VirtualWindow* VirtualWindowSystem::find(const std::string& className) const {
  for (VirtualWindow* w : windows_)
    if (w->spec().className == className) return w;
  return nullptr;
}

// Return: true with the earliest scripted message due by limit.
bool VirtualWindowSystem::nextDue(Message& message, int64_t limit) {
  if (scheduled_.empty() || scheduled_.front().at > limit) return false;
  Scheduled next = std::move(scheduled_.front());
  scheduled_.erase(scheduled_.begin());
  now_ = std::max(now_, next.at);
  message = std::move(next.message);
  message.window = find(next.className);
  return true;
}

// Return: true with the earliest timer expiry due by limit.
bool VirtualWindowSystem::nextTimer(Message& message, int64_t limit) {
  VirtualWindow* owner = nullptr;
  int32_t id = 0;
  int64_t due = limit + 1;
  for (VirtualWindow* w : windows_) {
    for (auto& [timerId, timer] : w->timers_) {
      if (timer.due < due) owner = w, id = timerId, due = timer.due;
    }
  }
  if (!owner) return false;
  VirtualWindow::Timer& timer = owner->timers_[id];
  now_ = std::max(now_, timer.due);
  timer.due += timer.period;
  message = Message{};
  message.window = owner;
  message.id = msg::kTimer;
  message.wparam = id;
  return true;
}

bool VirtualWindowSystem::peekMessage(Message& message, int32_t timeoutMs) {
  if (posted_.pop(message)) return true;
  const int64_t limit = now_ + timeoutMs;
  const int64_t scriptAt = scheduled_.empty() ? limit + 1 : scheduled_.front().at;
  if (nextTimerDue(limit) < scriptAt && nextTimer(message, limit)) return true;
  if (nextDue(message, limit)) return true;
  now_ = limit;
  return false;
}

int64_t VirtualWindowSystem::nextTimerDue(int64_t limit) const {
  int64_t due = limit + 1;
  for (const VirtualWindow* w : windows_)
    for (const auto& entry : w->timers_) due = std::min(due, entry.second.due);
  return due;
}

bool VirtualWindowSystem::getMessage(Message& message) {
  while (!quit_) {
    if (now_ > deadline_) return false;
    if (peekMessage(message, int32_t(std::min<int64_t>(deadline_ - now_ + 1, 1000)))) return true;
  }
  return false;
}

std::string VirtualWindowSystem::keyName(int32_t scanCode) const {
  if ((scanCode & 0xFF) == 0) return {};
  return "Scan " + std::to_string(scanCode & 0xFF) + ((scanCode & 0x100) ? " ext" : "");
}

bool VirtualWindowSystem::captureJoystick(Window* window, int32_t& minimumX, int32_t& rangeX) {
  minimumX = joystickMinX_;
  rangeX = joystickRangeX_;
  if (!joystick_) return false;
  joystickWindow_ = window;
  return true;
}

}  // namespace zarnel
