// The sample slots in the running program: start-up loads, the load button,
// clicks on the displays, the volume sliders, the shortcuts' seams and an
// engine rebuilt under them.

#include "app/SampleSlots.h"

#include <gtest/gtest.h>

#include "app/BrowserPanel.h"
#include "library/LibraryPaths.h"
#include "skin/support/GoldenImage.h"
#include "support/MainWindowRig.h"

namespace zarnel {
namespace {

std::vector<uint8_t> constantWav(int32_t frames, int16_t value) {
  return test::makeWav({}, test::toBytes(std::vector<int16_t>(size_t(frames) * 2, value)));
}

// The program with its audio loop driven here and a few sample files.
struct Samples : test::MainWindowRig {
  Samples() {
    sound.addCard("card");
    main->setOffline(true);
    files.put(home("samples/Horn.wav"), constantWav(11025, 9000));
    files.put(home("samples/Long.wav"), constantWav(44100 * 62, 1));
    files.put(home("samples/Broken.wav"), test::textBytes("RIFF1234WAVEfmt junk"));
  }
  static std::string home(const char* name) { return pathInFolder(settings().homeFolder, name); }
  // The shipped skin, whose browser zone is tall enough for the samples page.
  bool start() {
    if (!test::putShippedSkin(files, settings().homeFolder, "default")) return false;
    if (!create()) return false;
    w = windows.find("ZARNEL");
    return w != nullptr;
  }
  void run(int32_t frames) {
    for (int32_t done = 0; done < frames; done += 256) {
      sound.advance(256);
      main->soundOutput()->stepRt();
    }
  }
  void mouse(uint32_t id, int32_t keys, int32_t x, int32_t y) {
    Message m = test::make(w, id, keys);
    m.x = x;
    m.y = y;
    main->handle(m);
  }
  SampleSlots& slots() { return *main->samples(); }
  SamplePlayers& players() { return main->samples()->players(); }
  BrowserPanel& panel() { return main->library()->panel(); }
  const std::vector<int16_t>& played() { return sound.openDevices().at(0)->buffers().at(0)->recorded(); }

  VirtualWindow* w = nullptr;
};

TEST(SampleSlots, TheSettingsFilesLoadAtStartUpAndAFailingOneLeavesItsSlotEmpty) {
  Samples s;
  settings().samples[0] = Samples::home("samples/Horn.wav");
  settings().samples[1] = Samples::home("samples/missing.wav");
  settings().samples[11] = Samples::home("samples/Long.wav");
  ASSERT_TRUE(s.start());
  EXPECT_TRUE(s.players().loaded(0));
  EXPECT_EQ(s.players().name(0), "Horn");
  EXPECT_EQ(s.players().length(0), 11025 / 1152 * 1152);  // whole blocks only
  EXPECT_FALSE(s.players().loaded(1));
  EXPECT_FALSE(s.slots().lastError(1).empty());
  EXPECT_FALSE(s.players().loaded(11));
  EXPECT_EQ(s.slots().lastError(11), "longer than 60 seconds");
  EXPECT_TRUE(s.dialogs.shown().empty());  // start-up says nothing
}

TEST(SampleSlots, TheLoadButtonAsksInTheSamplesFolderAndKeepsThePath) {
  Samples s;
  ASSERT_TRUE(s.start());
  s.dialogs.queueOpenFile(Samples::home("samples/Horn.wav"));
  s.main->library()->otherPanelAction(panelbutton::kLoadSample + 11);
  ASSERT_EQ(s.dialogs.shown().size(), 1u);
  EXPECT_EQ(s.dialogs.shown()[0].kind, "openFile");
  EXPECT_EQ(s.dialogs.shown()[0].title, "Load Sample");
  EXPECT_EQ(s.dialogs.shown()[0].texts.at(0), Samples::home("samples"));
  EXPECT_EQ(settings().samples[11], Samples::home("samples/Horn.wav"));
  EXPECT_TRUE(s.players().loaded(11));
  EXPECT_EQ(s.slots().sampleCaption(11), "Horn");

  s.dialogs.queueOpenFile("");  // cancelled: nothing changes
  s.main->library()->otherPanelAction(panelbutton::kLoadSample + 11);
  EXPECT_TRUE(s.players().loaded(11));
}

TEST(SampleSlots, AFileThatFailsOrIsTooLongEmptiesTheSlotWithAMessage) {
  Samples s;
  ASSERT_TRUE(s.start());
  ASSERT_TRUE(s.slots().load(4, Samples::home("samples/Horn.wav"), true));
  s.players().press(4, false);
  for (const char* bad : {"samples/Broken.wav", "samples/Long.wav"}) {
    s.dialogs.queueOpenFile(Samples::home(bad));
    s.main->library()->otherPanelAction(panelbutton::kLoadSample + 4);
    EXPECT_FALSE(s.players().loaded(4)) << bad;
    EXPECT_FALSE(s.players().playing(4)) << bad;
    EXPECT_EQ(s.slots().sampleCaption(4), "(Empty)");
    ASSERT_EQ(s.dialogs.shown().back().kind, "message");
    EXPECT_EQ(
        s.dialogs.shown().back().texts.at(0).rfind(bad == std::string("samples/Long.wav") ? "Long: " : "Broken: ", 0),
        0u)
        << s.dialogs.shown().back().texts.at(0);
  }
  EXPECT_EQ(s.dialogs.shown().back().texts.at(0), "Long: longer than 60 seconds");
  s.run(44100);  // the engine mixes on without the freed sample
  EXPECT_EQ(s.players().reclaim(), 0);
}

TEST(SampleSlots, ALeftClickPlaysToTheEndAndARightClickOnlyWhileHeld) {
  Samples s;
  settings().samples[2] = Samples::home("samples/Horn.wav");
  ASSERT_TRUE(s.start());
  s.main->library()->showBrowserPage(kPageSamples);
  SampleDisplay* display = s.panel().sampleDisplay(2);
  ASSERT_NE(display, nullptr);
  const SkinRect r = display->rect();
  ASSERT_GT(r.width, 0);
  const int32_t x = r.x + r.width / 2, y = r.y + r.height / 2;

  s.mouse(msg::kLButtonDown, msg::kMkLButton, x, y);
  EXPECT_TRUE(s.players().playing(2));
  EXPECT_TRUE(display->shownLit());
  s.mouse(msg::kLButtonUp, 0, x, y);
  EXPECT_TRUE(s.players().playing(2));  // a plain press plays on
  s.run(22050);
  EXPECT_FALSE(s.players().playing(2));  // 0.26 s of sample: heard to its end
  s.main->handle(test::make(s.w, msg::kTimer, timer::kDisplay));
  EXPECT_FALSE(display->shownLit());

  s.mouse(msg::kRButtonDown, msg::kMkRButton | msg::kMkRightFlag, x, y);
  EXPECT_TRUE(s.players().playing(2));
  EXPECT_TRUE(s.players().momentary(2));
  s.mouse(msg::kRButtonUp, msg::kMkRightFlag, x, y);
  EXPECT_FALSE(s.players().playing(2));
  EXPECT_FALSE(display->shownLit());
}

TEST(SampleSlots, TheVolumeSliderSetsTheSlotsVolume) {
  Samples s;
  ASSERT_TRUE(s.start());
  s.main->library()->showBrowserPage(kPageSamples);
  PanelSlider* slider = s.panel().slider(5);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->value(), kSampleUnityVolume);
  const SkinRect r = slider->rect();
  const int32_t x = r.x + r.width / 2;
  s.mouse(msg::kLButtonDown, msg::kMkLButton, x, r.y + 10);  // on the knob at the top
  s.mouse(msg::kMouseMove, msg::kMkLButton, x, r.y + 83);    // dragged to the bottom
  s.mouse(msg::kLButtonUp, 0, x, r.y + 83);
  EXPECT_EQ(s.players().volume(5), 0);
  EXPECT_EQ(s.players().volume(4), kSampleUnityVolume);
}

TEST(SampleSlots, TheShortcutSeamsTriggerAndStopAndThePlayersOutliveAnEngineRebuild) {
  Samples s;
  settings().samples[0] = Samples::home("samples/Horn.wav");
  ASSERT_TRUE(s.start());
  LaterSeams& seams = *s.main->library();
  s.run(22050);
  seams.triggerSample(0);
  EXPECT_TRUE(s.players().playing(0));
  seams.triggerSample(12);  // no such player: nothing happens
  seams.stopAllSamples();
  EXPECT_FALSE(s.players().playing(0));
  EXPECT_EQ(s.players().playingCount(), 0);

  // A new engine (the sound configuration) mixes the same players.
  s.main->soundOutput()->stop();
  ASSERT_TRUE(s.main->soundOutput()->start());
  s.run(22050);
  const size_t before = s.played().size();
  seams.triggerSample(0);
  s.run(22050);
  int32_t loud = 0;
  for (size_t i = before; i < s.played().size(); ++i) loud += s.played()[i] == 9000;
  EXPECT_GT(loud, 2 * 9000);  // both channels of nearly the whole sample
}

TEST(SampleSlots, TheSamplesPageShowsEachSlotsNameAndLightsThePlayingOne) {
  Samples s;
  settings().samples[0] = Samples::home("samples/Horn.wav");
  settings().samples[3] = Samples::home("samples/Horn.wav");
  ASSERT_TRUE(s.start());
  s.main->library()->showBrowserPage(kPageSamples);
  s.slots().trigger(3);
  s.run(2048);
  s.main->handle(test::make(s.w, msg::kTimer, timer::kDisplay));
  s.main->handle(test::make(s.w, msg::kPaint));
  EXPECT_TRUE(test::matchesGolden("samples-page", s.w->screen(), s.w->width(), s.w->height()));
}

}  // namespace
}  // namespace zarnel
