#include "app/SkinReflection.h"

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

// Two "play" buttons of desk 1, one of desk 2, one without chan, and
// "level" sliders likewise, drawn on a surface so that redraws show.
struct Reflected {
  Reflected() {
    const std::string place = "<size width='10' height='10'/>";
    std::string xml;
    int x = 0;
    for (const char* chan : {" chan='1'", " chan='1'", " chan='2'", ""}) {
      const std::string pos = "<pos x='" + std::to_string(x) + "' y='0'/>";
      xml += "<button action='play'" + std::string(chan) + ">" + place + pos +
             "<up x='0' y='100'/><selected x='10' y='100'/></button>";
      xml += "<slider action='level'" + std::string(chan) + " orientation='horizontal'>" + place +
             "<pos x='" + std::to_string(x) + "' y='20'/><up x='0' y='120'/></slider>";
      x += 20;
    }
    Bitmap image = test::solidImage(800, 600, 0x101010);
    for (int32_t y = 100; y < 110; ++y)
      for (int32_t i = 0; i < 20; ++i) test::setPixel(image, i, y, i < 10 ? 0x0000FF : 0xFF0000);
    skin = test::buildFrom(test::skinXml(xml), image);
    reflection.setSkin(skin.get());
  }
  std::vector<bool> selected() const {
    std::vector<bool> out;
    for (auto& b : skin->buttons) out.push_back(b->selected());
    return out;
  }
  std::unique_ptr<Skin> skin;
  SkinReflection reflection;
};

TEST(SkinReflection, EachOperationReachesEveryWidgetOfItsActionAndDeskOnly) {
  Reflected r;
  ASSERT_EQ(r.skin->buttons.size(), 4u);
  // The skin's list holds the last widget of the file first: no chan, desk 2, desk 1, desk 1.
  r.reflection.setButtonSelected(button::kPlay, 0, true);
  EXPECT_EQ(r.selected(), (std::vector<bool>{false, false, true, true}));
  r.reflection.setButtonSelected(button::kPlay, -1, true);
  EXPECT_EQ(r.selected(), (std::vector<bool>{true, false, true, true}));
  r.reflection.setButtonSelected(button::kPause, 1, true);  // no such button
  EXPECT_FALSE(r.skin->buttons[1]->selected());
  r.reflection.setButtonTooltip(button::kPlay, 1, "Play desk 2");
  EXPECT_EQ(r.skin->buttons[1]->tooltip(), "Play desk 2");
  EXPECT_EQ(r.skin->buttons[2]->tooltip(), "");
  r.reflection.setSliderValue(kSliderLevel, 0, 5000);  // the slider clamps
  EXPECT_EQ(r.skin->sliders[2]->value(), 4096);
  EXPECT_EQ(r.skin->sliders[3]->value(), 4096);
  EXPECT_EQ(r.skin->sliders[1]->value(), 0);
  r.reflection.setSliderVisible(kSliderLevel, 1, false);
  EXPECT_FALSE(r.skin->sliders[1]->visible());
  EXPECT_TRUE(r.skin->sliders[0]->visible());
  r.reflection.setButtonVisible(button::kPlay, -1, false);
  EXPECT_FALSE(r.skin->buttons[0]->visible());
  EXPECT_FALSE(r.skin->buttons[0]->hitTest(65, 5));  // a hidden widget is never hit
  r.reflection.setSkin(nullptr);  // between skins: nothing to do
  r.reflection.setButtonSelected(button::kPlay, 1, true);
  r.reflection.setSliderValue(kSliderLevel, 1, 7);
}

TEST(SkinReflection, AHiddenButtonIsDrawnAsBackgroundAndShownAgainInItsState) {
  Reflected r;
  std::vector<uint32_t> back(800 * 600, 0);
  DrawSurface surface(back.data(), 800, 600, &r.skin->surface);
  test::FakeHost host;
  WidgetContext context;
  context.surface = &surface;
  context.host = &host;
  r.skin->bind(&context);
  r.skin->drawAll();
  r.reflection.setButtonSelected(button::kPlay, 0, true);
  EXPECT_EQ(back[5 * 800 + 5], 0xFF0000u);  // the selected image
  r.reflection.setButtonVisible(button::kPlay, 0, false);
  EXPECT_EQ(back[5 * 800 + 5], 0x101010u);  // the skin's background
  r.reflection.setButtonVisible(button::kPlay, 0, true);
  EXPECT_EQ(back[5 * 800 + 5], 0xFF0000u);
  r.skin->bind(nullptr);
}

}  // namespace
}  // namespace zarnel
