#include "skin/SkinParser.h"

#include <gtest/gtest.h>

#include "skin/ActionNames.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

using test::buildFrom;
using test::skinXml;
using test::solidImage;

std::string button(const std::string& attrs, const std::string& children = "") {
  return "<button" + attrs + "><size width='10' height='10'/><pos x='0' y='0'/>" + children + "</button>";
}

std::string slider(const std::string& attrs, const std::string& children = "") {
  return "<slider" + attrs + "><size width='100' height='20'/><pos x='0' y='0'/>" + children + "</slider>";
}

TEST(SkinParserLists, LastElementInTheFileComesFirst) {
  auto skin = buildFrom(skinXml(button(" action='play'") + button(" action='stop'") + "<other/>" +
                                button(" action='cue' chan='2'") + slider(" orientation='horizontal' action='pitch'") +
                                slider(" orientation='vertical' action='level'")));
  ASSERT_NE(skin, nullptr);
  ASSERT_EQ(skin->buttons.size(), 3u);
  EXPECT_EQ(buttonActionName(skin->buttons[0]->action()), "cue");
  EXPECT_EQ(skin->buttons[0]->desk(), 1);
  EXPECT_EQ(buttonActionName(skin->buttons[1]->action()), "stop");
  EXPECT_EQ(buttonActionName(skin->buttons[2]->action()), "play");
  EXPECT_EQ(skin->buttons[2]->desk(), -1);
  ASSERT_EQ(skin->sliders.size(), 2u);
  EXPECT_EQ(skin->sliders[0]->kind(), kSliderLevel);
  EXPECT_EQ(skin->sliders[1]->kind(), kSliderPitch);
}

TEST(SkinParserLists, KnobJoinsTheButtonsWhereItWasRead) {
  auto skin = buildFrom(skinXml(button(" action='play'") +
                                slider(" orientation='horizontal'",
                                       "<fader><size width='20' height='20'/><pos x='0' y='0'/></fader>") +
                                button(" action='stop'")));
  ASSERT_NE(skin, nullptr);
  ASSERT_EQ(skin->buttons.size(), 3u);
  EXPECT_EQ(buttonActionName(skin->buttons[0]->action()), "stop");
  EXPECT_EQ(skin->buttons[1]->action(), kActionKnob);
  EXPECT_EQ(skin->buttons[1]->owner(), skin->sliders[0].get());
  EXPECT_EQ(skin->sliders[0]->knob(), skin->buttons[1].get());
  // Without an "up" image the knob's "pos" is its image.
  ASSERT_TRUE(skin->buttons[1]->image(Button::kUp));
  EXPECT_EQ(skin->buttons[1]->image(Button::kUp)->x, 0);
}

TEST(SkinParserValues, DefaultsAndNames) {
  auto skin = buildFrom(skinXml(button(" action='NoSuchAction'") + button("") + button(" action='SYNC_PITCH'") +
                                slider(" orientation='Horizontal' action='bogus'") + "<options pitchlevel='together'/>"));
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->buttons[0]->action(), 12);
  EXPECT_EQ(skin->buttons[1]->action(), kActionNothing);
  EXPECT_EQ(skin->buttons[2]->action(), kActionNothing);
  EXPECT_EQ(skin->sliders[0]->kind(), kSliderCrossfader);
  EXPECT_TRUE(skin->pitchLevelTogether);
  EXPECT_EQ(skin->windowWidth, 800);
  EXPECT_EQ(skin->windowHeight, 600);
  EXPECT_TRUE(skin->buttons[0]->visible());
}

TEST(SkinParserRules, EachBrokenRuleMakesTheSkinInvalid) {
  const std::string fader = "<fader><size width='20' height='20'/><pos x='0' y='0'/></fader>";
  const std::string circle = "<circle anglemin='45' anglemax='315'/>";
  const std::string clip = "<clipmask x='0' y='0'/>";
  const std::string text = "<textzone><size width='10' height='10'/><pos x='0' y='0'/>";
  struct Case {
    const char* what;
    std::string body;
  } cases[] = {
      {"two hit areas", button("", "<mouserect x='0' y='0' width='5' height='5'/><mousecircle x='1' y='1' r='2'/>")},
      {"two masks", button("", "<mousemask x='0' y='0'/><mousemask x='10' y='0'/>")},
      {"button rightclick cut", button(" rightclick='cut'")},
      {"button without size", "<button><pos x='0' y='0'/></button>"},
      {"button without pos", "<button><size width='1' height='1'/></button>"},
      {"image without y", button("", "<up x='3'/>")},
      {"chan 3", button(" chan='3'")},
      {"slider without orientation", slider("")},
      {"slider orientation diagonal", slider(" orientation='diagonal'")},
      {"circle without circle child", slider(" orientation='circle'", clip)},
      {"circle without clipmask", slider(" orientation='circle'", circle)},
      {"round without fader", slider(" orientation='round'")},
      {"round with up image", slider(" orientation='round'", "<up x='0' y='0'/><fader><pos x='0' y='0' nb='4'/></fader>")},
      {"round fader without nb", slider(" orientation='round'", "<fader><pos x='0' y='0'/></fader>")},
      {"round fader bad move", slider(" orientation='round'", "<fader move='sideways'><pos x='0' y='0' nb='2'/></fader>")},
      {"round sensibility 0", slider(" orientation='round'", "<fader sensibility='0'><pos x='0' y='0' nb='2'/></fader>")},
      {"slider rightclick other", slider(" orientation='vertical' rightclick='other'")},
      {"slider dblclick bend", slider(" orientation='vertical' dblclick='bend'")},
      {"knob as long as the slider", slider(" orientation='horizontal'",
                                            "<fader><size width='99' height='20'/><pos x='0' y='0'/></fader>")},
      {"textzone without text", text + "</textzone>"},
      {"textzone without format", text + "<text font='Arial'/></textzone>"},
      {"textzone text2 without format", text + "<text format='%time'/><text2/></textzone>"},
      {"scratch without chan", "<scratch><size width='9' height='9'/><pos x='0' y='0'/></scratch>"},
      {"second rhythm", "<rhythm><size width='9' height='9'/><pos x='0' y='0'/><color/></rhythm>"
                        "<rhythm><size width='9' height='9'/><pos x='0' y='0'/><color/></rhythm>"},
      {"rhythm without colours or images", "<rhythm><size width='9' height='9'/><pos x='0' y='0'/></rhythm>"},
      {"second browser", test::kBrowser},
      {"browser options without font", "<browser><size width='9' height='9'/><pos x='0' y='0'/><options/></browser>"},
      {"negative size", "<dropzone><size width='-1' height='9'/><pos x='0' y='0'/></dropzone>"},
      {"widget outside the window", "<dropzone><size width='20' height='9'/><pos x='790' y='0'/></dropzone>"},
      {"image outside the bitmap", button("", "<down x='795' y='0'/>")},
      {"mask outside the bitmap", button("", "<mousemask x='0' y='595'/>")},
      {"round strip outside the bitmap",
       slider(" orientation='round'", "<fader><pos x='0' y='0' nb='40' nbx='10'/></fader>")},
  };
  for (const Case& c : cases) EXPECT_EQ(buildFrom(skinXml(c.body)), nullptr) << c.what;
}

TEST(SkinParserRules, WhatStaysValid) {
  const std::string clip = "<clipmask x='0' y='0'/>";
  EXPECT_NE(buildFrom(skinXml(slider(" orientation='horizontal' rightclick='cut'"))), nullptr);
  EXPECT_NE(buildFrom(skinXml(button(" rightclick='BEND'"))), nullptr);
  EXPECT_NE(buildFrom(skinXml(slider(" orientation='circle'", clip + "<circle/>"))), nullptr);
  // A round strip of 12 frames of 100 × 20 in rows of 8: 800 × 40.
  EXPECT_NE(buildFrom(skinXml(slider(" orientation='round'", "<fader><pos x='0' y='0' nb='12' nbx='8'/></fader>"))),
            nullptr);
  EXPECT_NE(buildFrom(skinXml(button("", "<mousemask x='0' y='590'/>"))), nullptr);
  EXPECT_NE(buildFrom(skinXml(slider(" orientation='circle'", clip + "<circle anglemin='-3600' anglemax='3600'/>"))),
            nullptr);
  // A 0 × 0 round knob without "sensibility": the default is at least 1.
  auto empty = buildFrom(skinXml("<slider orientation='round'><size width='0' height='0'/><pos x='0' y='0'/>"
                                 "<fader><pos x='0' y='0' nb='2'/></fader></slider>"));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->sliders[0]->round().sensibility, 1);
  EXPECT_EQ(buildFrom("<zarnelskin/>"), nullptr) << "no browser";
  EXPECT_EQ(buildFrom("<notaskin>" + test::kBrowser + "</notaskin>"), nullptr);
}

TEST(SkinParserWindow, SurfaceAndWindowFromTheBitmap) {
  auto small = buildFrom(skinXml(""), solidImage(640, 480, 1));
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->surface.width, 800);
  EXPECT_EQ(small->surface.height, 600);
  EXPECT_EQ(small->windowWidth, 800);
  EXPECT_EQ(small->windowHeight, 600);
  EXPECT_EQ(test::pixelAt(small->surface, 639, 479), 1u);
  EXPECT_EQ(test::pixelAt(small->surface, 640, 479), 0u);  // beyond the bitmap: black
  auto cut = buildFrom(skinXml("", " width='1024' height='700'"), solidImage(900, 650, 1));
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(cut->windowWidth, 900);
  EXPECT_EQ(cut->windowHeight, 650);
  const std::string browserAt = "<browser><size width='10' height='10'/><pos x='590' y='390'/></browser>";
  auto smaller = buildFrom("<zarnelskin width='600' height='400'>" + browserAt + "</zarnelskin>", solidImage(640, 480, 1));
  ASSERT_NE(smaller, nullptr);
  EXPECT_EQ(smaller->windowWidth, 600);
  EXPECT_EQ(smaller->windowHeight, 400);
  // An image in the surface's black margin is not in the bitmap.
  EXPECT_EQ(buildFrom(skinXml(button("", "<up x='700' y='0'/>")), solidImage(640, 480, 1)), nullptr);
  EXPECT_EQ(buildFrom(skinXml("", " width='0'")), nullptr);
  // Widgets must lie in the window, which the bitmap may cut down.
  EXPECT_EQ(buildFrom(skinXml("<dropzone><size width='10' height='10'/><pos x='950' y='0'/></dropzone>", " width='1024'"),
                      solidImage(900, 600, 1)),
            nullptr)
      << "off the 900-pixel window";
  EXPECT_EQ(buildFrom("<zarnelskin width='600' height='400'>" + test::kBrowser + "</zarnelskin>"), nullptr);
}

TEST(SkinParserElements, SliderShapesAndModes) {
  auto skin = buildFrom(skinXml(
      slider(" orientation='circle' rightclick='reset' dblclick='auto'",
             "<clipmask x='0' y='20'/><circle x='40' y='9' anglemin='45' anglemax='315' sectsize='30' direction='ccw'/>") +
      slider(" orientation='round' chan='1'",
             "<fader move='v' sensibility='50'><pos x='0' y='0' nb='8' nbx='4'/><over x='0' y='40' nb='2'/></fader>") +
      slider(" orientation='vertical' direction='down'")));
  ASSERT_NE(skin, nullptr);
  Slider& vertical = *skin->sliders[0];
  EXPECT_TRUE(vertical.reversed());
  Slider& round = *skin->sliders[1];
  EXPECT_EQ(round.desk(), 0);
  EXPECT_EQ(round.round().move, RoundMove::kV);
  EXPECT_EQ(round.round().sensibility, 50);
  EXPECT_EQ(round.round().frames.count, 8);
  EXPECT_EQ(round.round().frames.perRow, 4);
  ASSERT_TRUE(round.round().over);
  EXPECT_EQ(round.round().over->count, 2);
  EXPECT_EQ(round.round().over->perRow, 4);
  Slider& circle = *skin->sliders[2];
  EXPECT_EQ(circle.circle().centreX, 40);
  EXPECT_EQ(circle.circle().angleMax, 315);
  EXPECT_EQ(circle.circle().sectorSize, 30);
  EXPECT_TRUE(circle.reversed());
  EXPECT_EQ(circle.rightMode(), SliderMode::kReset);
  EXPECT_EQ(circle.doubleClickMode(), SliderMode::kAuto);
  auto defaults = buildFrom(skinXml(slider(" orientation='round'", "<fader><pos x='0' y='0' nb='3'/></fader>")));
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->sliders[0]->round().sensibility, 240);  // 2 × (100 + 20)
  EXPECT_EQ(defaults->sliders[0]->round().frames.perRow, 3);
}

TEST(SkinParserElements, TextZonesRhythmLampsZones) {
  auto skin = buildFrom(skinXml(
      slider(" orientation='horizontal' action='song_pos'") +
      "<textzone chan='1' resetcounter='true'><size width='50' height='10'/><pos x='5' y='5'/>"
      "<text format='%time' font='Tahoma' weight='bold' size='9' color='red' align='middle'/>"
      "<text2 format='%left'/></textzone>"
      "<textzone geterrormessage='TRUE'><size width='50' height='10'/><pos x='60' y='15'/><text format='x'/></textzone>"
      "<rhythm><size width='100' height='50'/><pos x='0' y='100'/><chan1 x='0' y='0'/><chan2 x='0' y='50'/>"
      "<both x='0' y='150'/></rhythm>"
      "<beattap transparent='true'><size width='8' height='8'/><pos x='200' y='0'/><down x='0' y='0'/></beattap>"
      "<dropzone chan='playlist'><size width='8' height='8'/><pos x='0' y='0'/></dropzone>"
      "<scratch chan='2'><size width='40' height='40'/><pos x='0' y='0'/><center x='3' y='4'/>"
      "<mousecircle x='20' y='20' r='20'/></scratch>"));
  ASSERT_NE(skin, nullptr);
  ASSERT_EQ(skin->textZones.size(), 2u);
  const TextZone& second = *skin->textZones[0];
  EXPECT_TRUE(second.showsErrorMessages());
  EXPECT_FALSE(second.onSongPosSlider());  // reaches below the slider
  EXPECT_EQ(second.first().font.face, "Arial");
  EXPECT_EQ(second.first().font.height, 12);
  EXPECT_EQ(second.first().colour, 0xFFFFFFu);
  const TextZone& first = *skin->textZones[1];
  EXPECT_TRUE(first.onSongPosSlider());
  EXPECT_TRUE(first.resetsCounter());
  EXPECT_EQ(first.first().format, "%time");
  EXPECT_EQ(first.first().font.face, "Tahoma");
  EXPECT_EQ(first.first().font.weight, kFontWeightBold);
  EXPECT_EQ(first.first().font.height, 9);
  EXPECT_EQ(first.first().colour, 0x0000FFu);  // red in the low byte
  EXPECT_EQ(first.first().align, TextAlign::kCentre);
  ASSERT_TRUE(first.second());
  EXPECT_EQ(first.second()->format, "%left");
  ASSERT_NE(skin->rhythm, nullptr);
  EXPECT_FALSE(skin->rhythm->look().colourMode);
  EXPECT_EQ(skin->rhythm->look().up.y, 100);  // the "pos" position
  EXPECT_EQ(skin->rhythm->look().bothImage.y, 150);
  EXPECT_EQ(skin->beatLamps[0]->upImage().x, 200);
  EXPECT_EQ(skin->beatLamps[0]->downImage().x, 0);
  EXPECT_TRUE(skin->beatLamps[0]->transparent());
  EXPECT_EQ(skin->dropZones[0]->desk(), kDropPlaylist);
  EXPECT_EQ(skin->scratchZones[0]->desk(), 1);
  EXPECT_EQ(skin->scratchZones[0]->centre().x, 20);  // the circle came last
}

TEST(SkinParserElements, BrowserFontsBuildOnEachOther) {
  auto skin = buildFrom(
      "<zarnelskin><browser><size width='300' height='200'/><pos x='0' y='0'/>"
      "<text font='Verdana' size='11' color='white'/>"
      "<options font='Courier' weight='bold' over='yellow'/>"
      "<widgets size='8' facecolor='gray' trackcolor1='blue'/>"
      "<colormatrix rr='128' gb='64'/></browser></zarnelskin>");
  ASSERT_NE(skin, nullptr);
  const BrowserLook& look = skin->browser->look();
  EXPECT_EQ(look.listFont.face, "Verdana");
  EXPECT_EQ(look.listFont.height, 11);
  EXPECT_EQ(look.listFont.weight, kFontWeightNormal);
  EXPECT_EQ(look.listColour, 0xFFFFFFu);
  EXPECT_EQ(look.listSelected, systemColour(kSysHighlight));
  EXPECT_EQ(look.optionsFont.face, "Courier");
  EXPECT_EQ(look.optionsFont.height, 11);
  EXPECT_EQ(look.optionsFont.weight, kFontWeightBold);
  EXPECT_EQ(look.optionsColour, 0xFFFFFFu);
  EXPECT_EQ(look.optionsOver, 0x00FFFFu);
  EXPECT_EQ(look.controlsFont.face, "Courier");
  EXPECT_EQ(look.controlsFont.height, 8);
  EXPECT_EQ(look.controlsFont.weight, kFontWeightBold);
  EXPECT_EQ(look.controlsColour, systemColour(kSysButtonText));
  EXPECT_EQ(look.face, 0x7F7F7Fu);
  EXPECT_EQ(look.stripes, 0x7F7F7Fu);
  EXPECT_EQ(look.track2, 0xFF0000u);
  EXPECT_EQ(look.shadow, systemColour(kSysButtonShadow));
  EXPECT_EQ(look.matrix[0], 128);
  EXPECT_EQ(look.matrix[4], 255);
  EXPECT_EQ(look.matrix[5], 64);
  EXPECT_EQ(look.matrix[1], 0);
}

TEST(SkinParserLimits, HostileNumbersAreRefused) {
  EXPECT_EQ(buildFrom(skinXml(button("", "<up x='2147483647' y='0'/>"))), nullptr);
  EXPECT_EQ(buildFrom(skinXml(button("", "<mousecircle x='0' y='0' r='99999999'/>"))), nullptr);
  EXPECT_EQ(buildFrom(skinXml(slider(" orientation='round'", "<fader><pos x='0' y='0' nb='100000'/></fader>"))),
            nullptr);
  EXPECT_EQ(buildFrom(skinXml(slider(" orientation='round'", "<fader><pos x='0' y='0' nb='4' nbx='0'/></fader>"))),
            nullptr);
  EXPECT_EQ(buildFrom(skinXml(slider(" orientation='circle'", "<clipmask x='0' y='0'/><circle sectsize='-5'/>"))),
            nullptr);
  // Saturated to -2^31, which has no int32 magnitude; and just past the bound.
  for (const char* angles : {"anglemin='-99999999999'", "anglemax='-99999999999'", "anglemax='99999999999'",
                             "anglemin='-3601'", "anglemax='3601'"}) {
    EXPECT_EQ(buildFrom(skinXml(slider(" orientation='circle'", std::string("<clipmask x='0' y='0'/><circle ") + angles +
                                                                    "/>"))),
              nullptr)
        << angles;
  }
  std::string many;
  for (size_t i = 0; i <= kSkinMaxWidgets; ++i) many += "<dropzone><size width='1' height='1'/><pos x='0' y='0'/></dropzone>";
  EXPECT_EQ(buildFrom(skinXml(many)), nullptr);
}

}  // namespace
}  // namespace zarnel
