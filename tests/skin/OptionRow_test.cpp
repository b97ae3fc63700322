#include "skin/OptionRow.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/Localisation.h"
#include "skin/OptionTarget.h"
#include "skin/support/RecordingTextRenderer.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

struct FakeTarget : OptionTarget {
  std::array<int32_t, kOptionRowCount> values{};
  std::vector<int32_t> ran;
  int32_t optionValue(int32_t row) const override { return values[size_t(row)]; }
  void setOptionValue(int32_t row, int32_t value) override { values[size_t(row)] = value; }
  void runOption(int32_t row) override { ran.push_back(row); }
  std::string recordFileName() const override { return "C:\\mix.wav"; }
};

struct RowBench {
  RowBench() : bound(test::buildFrom(test::skinXml(""))), text(bound.back.data(), 800) {
    look.optionsColour = 0x0000FF;  // red, as a colour reference
    look.optionsOver = 0x00FF00;
    bound.context.text = &text;
  }
  // Return: the value texts shown after each of clicks clicks on row, the
  // stored value starting at start.
  std::vector<std::string> clicks(int32_t row, int32_t start, int clicks) {
    target.values[size_t(row)] = start;
    OptionRow r(row, target, texts, look);
    std::vector<std::string> shown{r.valueText()};
    for (int i = 0; i < clicks; ++i) {
      r.mouseUp(0, 0, keys::kLeft);
      shown.push_back(r.valueText());
    }
    return shown;
  }

  test::BoundSkin bound;
  test::RecordingTextRenderer text;
  Localisation texts;
  BrowserLook look;
  FakeTarget target;
};

using Texts = std::vector<std::string>;

TEST(OptionRow, TogglesShowEnabledOrDisabled) {
  RowBench b;
  for (int32_t row : {kRowAutoBpm, kRowAutoZPitch, kRowAutoLevel, kRowToolTip, kRowMultiInstance, kRowMasterTempo,
                      kRowAutoSync, kRowEqualizer, kRowCharts, kRowAutoSave, kRowAutoSaveCut}) {
    EXPECT_EQ(b.clicks(row, 1, 2), (Texts{": Enabled", ": Disabled", ": Enabled"})) << row;
    EXPECT_EQ(b.target.values[size_t(row)], 1);
  }
  EXPECT_EQ(b.clicks(kRowLimitPitch, 0, 2), (Texts{": -34% to +34%", ": -8% to +8%", ": -34% to +34%"}));
  EXPECT_EQ(b.clicks(kRowAutoBpm, 7, 1), (Texts{": Enabled", ": Disabled"}));  // any non-zero is on
}

TEST(OptionRow, CyclesRunThroughTheirValues) {
  RowBench b;
  EXPECT_EQ(b.clicks(kRowLongMix, 0, 6), (Texts{": 5s", ": 10s", ": 15s", ": 20s", ": 30s", ": No Mix", ": 5s"}));
  EXPECT_EQ(b.clicks(kRowCrossfader, 0, 3), (Texts{": Smooth", ": Full", ": Cut", ": Smooth"}));
  EXPECT_EQ(b.clicks(kRowBabySecure, 0, 3), (Texts{": None", ": Ask", ": Always", ": None"}));
  EXPECT_EQ(b.clicks(kRowStartMix, 0, 3), (Texts{": Begining", ": First Beat", ": Cue", ": Begining"}));
  EXPECT_EQ(b.clicks(kRowScratch, 0, 3), (Texts{": Disabled", ": Enabled", ": Hold", ": Disabled"}));
  EXPECT_EQ(b.clicks(kRowEndMix, 0, 3), (Texts{": End", ": Last Beat", ": Cue 1", ": End"}));
}

TEST(OptionRow, LongMixShowsFiveSecondsForAnyUnlistedValue) {
  RowBench b;
  for (int32_t stored : {1, 15, 17, 1000, -2, 2147483647}) {
    EXPECT_EQ(b.clicks(kRowLongMix, stored, 1), (Texts{": 5s", ": 10s"})) << stored;
    EXPECT_EQ(b.target.values[kRowLongMix], 16);
  }
  EXPECT_EQ(b.clicks(kRowCrossfader, 9, 1), (Texts{": Smooth", ": Full"}));
}

TEST(OptionRow, ActionRowsRunThroughTheTarget) {
  RowBench b;
  for (int32_t row : {kRowSkin, kRowSoundConfig, kRowHistory, kRowShortcuts, kRowVisuals, kRowWebSite}) {
    EXPECT_EQ(b.clicks(row, 0, 1), (Texts{"", ""})) << row;
  }
  EXPECT_EQ(b.clicks(kRowRecordFile, 0, 1), (Texts{"C:\\mix.wav", "C:\\mix.wav"}));
  EXPECT_EQ(b.target.ran, (std::vector<int32_t>{7, 8, 9, 11, 15, 16, 24}));
}

TEST(OptionRow, LabelsTooltipColumnAndHoverColour) {
  RowBench b;
  // The widest default label, "Sound Configuration...", at 6 pixels a character.
  EXPECT_EQ(optionValueColumn(b.text, b.look.optionsFont, b.texts), 22 * 6);
  b.target.values[kRowCrossfader] = 2;
  OptionRow row(kRowCrossfader, b.target, b.texts, b.look);
  EXPECT_EQ(row.label(), "Crossfader ");
  EXPECT_EQ(row.tooltip(), "Crossfader behavior");
  row.bind(&b.bound.context);
  row.setRect(100, 50, 300, 14);
  row.setValueColumn(132);
  row.draw();
  ASSERT_EQ(b.text.drawn.size(), 2u);
  EXPECT_EQ(b.text.drawn[0].text, "Crossfader ");
  EXPECT_EQ(b.text.drawn[0].x, 100);
  EXPECT_EQ(b.text.drawn[1].text, ": Cut");
  EXPECT_EQ(b.text.drawn[1].x, 232);
  EXPECT_EQ(b.text.drawn[1].colour, 0xFF0000u);
  b.text.drawn.clear();
  row.hover(110, 55, 1);
  ASSERT_EQ(b.text.drawn.size(), 2u);
  EXPECT_TRUE(row.hovered());
  EXPECT_EQ(b.text.drawn[0].colour, 0x00FF00u);
  row.hover(120, 55, 0);  // moving on the row changes nothing
  EXPECT_EQ(b.text.drawn.size(), 2u);
  row.hover(0, 0, -1);
  EXPECT_FALSE(row.hovered());
  EXPECT_EQ(b.text.drawn.back().colour, 0xFF0000u);
}

}  // namespace
}  // namespace zarnel
