#include "app/RecordingControl.h"

#include <gtest/gtest.h>

#include "app/ActionIds.h"
#include "app/BrowserPanel.h"
#include "mixer/RecordedWav.h"
#include "skin/support/GoldenImage.h"
#include "support/MainWindowRig.h"

namespace zarnel {
namespace {

// The program with its audio loop driven here: each pass plays 256 frames
// on the virtual card, runs the engine and lets the recorder write.
struct Studio : test::MainWindowRig {
  Studio() {
    sound.addCard("card");
    main->setOffline(true);
  }
  bool start() {
    if (!create()) return false;
    w = windows.find("ZARNEL");
    buffer = sound.openDevices().at(0)->buffers().at(0);
    return true;
  }
  void run(int32_t frames) {
    for (int32_t done = 0; done < frames; done += 256) {
      sound.advance(256);
      main->soundOutput()->stepRt();
      main->recording()->writeCycle();
    }
  }
  void playA(int32_t d) {
    ASSERT_TRUE(main->loadDesk(d, "A", "", "a.wav", nullptr));
    main->desk(d)->play();
  }
  RecordingControl& recording() { return *main->recording(); }
  test::RecordedWav wav(const std::string& name) { return test::readRecordedWav(files.bytes(name)); }

  Window* w = nullptr;
  VirtualSoundBuffer* buffer = nullptr;
};

TEST(RecordingControl, RecordAsksForAFileOnceAndRecordsExactlyWhatTheCardPlayed) {
  Studio s;
  ASSERT_TRUE(s.start());
  s.dialogs.queueSaveFile("");  // cancelled: nothing records
  s.main->library()->toggleRecording();
  EXPECT_FALSE(s.recording().active());
  ASSERT_EQ(s.dialogs.shown().size(), 1u);
  EXPECT_EQ(s.dialogs.shown()[0].kind, "saveFile");

  s.dialogs.queueSaveFile("sets/tonight");
  s.main->library()->toggleRecording();
  ASSERT_TRUE(s.recording().active());
  EXPECT_EQ(s.recording().fileName(), "sets/tonight");
  s.playA(0);
  s.run(44100);
  s.buffer->clearRecorded();  // from here on, every frame played must end the file
  s.run(44100 * 2);
  EXPECT_NE(s.recording().statusText().find("sets/tonight.wav"), std::string::npos) << s.recording().statusText();
  s.main->library()->toggleRecording();  // stops; the name stays for the next press
  EXPECT_FALSE(s.recording().active());
  EXPECT_EQ(s.dialogs.shown().size(), 2u);

  const test::RecordedWav wav = s.wav("sets/tonight.wav");
  test::expectValidWav(wav);
  const std::vector<int16_t>& played = s.buffer->recorded();
  ASSERT_GE(wav.samples.size(), played.size() + 44100 * 2 * 9 / 10);
  EXPECT_TRUE(std::equal(played.begin(), played.end(), wav.samples.end() - ptrdiff_t(played.size())));
  EXPECT_GT(*std::max_element(played.begin(), played.end()), 1000);  // the tone was heard

  s.main->library()->toggleRecording();  // the name is known: no dialog
  EXPECT_TRUE(s.recording().active());
  EXPECT_EQ(s.dialogs.shown().size(), 2u);
}

TEST(RecordingControl, AutoStartWaitsForPlayAndCutsNumberTheFiles) {
  Studio s;
  settings().autoSave = 1;
  settings().autoSaveCut = 1;
  ASSERT_TRUE(s.start());
  ASSERT_TRUE(s.recording().start("mix.wav"));
  s.run(44100);
  EXPECT_EQ(s.recording().recorder()->status().phase, RecorderPhase::kArmed);
  EXPECT_NE(s.recording().statusText().find("Auto Start"), std::string::npos) << s.recording().statusText();
  s.main->library()->flagRecordingCut();  // before the start: dropped
  s.playA(0);
  s.run(44100);
  EXPECT_EQ(s.recording().recorder()->status().phase, RecorderPhase::kRecording);
  // The crossfader reaching an end with "AutoCut" on cuts to the next file.
  s.app.setCrossfader(4096);
  s.run(44100 / 2);
  s.app.setCrossfader(2048);
  s.run(44100 / 2);
  EXPECT_TRUE(s.recording().stop());
  EXPECT_TRUE(s.files.exists("mix000.wav"));
  EXPECT_TRUE(s.files.exists("mix001.wav"));
  EXPECT_FALSE(s.files.exists("mix002.wav"));
  test::expectValidWav(s.wav("mix000.wav"));
  test::expectValidWav(s.wav("mix001.wav"));
}

TEST(RecordingControl, AFullDiskStopsTheRecordingSaysSoOnceAndKeepsAPlayableFile) {
  Studio s;
  ASSERT_TRUE(s.start());
  s.files.put("full.wav", {});
  s.files.failWritesAfter("full.wav", 44 + 4 * 30000);
  ASSERT_TRUE(s.recording().start("full.wav"));
  s.playA(0);
  s.run(44100 * 2);
  EXPECT_EQ(s.recording().recorder()->status().phase, RecorderPhase::kWriteFailed);
  s.main->handle(test::make(s.w, msg::kTimer, timer::kDisplay));
  s.main->handle(test::make(s.w, msg::kTimer, timer::kDisplay));
  int32_t told = 0;
  for (const ShownDialog& d : s.dialogs.shown()) told += d.kind == "message";
  EXPECT_EQ(told, 1);
  EXPECT_FALSE(s.recording().stop());
  const test::RecordedWav wav = s.wav("full.wav");
  // The header counts the frames written whole; the cut-off batch after them is not played.
  EXPECT_TRUE(wav.headerOk);
  EXPECT_EQ(wav.riffSize, 36 + wav.dataSize);
  EXPECT_GT(wav.dataSize, 4u * 20000);
  EXPECT_LE(wav.dataSize, wav.fileSize - 44);
}

TEST(RecordingControl, TheRecordingFollowsARebuiltEngine) {
  Studio s;
  ASSERT_TRUE(s.start());
  ASSERT_TRUE(s.recording().start("long.wav"));
  s.playA(0);
  s.run(44100);
  OutputEngine* first = s.main->soundOutput()->engine();
  s.recording().engineGone();
  s.main->soundOutput()->stop();
  ASSERT_TRUE(s.main->soundOutput()->start());
  s.recording().engineBack();
  EXPECT_NE(s.main->soundOutput()->engine(), nullptr);
  (void)first;
  const int64_t before = s.recording().recorder()->status().totalFrames;
  s.run(44100);
  EXPECT_TRUE(s.recording().stop());
  EXPECT_GT(s.recording().lastStatus().totalFrames, before + 40000);
}

TEST(RecordingControl, TheRecordPageShowsTheFileItsTimeAndSize) {
  Studio s;
  if (!test::putShippedSkin(s.files, settings().homeFolder, "default")) GTEST_SKIP() << "no shipped skin";
  ASSERT_TRUE(s.start());
  LibraryShell& library = *s.main->library();
  library.showBrowserPage(kPageRecord);
  s.dialogs.queueSaveFile("sets/saturday night.wav");
  library.otherPanelAction(panelbutton::kRecord);
  s.playA(0);
  s.run(44100 * 3);
  s.main->handle(test::make(s.w, msg::kTimer, timer::kDisplay));
  s.main->handle(test::make(s.w, msg::kPaint));
  EXPECT_NE(s.recording().statusText().find("Time Recorded: 0:00:02"), std::string::npos)
      << s.recording().statusText();
  auto* w = static_cast<VirtualWindow*>(s.w);
  EXPECT_TRUE(test::matchesGolden("record-page", w->screen(), w->width(), w->height()));
}

}  // namespace
}  // namespace zarnel
