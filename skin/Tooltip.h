#pragma once
// The tooltip balloon ("ZARNELT"): a popup that shows a widget's tooltip
// text once the pointer has rested 500 ms, shaped like the balloon picture.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "skin/SkinLook.h"
#include "skin/TextRenderer.h"

namespace zarnel {

inline constexpr int32_t kTooltipTimer = 168;
inline constexpr int32_t kTooltipDelayMs = 500;
inline constexpr int32_t kBalloonHeight = 30;

// UI thread.
class Tooltip : public MessageHandler {
 public:
  enum class State { kHidden, kWaiting, kShown };

  // balloon: the 29 × 30 picture (see BalloonImage.h). Pre: windows and
  // text outlive the tooltip.
  Tooltip(WindowSystem& windows, const TextRenderer& text, Bitmap balloon);
  ~Tooltip() override;

  // Makes the hidden popup window. Return: false when it cannot be made
  // (the program then runs without tooltips).
  bool create();

  // The balloon for text at screen point (x, y): an empty text hides it;
  // the same text already shown moves the balloon to the point and
  // repaints it; any other text hides it and shows it 500 ms after the
  // last such call.
  void show(int32_t x, int32_t y, const std::string& text);
  // Stops the wait, or hides the balloon and drops its shape.
  void hide();

  State state() const { return state_; }
  const std::string& text() const { return text_; }
  Window* window() const { return window_.get(); }
  // Timer 168, and any mouse button or move over the balloon, which hides it.
  intptr_t handle(const Message& message) override;

 private:
  void appear();
  // Puts the window, width pixels wide, at the balloon's place.
  void place(int32_t width);
  // Draws the body width pixels wide with the text at (margin, margin).
  void drawBalloon(int32_t width, int32_t margin);
  // Return: the window's shape for a balloon width pixels wide.
  std::vector<uint8_t> shapeFor(int32_t width) const;
  bool clearAt(int32_t x, int32_t y) const;
  uint32_t imagePixel(int32_t x, int32_t y) const;
  // Return: the image column that balloon column x of width shows.
  int32_t imageColumn(int32_t x, int32_t width) const;

  WindowSystem& windows_;
  const TextRenderer& textRenderer_;
  Bitmap balloon_;
  FontDescription font_;
  std::unique_ptr<Window> window_;
  State state_ = State::kHidden;
  std::string text_;
  int32_t x_ = 0, y_ = 0;  // the window's place
};

}  // namespace zarnel
