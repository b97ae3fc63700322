#include "skin/SkinTooltips.h"

#include <string>

#include "app/Localisation.h"
#include "skin/ActionNames.h"
#include "skin/Skin.h"

namespace zarnel {

void applySkinTooltips(Skin& skin, const Localisation& texts) {
  for (auto& button : skin.buttons) {
    if (button->action() != kActionKnob) {
      button->setTooltip(std::string(texts.text(TextSection::kToolTipButtons, button->action())));
    }
  }
  for (auto& slider : skin.sliders) {
    slider->setTooltip(std::string(texts.text(TextSection::kToolTipSliders, slider->kind())));
  }
}

}  // namespace zarnel
