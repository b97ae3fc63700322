#pragma once
// A text display of the skin ("textzone"): desk and clock values through
// its display format (TextFormatter), or the desk's status message. A click
// switches to the second format when there is one.

#include <cstdint>
#include <optional>
#include <string>

#include "skin/SkinLook.h"
#include "skin/TextLayout.h"
#include "skin/Widget.h"

namespace zarnel {

class TextPainter;

// Return: the message a zone with "geterrormessage" shows for a desk status:
// the desk's own message for 152, the localised text for 153, 156 and 157,
// and nothing for any other code (the zone shows only its background).
// UI thread (reads the process-wide texts).
std::string statusText(int32_t status, const std::string& deskMessage);

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
  // The background, then the desk's status message (with
  // "geterrormessage" and a non-zero status) or the current format; marks
  // the zone for repaint unless a "song_pos" slider repaints it.
  void draw() override;
  // Switches between the formats; with "resetcounter" restarts the counter.
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  // The first binding to a clock starts the counter.
  void bind(const WidgetContext* context) override;

 private:
  // Return: whether the status message mode applies (drawn when it has a text).
  bool drawStatus(TextPainter& painter);
  void drawFormat(TextPainter& painter);
  // Return: the steady clock's milliseconds: the zone values', else the
  // mouse host's; none without either.
  std::optional<int64_t> now() const;

  TextFormat first_;
  std::optional<TextFormat> second_;
  bool errorMessages_ = false, resetCounter_ = false, onSongPos_ = false;
  bool showSecond_ = false;
  int64_t counterStart_ = 0;
  bool counterStarted_ = false;
};

}  // namespace zarnel
