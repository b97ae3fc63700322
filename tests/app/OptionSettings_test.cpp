#include "app/OptionSettings.h"

#include <gtest/gtest.h>

#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "desk/BeatMatcher.h"
#include "desk/Desk.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/OptionRow.h"
#include "support/mix/IndexRamp.h"
#include "support/mix/MixHarness.h"

namespace zarnel {
namespace {

// The options over the process-wide settings, a mixer and two desks.
struct OptionRig : test::MixHarness {
  OptionRig() { addWav("a.wav", test::indexRamp(441000)); }
  ~OptionRig() { settings().resetToDefaults(); }  // the other tests see the defaults
  void click(int32_t row) {
    OptionRow r(row, options, texts, look);
    r.mouseUp(0, 0, keys::kLeft);
  }

  VirtualWindowSystem windows;
  std::unique_ptr<Window> window = windows.createWindow({"ZARNEL", "", 0, 0, 800, 600});
  BeatMatcher matcher{*desk[0], *desk[1], mixer, window.get()};
  OptionSettings options{settings(), mixer, desk[0].get(), desk[1].get(), &matcher, nullptr};
  Localisation texts;
  BrowserLook look;
};

TEST(OptionSettings, EveryRowChangesItsSettingWhichSurvivesARestart) {
  OptionRig r;
  for (int32_t row = 0; row < kOptionRowCount; ++row) {
    if (optionKind(row) == OptionKind::kAction) continue;
    const int32_t before = r.options.optionValue(row);
    r.click(row);
    EXPECT_EQ(r.options.optionValue(row), nextOptionValue(row, before)) << row;
    EXPECT_NE(r.options.optionValue(row), before) << row;
  }
  EXPECT_EQ(settings().longMix, 16);
  EXPECT_EQ(settings().scratch.load(), 2);
  EXPECT_EQ(settings().autoSaveCut, 1);

  VirtualRegistry registry;
  registry.createKey("Software\\Zarnel");
  SettingsStore store(registry, nullptr);
  ASSERT_TRUE(store.save(settings(), true));
  Settings restarted;
  ASSERT_TRUE(store.load(restarted, "C:\\Zarnel"));
  OptionSettings reread(restarted, r.mixer, nullptr, nullptr, nullptr, nullptr);
  for (int32_t row = 0; row < kOptionRowCount; ++row) {
    if (optionKind(row) == OptionKind::kAction) continue;
    EXPECT_EQ(reread.optionValue(row), r.options.optionValue(row)) << row;
  }
}

TEST(OptionSettings, ChangesTakeEffectAtOnce) {
  OptionRig r;
  r.click(kRowCrossfader);
  EXPECT_EQ(r.mixer.crossfaderMode(), 1);
  r.click(kRowCrossfader);
  r.click(kRowCrossfader);
  EXPECT_EQ(r.mixer.crossfaderMode(), 0);

  ASSERT_TRUE(r.load(0, "a.wav"));
  ASSERT_TRUE(r.load(1, "a.wav"));
  r.desk[0]->setPitch(5000);
  r.desk[1]->setPitch(3000);
  r.click(kRowLimitPitch);  // -8 % to +8 %: both pitches come into the range
  EXPECT_EQ(settings().limitPitch, 1);
  EXPECT_EQ(r.desk[0]->pitch(), 4424);
  EXPECT_EQ(r.desk[1]->pitch(), 3768);

  r.click(kRowMasterTempo);
  EXPECT_EQ(settings().masterTempo.load(), 0);
  r.click(kRowEqualizer);
  EXPECT_EQ(settings().equalizer.load(), 0);
}

TEST(OptionSettings, RowsWithoutASettingGoThroughTheActions) {
  struct Recording : OptionActions {
    std::vector<int32_t> rows;
    void run(int32_t row) override { rows.push_back(row); }
    std::string recordFileName() const override { return "mix.wav"; }
  } actions;
  OptionRig r;
  OptionSettings options(settings(), r.mixer, nullptr, nullptr, nullptr, &actions);
  for (int32_t row = 0; row < kOptionRowCount; ++row) {
    if (optionKind(row) == OptionKind::kAction) OptionRow(row, options, r.texts, r.look).mouseUp(0, 0, keys::kLeft);
  }
  EXPECT_EQ(actions.rows, (std::vector<int32_t>{7, 8, 9, 11, 15, 16, 24}));
  EXPECT_EQ(OptionRow(kRowRecordFile, options, r.texts, r.look).valueText(), "mix.wav");
}

}  // namespace
}  // namespace zarnel
