#include "skin/Tooltip.h"

#include <algorithm>

#include "skin/BalloonImage.h"

namespace zarnel {

namespace {

constexpr uint32_t kTextColour = 0x000000;
// Where the balloon sits relative to the pointer: its tip just above it.
constexpr int32_t kOffsetX = -2, kOffsetY = -31;
// A longer text is cut: no window grows without bound.
constexpr int32_t kMaxBalloonWidth = 4096;

}  // namespace

Tooltip::Tooltip(WindowSystem& windows, const TextRenderer& text, Bitmap balloon)
    : windows_(windows), textRenderer_(text), balloon_(std::move(balloon)) {
  if (balloon_.width != kBalloonImageWidth || balloon_.height != kBalloonImageHeight ||
      balloon_.pixels.size() != size_t(kBalloonImageWidth) * kBalloonImageHeight)
    balloon_ = makeBalloonImage();  // a picture of another size cannot be cut into its parts
}

Tooltip::~Tooltip() {
  if (window_) window_->setHandler(nullptr);
}

bool Tooltip::create() {
  WindowSpec spec{"ZARNELT", "", 0, 0, kBalloonImageWidth, kBalloonHeight, true};
  window_ = windows_.createWindow(spec);
  if (!window_) return false;
  window_->setHandler(this);
  return true;
}

void Tooltip::show(int32_t x, int32_t y, const std::string& text) {
  if (!window_) return;
  if (text.empty()) return hide();
  x_ = x + kOffsetX;
  y_ = y + kOffsetY;
  if (state_ == State::kShown && text == text_) {
    window_->moveBy(x_ - window_->screenX(), y_ - window_->screenY());
    window_->present();
    return;
  }
  if (state_ == State::kShown) window_->show(false);
  text_ = text;
  state_ = State::kWaiting;
  window_->setTimer(kTooltipTimer, kTooltipDelayMs);
}

void Tooltip::hide() {
  if (!window_) return;
  if (state_ == State::kWaiting) window_->killTimer(kTooltipTimer);
  if (state_ == State::kShown) {
    window_->show(false);
    window_->setShape({});
  }
  state_ = State::kHidden;
}

intptr_t Tooltip::handle(const Message& m) {
  switch (m.id) {
    case msg::kTimer:
      if (m.wparam == kTooltipTimer) appear();
      return 0;
    case msg::kPaint:
      window_->present();
      return 0;
    case msg::kMouseMove:
    case msg::kLButtonDown:
    case msg::kLButtonUp:
    case msg::kRButtonDown:
    case msg::kRButtonUp:
    case msg::kLButtonDblClk:
    case msg::kRButtonDblClk:
      hide();
      return 0;
    default:
      return 0;
  }
}

// The text is measured now, so that the wait costs nothing.
void Tooltip::appear() {
  window_->killTimer(kTooltipTimer);
  if (state_ != State::kWaiting) return;
  const TextExtent size = textRenderer_.measure(font_, text_);
  const int32_t margin = std::max((kBalloonBodyHeight - size.height) / 2, 0);
  const int64_t wanted = int64_t(std::max(size.width, 0)) + 2 * margin;
  const int32_t width = int32_t(std::clamp<int64_t>(wanted, kBalloonImageWidth, kMaxBalloonWidth));
  place(width);
  const bool shaped = window_->setShape(shapeFor(width));
  drawBalloon(width, margin);
  if (!shaped) {
    // Unshaped, the transparent corners take the body's colour.
    uint32_t* p = window_->backBuffer();
    const uint32_t body = imagePixel(kBalloonStretch, kBalloonBodyHeight / 2);
    for (int32_t y = 0; y < kBalloonHeight; ++y)
      for (int32_t x = 0; x < width; ++x)
        if (clearAt(imageColumn(x, width), y)) p[y * width + x] = body;
  }
  window_->show(true);
  state_ = State::kShown;
}

// A fresh window made in place, as some window systems leave a hidden
// window where it was made whatever moves it was given; the old one serves
// when no new one can be made.
void Tooltip::place(int32_t width) {
  std::unique_ptr<Window> fresh = windows_.createWindow(WindowSpec{"ZARNELT", "", x_, y_, width, kBalloonHeight, true});
  if (fresh) {
    window_->setHandler(nullptr);
    window_ = std::move(fresh);
    window_->setHandler(this);
  } else {
    window_->setBounds(x_, y_, width, kBalloonHeight);
  }
}

int32_t Tooltip::imageColumn(int32_t x, int32_t width) const {
  if (x < kBalloonLeftEnd) return x;
  if (x >= width - kBalloonRightEnd) return kBalloonImageWidth - (width - x);
  return kBalloonStretch;
}

uint32_t Tooltip::imagePixel(int32_t x, int32_t y) const { return balloon_.pixels[size_t(y) * kBalloonImageWidth + x]; }

bool Tooltip::clearAt(int32_t column, int32_t y) const { return imagePixel(column, y) == balloon_.pixels[0]; }

void Tooltip::drawBalloon(int32_t width, int32_t margin) {
  uint32_t* p = window_->backBuffer();
  for (int32_t y = 0; y < kBalloonHeight; ++y)
    for (int32_t x = 0; x < width; ++x) p[y * width + x] = imagePixel(imageColumn(x, width), y);
  textRenderer_.draw(font_, text_, kTextColour, PixelTarget{p, width, kBalloonHeight, width}, margin, margin);
}

// The body's rectangle (columns 22 to width - 6, rows 0 to 22) and the
// picture's own pixels at both ends.
std::vector<uint8_t> Tooltip::shapeFor(int32_t width) const {
  std::vector<uint8_t> mask(size_t(width) * kBalloonHeight, 0);
  for (int32_t y = 0; y < kBalloonHeight; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const bool body = x >= kBalloonLeftEnd && x < width - kBalloonRightEnd;
      const bool in = body ? y < kBalloonBodyHeight : !clearAt(imageColumn(x, width), y);
      mask[size_t(y) * width + x] = in ? 1 : 0;
    }
  }
  return mask;
}

}  // namespace zarnel
