#pragma once
// The drawings of the skin's controls, each into a picture of the control's
// size that already holds the background under it.

#include <string>

#include "tools/skinart/Image.h"
#include "tools/skinart/Lettering.h"

namespace zarnel::art {

enum class Icon { none, play, pause, playPause, stop, headphones, close, minimize, maximize };

// The six images a button can have.
enum class ButtonState { up, over, down, selected, overSelected, downSelected };
constexpr ButtonState kButtonStates[6] = {ButtonState::up,       ButtonState::over,
                                          ButtonState::down,     ButtonState::selected,
                                          ButtonState::overSelected, ButtonState::downSelected};

struct ButtonLook {
  std::string label;
  Icon icon = Icon::none;
  uint32_t accent = 0;  // the lit colour of the selected states
  int32_t textHeight = 15;
  double radius = 5;
};

void drawButton(Image& image, const ButtonLook& look, ButtonState state, Lettering& letters);

// A knob: a cap with a pointer in a ring that lights up to the value (from
// the top for a centred knob, from the left end otherwise). value 0..1.
void drawKnob(Image& image, double value, bool centred, uint32_t accent, bool hovered);

// A fader's cap, horizontal (a bar across a vertical slider) or vertical.
void drawFaderCap(Image& image, bool acrossVertical, ButtonState state, uint32_t accent);

// A groove along the middle of box, lit in accent when lit is set.
void drawGroove(Image& image, const Rect& box, bool horizontal, bool lit, uint32_t accent,
                double halfWidth);

// The turning disc at angle (radians, clockwise) over the whole picture.
void drawDisc(Image& image, double angle, uint32_t accent);

// The tone arm at t 0 (at rest) to 1 (on the record), pivot at the top;
// mirrored arms swing to the right.
void drawArm(Image& image, double t, bool mirrored);

// A round beat lamp, lit or not.
void drawLamp(Image& image, bool lit, uint32_t colour);

// An icon in colour centred in box.
void drawIcon(Image& image, Icon icon, const Rect& box, uint32_t colour);

}  // namespace zarnel::art
