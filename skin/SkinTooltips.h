#pragma once
// Gives a skin's buttons and sliders their tooltips from the language table:
// a button's slot is its action, a slider's its kind (a slider with a knob
// passes its text to the knob).

namespace zarnel {

class Localisation;
struct Skin;

// Sets the tooltip of every button and slider of skin from texts; knobs take
// their slider's. UI thread.
void applySkinTooltips(Skin& skin, const Localisation& texts);

}  // namespace zarnel
