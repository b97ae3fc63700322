#include "skin/SkinTooltips.h"

#include <gtest/gtest.h>

#include "app/Localisation.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

TEST(SkinTooltips, ButtonsByActionSlidersByKindKnobsByTheirSlider) {
  auto skin = test::buildFrom(test::skinXml(
      "<button action='play'><size width='4' height='4'/><pos x='0' y='0'/></button>"
      "<slider orientation='horizontal' action='level'><size width='100' height='20'/><pos x='0' y='0'/>"
      "<fader><size width='20' height='20'/><pos x='0' y='0'/></fader></slider>"));
  ASSERT_NE(skin, nullptr);
  Localisation texts;
  applySkinTooltips(*skin, texts);
  const Button& knob = *skin->buttons[0];
  const Button& play = *skin->buttons[1];
  EXPECT_EQ(play.tooltip(), std::string(texts.text(TextSection::kToolTipButtons, 5)));
  EXPECT_FALSE(play.tooltip().empty());
  EXPECT_EQ(skin->sliders[0]->tooltip(), std::string(texts.text(TextSection::kToolTipSliders, 3)));
  EXPECT_EQ(knob.tooltip(), skin->sliders[0]->tooltip());
}

}  // namespace
}  // namespace zarnel
