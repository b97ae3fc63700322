#pragma once
// A text display of the skin ("textzone"). Its formats are kept as the skin
// gives them; until the format language is in place the zone draws its
// background with a faint frame in the current format's colour.

#include <cstdint>
#include <optional>
#include <string>

#include "skin/SkinLook.h"
#include "skin/Widget.h"

namespace zarnel {

enum class TextAlign { kLeft, kRight, kCentre };

struct TextFormat {
  std::string format;  // the display format, as written
  FontDescription font;
  ColourRef colour = 0x00FFFFFFu;  // white
  TextAlign align = TextAlign::kLeft;
};

class TextZone : public Widget {
 public:
  void setFormats(TextFormat first, std::optional<TextFormat> second) {
    first_ = std::move(first);
    second_ = std::move(second);
  }
  const TextFormat& first() const { return first_; }
  const std::optional<TextFormat>& second() const { return second_; }
  // "geterrormessage" and "resetcounter".
  void setFlags(bool errorMessages, bool resetCounter) {
    errorMessages_ = errorMessages;
    resetCounter_ = resetCounter;
  }
  bool showsErrorMessages() const { return errorMessages_; }
  bool resetsCounter() const { return resetCounter_; }
  // Whether the zone lies wholly on a "song_pos" slider, which repaints it.
  void setOnSongPosSlider(bool on) { onSongPos_ = on; }
  bool onSongPosSlider() const { return onSongPos_; }
  // Return: whether the second format shows.
  bool showingSecond() const { return showSecond_; }
  // Return: the tick count the counter runs from.
  int64_t counterStart() const { return counterStart_; }
  void setCounterStart(int64_t ms) { counterStart_ = ms; }
  // Return: the format that shows now.
  const TextFormat& current() const { return showSecond_ && second_ ? *second_ : first_; }

  // Only a zone with a second format takes the mouse.
  bool hitTest(int32_t x, int32_t y) override;
  void draw() override;
  // Switches between the formats; with "resetcounter" restarts the counter.
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;

 private:
  TextFormat first_;
  std::optional<TextFormat> second_;
  bool errorMessages_ = false, resetCounter_ = false, onSongPos_ = false;
  bool showSecond_ = false;
  int64_t counterStart_ = 0;
};

}  // namespace zarnel
