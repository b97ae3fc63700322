#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "platform/LocalClock.h"
#include "platform/WritableFile.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "app/ActionIds.h"
#include "app/support/DispatchRig.h"
#include "app/support/MainWindowRig.h"
#include "skin/ActionNames.h"
#include "skin/SkinFiles.h"
#include "skin/support/GoldenImage.h"
#include "skin/support/RenderTestSkin.h"
#include "skin/support/SkinTestKit.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::make;
using Shell = test::MainWindowRig;

TEST(MainWindow, CreationBuildsTheRunningProgram) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->timers().at(timer::kDisplay), 50);
  EXPECT_TRUE(w->acceptsFiles());
  ASSERT_NE(s.window().soundOutput()->engine(), nullptr);
  EXPECT_EQ(s.window().desk(0)->status(), kStatusNothingLoaded);
  EXPECT_EQ(s.window().handle(make(w, msg::kSysCommand, msg::kScScreenSave)), 1);
  EXPECT_EQ(s.window().handle(make(w, msg::kSysCommand, msg::kScMonitorPower)), 1);
  EXPECT_EQ(s.window().handle(make(w, msg::kUser, 0, 7)), -1);
  const auto* skin = reinterpret_cast<const char*>(s.window().handle(make(w, msg::kUser, 0, 201)));
  ASSERT_NE(skin, nullptr);
  EXPECT_STREQ(skin, "");
}

TEST(MainWindow, ClosingOverAPlayingDeskAsksAndNoKeepsPlaying) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_TRUE(s.window().desk(0)->load("a", "", "a.wav", nullptr));
  ASSERT_EQ(s.window().desk(0)->play(), 0);
  s.windows.answerNext(MessageBoxAnswer::no);
  s.window().handle(make(w, msg::kClose));
  ASSERT_EQ(s.windows.boxes().size(), 1u);
  EXPECT_EQ(s.windows.boxes()[0].text, "text " + std::to_string(int(TextSection::kOthers)) + "/" + std::to_string(kOtherQueryClose));
  EXPECT_EQ(s.windows.boxes()[0].kind, MessageBoxKind::yesNo);
  EXPECT_FALSE(s.window().destroyed());
  EXPECT_TRUE(s.window().desk(0)->playing());
  EXPECT_TRUE(s.registry.writes().empty());

  s.window().handle(make(w, msg::kClose));  // yes this time
  EXPECT_TRUE(s.window().destroyed());
  EXPECT_FALSE(s.registry.writes().empty());  // settings written on destruction
  Message m;
  EXPECT_FALSE(s.windows.getMessage(m));  // the loop ends
}

// The program as it opens with the shipped skin, nothing loaded, after a
// first pair of display refreshes: the end-to-end test compares the real
// window with the same reference.
TEST(MainWindow, TheShippedSkinAtStartMatchesItsReference) {
  Shell s;
  if (!test::putShippedSkin(s.files, settings().homeFolder, "default")) GTEST_SKIP() << "no shipped skin";
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  for (int i = 0; i < 2; ++i) s.window().handle(make(w, msg::kTimer, timer::kDisplay));
  EXPECT_TRUE(test::matchesGolden("default-skin-start", w->screen(), w->width(), w->height()));
}

TEST(MainWindow, TheSessionsEndClosesOverAPlayingDeskWithoutAsking) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_TRUE(s.window().desk(0)->load("a", "", "a.wav", nullptr));
  ASSERT_EQ(s.window().desk(0)->play(), 0);
  s.window().handle(make(w, msg::kEndSession, 0));  // only a query: nothing happens
  EXPECT_FALSE(s.window().destroyed());
  s.window().handle(make(w, msg::kEndSession, 1));
  EXPECT_TRUE(s.windows.boxes().empty());
  EXPECT_TRUE(s.window().destroyed());
  EXPECT_FALSE(s.registry.writes().empty());
  const size_t writes = s.registry.writes().size();
  s.window().handle(make(w, msg::kEndSession, 1));  // a second one changes nothing
  EXPECT_EQ(s.registry.writes().size(), writes);
}

TEST(MainWindow, AStoreHeldByAnotherProgramOpensReadOnlyAndSaysSo) {
  Shell s;
  s.sound.addCard("card");
  auto other = s.files.openReadWrite("zarnel Internal Database.", true);  // another writer
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(s.create());
  s.window().show();
  ASSERT_EQ(s.windows.boxes().size(), 1u);
  EXPECT_EQ(s.windows.boxes()[0].caption, "Zarnel");
  EXPECT_TRUE(s.window().database()->readOnly());
}

TEST(MainWindow, LoadingADeskRestartsItsHistoryTimerAndTakesTheHeadphones) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_TRUE(s.window().loadDesk(1, "a", "", "a.wav", nullptr));
  EXPECT_EQ(w->timers().at(timer::kLoad[1]), 40000);
  EXPECT_EQ(s.app.mixer().previewDesk(), 1);
  ASSERT_NE(s.window().desk(1)->entry(), nullptr);  // the track store gave it an entry
  EXPECT_FALSE(s.window().loadDesk(0, "x", "", "missing.wav", nullptr));
  EXPECT_EQ(s.window().desk(0)->status(), kStatusBadFile);
}

TEST(MainWindow, ClosingWhileNothingPlaysAsksNothing) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  s.window().handle(make(s.windows.find("ZARNEL"), msg::kClose));
  EXPECT_TRUE(s.windows.boxes().empty());
  EXPECT_TRUE(s.window().destroyed());
  EXPECT_TRUE(s.window().desk(0) == nullptr);
}

TEST(MainWindow, TheSkinSizesTheWindowAndCentresItAcrossTheScreen) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  s.windows.setDisplay(1024, 768);
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  EXPECT_EQ(w->width(), 240);
  EXPECT_EQ(w->height(), 120);
  EXPECT_EQ(w->spec().x, (1024 - 240) / 2);
  EXPECT_EQ(w->spec().y, 0);
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x2040A0u);  // the skin's play button is drawn
  EXPECT_FALSE(w->fullScreen());
}

TEST(MainWindow, MaximizedGoesFullScreenAtTheCorner) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  settings().maximized = 1;
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  EXPECT_EQ(w->spec().x, 0);
  EXPECT_TRUE(w->fullScreen());
  EXPECT_TRUE(s.window().fullScreen());
  s.window().leaveFullScreen();
  EXPECT_FALSE(w->fullScreen());
}

TEST(MainWindow, WithoutAnyValidSkinCreationFailsWithErrorNineteen) {
  Shell s;
  s.sound.addCard("card");
  s.files.put(skinXmlPath(settings().homeFolder, "default"), test::textBytes("<zarnelskin>"));
  settings().skin = "missing";
  EXPECT_FALSE(s.create());
  EXPECT_EQ(fatalError(), kErrorSkin);
  EXPECT_TRUE(s.registry.writes().empty());
  clearFatalError();
}

TEST(MainWindow, MouseMessagesReachTheSkinsButtonsAndDragTheWindow) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  test::RecordingSink sink;
  s.window().setActionSink(&sink);
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  const int32_t play = buttonActionByName("play_pause");
  Message down = make(w, msg::kLButtonDown, msg::kMkLButton);
  down.x = 15, down.y = 15;
  s.window().handle(down);
  EXPECT_EQ(sink.last(), "press " + std::to_string(play) + " 0 1");
  EXPECT_TRUE(w->captured());
  Message up = make(w, msg::kLButtonUp, 0);
  up.x = 15, up.y = 15;
  s.window().handle(up);
  EXPECT_EQ(sink.last(), "release " + std::to_string(play) + " 0 1");  // the released button's bit
  EXPECT_FALSE(w->captured());
  // The right button: 0x2000 from the window system stays, its own bit is added on release.
  Message rdown = make(w, msg::kRButtonDown, msg::kMkRButton | msg::kMkRightFlag);
  rdown.x = 15, rdown.y = 15;
  s.window().handle(rdown);
  EXPECT_EQ(sink.last(), "press " + std::to_string(play) + " 0 " + std::to_string(0x2002));
  Message rup = make(w, msg::kRButtonUp, msg::kMkRightFlag);
  rup.x = 15, rup.y = 15;
  s.window().handle(rup);
  EXPECT_EQ(sink.last(), "release " + std::to_string(play) + " 0 " + std::to_string(0x2002));
  // A press where no widget is drags the window.
  const int32_t x0 = w->spec().x;
  Message grab = make(w, msg::kLButtonDown, msg::kMkLButton);
  grab.x = 225, grab.y = 20;
  s.window().handle(grab);
  Message move = make(w, msg::kMouseMove, msg::kMkLButton);
  move.x = 255, move.y = 10;
  s.window().handle(move);
  EXPECT_EQ(w->spec().x, x0 + 30);
  EXPECT_EQ(w->spec().y, -10);
}

TEST(MainWindow, APointerRestingOnAButtonShowsItsTooltip) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_NE(s.window().tooltip(), nullptr);
  Message move = make(w, msg::kMouseMove, 0);
  move.x = 15, move.y = 15;
  s.window().handle(move);
  EXPECT_EQ(s.window().tooltip()->state(), Tooltip::State::kWaiting);
  EXPECT_FALSE(s.window().tooltip()->text().empty());  // the play button's text
  Message down = make(w, msg::kLButtonDown, msg::kMkLButton);
  down.x = 15, down.y = 15;
  s.window().handle(down);  // any button hides it
  EXPECT_EQ(s.window().tooltip()->state(), Tooltip::State::kHidden);
  s.window().handle(make(w, msg::kLButtonUp, 0));
  s.window().handle(move);
  EXPECT_EQ(s.window().tooltip()->state(), Tooltip::State::kWaiting);
  s.window().tooltip()->hide();
  settings().toolTip = 0;
  s.window().handle(move);
  EXPECT_EQ(s.window().tooltip()->state(), Tooltip::State::kHidden);
}

TEST(MainWindow, TheDisplayTimerAnimatesTheSkin) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_TRUE(s.window().loadDesk(0, "a", "", "a.wav", nullptr));
  Slider* songPos = nullptr;
  for (auto& slider : s.window().renderer()->skin()->sliders)
    if (slider->kind() == kSliderSongPos) songPos = slider.get();
  ASSERT_NE(songPos, nullptr);
  songPos->setValue(1000);
  s.window().handle(make(w, msg::kTimer, timer::kDisplay));
  EXPECT_EQ(songPos->value(), 0);  // loaded, at its start
  EXPECT_GT(w->rectPresents(), 0);
}

TEST(MainWindow, FailedCreationWritesNoSettings) {
  Shell s;  // no sound card
  EXPECT_FALSE(s.create());
  EXPECT_EQ(fatalError(), kErrorDirectSound);
  EXPECT_FALSE(s.window().destroyed());
  EXPECT_TRUE(s.registry.writes().empty());
  clearFatalError();
}

TEST(MainWindow, ASkinReplacedAtRunTimeResizesTheWindowAndABadOneLeavesTheCurrentSkin) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_EQ(w->width(), 800);

  EXPECT_FALSE(s.window().replaceSkin("missing"));
  ASSERT_EQ(s.windows.boxes().size(), 1u);
  EXPECT_EQ(s.windows.boxes()[0].text, "Errors/19");
  EXPECT_EQ(s.windows.boxes()[0].kind, MessageBoxKind::error);
  EXPECT_EQ(fatalError(), 0);
  EXPECT_EQ(w->width(), 800);
  EXPECT_NE(settings().skin, "missing");

  ASSERT_TRUE(s.window().replaceSkin("small"));
  EXPECT_EQ(settings().skin, "small");
  EXPECT_EQ(w->width(), 240);
  EXPECT_EQ(w->height(), 120);
  EXPECT_TRUE(s.window().renderer()->started());
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x2040A0u);  // the new skin's play button, on the screen
}

TEST(MainWindow, TheSkinsButtonsReachTheDesksAndShowTheirState) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  ASSERT_TRUE(s.window().loadDesk(0, "a", "", "a.wav", nullptr));
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x2040A0u);
  Message down = make(w, msg::kLButtonDown, msg::kMkLButton);
  down.x = 15, down.y = 15;
  s.window().handle(down);
  Message up = make(w, msg::kLButtonUp, 0);
  up.x = 15, up.y = 15;
  s.window().handle(up);
  EXPECT_TRUE(s.window().desk(0)->playing());
  EXPECT_FALSE(s.window().desk(1)->playing());
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x40E0FFu);  // "play_pause" selected, on the screen
  s.window().handle(down);
  s.window().handle(up);
  EXPECT_FALSE(s.window().desk(0)->playing());
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x2040A0u);
}

TEST(MainWindow, TheAudioThreadsMessagesAndThePitchTimersReachTheDispatch) {
  Shell s;
  s.sound.addCard("card");
  test::RecordingLater later;
  s.window().setLaterSeams(&later);
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  s.window().handle(make(w, kMsgTrackEnded, 1));
  EXPECT_EQ(later.last(), "ended 1");
  s.window().handle(make(w, kMsgMixIn, 0));
  EXPECT_EQ(later.last(), "mixin 0");
  s.window().handle(make(w, kMsgEffect, 0x0203, 9));
  EXPECT_EQ(later.last(), "effect request 515 9");
  ASSERT_TRUE(s.window().loadDesk(1, "a", "", "a.wav", nullptr));
  s.app.setPitch(1, 4200);
  s.app.shortcutAction(shortcut::kPitchReset, 1);
  EXPECT_EQ(w->timers().at(timer::kPitchReset[1]), 500);
  s.window().handle(make(w, msg::kTimer, timer::kPitchReset[1]));
  EXPECT_EQ(s.window().desk(1)->pitch(), 4184);
}

TEST(MainWindow, TheCloseButtonClosesAsTheWindowDoes) {
  Shell s;
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  s.app.buttonRelease(button::kClose, -1, msg::kMkLButton);
  Message m;
  ASSERT_TRUE(s.windows.peekMessage(m, 0));
  s.window().handle(m);
  EXPECT_TRUE(s.window().destroyed());
  EXPECT_EQ(s.window().handle(make(w, msg::kSysCommand, syscmd::kClose)), 0);  // once only
}

TEST(MainWindow, TheMaximizeButtonSwitchesFullScreenAndTheSetting) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  s.app.buttonRelease(button::kMaximize, -1, msg::kMkLButton);
  EXPECT_TRUE(w->fullScreen());
  EXPECT_EQ(settings().maximized, 1);
  s.app.buttonRelease(button::kMaximize, -1, msg::kMkLButton);
  EXPECT_FALSE(w->fullScreen());
  EXPECT_EQ(settings().maximized, 0);
}

TEST(MainWindow, AReplacedSkinShowsTheCurrentState) {
  Shell s;
  s.sound.addCard("card");
  settings().skin = "small";
  ASSERT_TRUE(s.create());
  ASSERT_TRUE(s.window().loadDesk(0, "a", "", "a.wav", nullptr));
  s.app.buttonPress(button::kPlayPause, 0, msg::kMkLButton);
  ASSERT_TRUE(s.window().replaceSkin("default"));
  ASSERT_TRUE(s.window().replaceSkin("small"));
  EXPECT_EQ(s.app.reflection().skin(), s.window().renderer()->skin());
  VirtualWindow* w = s.windows.find("ZARNEL");
  EXPECT_EQ(w->screen()[12 * 240 + 12], 0x40E0FFu);  // still playing, shown at once
  s.app.buttonPress(button::kPlayPause, 0, msg::kMkLButton);
}

TEST(MainWindow, StoredKeyBindingsAndTheJoystickReachTheDesksAndTheMixer) {
  Shell s;
  s.sound.addCard("card");
  // Q (scan code 0x10) plays desk 1; the right arrow (extended 0x4D) moves
  // the crossfader right.
  settings().shortcuts = std::vector<uint8_t>{0x10, 0x00, 2, 1, 0x4D, 0x01, 0, 39};
  s.windows.plugJoystick(0, 65535);
  ASSERT_TRUE(s.create());
  VirtualWindow* w = s.windows.find("ZARNEL");
  EXPECT_EQ(s.windows.joystickWindow(), w);
  ASSERT_TRUE(s.window().loadDesk(0, "a", "", "a.wav", nullptr));
  Message q = make(w, msg::kKeyDown, 'Q', 0x10 << 16 | 1);
  s.window().handle(q);
  EXPECT_TRUE(s.window().desk(0)->playing());
  const int32_t before = s.app.mixer().crossfader();
  s.window().handle(make(w, msg::kKeyDown, 0x27, (0x14D << 16) | 1));
  EXPECT_EQ(s.app.mixer().crossfader(), before + 128);
  s.window().handle(make(w, msg::kJoy1Move, msg::kJoyButton1, 65535));
  EXPECT_EQ(s.app.mixer().crossfader(), 4096);
  s.window().handle(make(w, msg::kJoy1Move, 0, 0));  // button 1 not held
  EXPECT_EQ(s.app.mixer().crossfader(), 4096);

  s.window().handle(make(w, msg::kClose));  // written back with the settings
  ASSERT_TRUE(s.window().destroyed());
  EXPECT_EQ(settings().shortcuts, (std::vector<uint8_t>{0x10, 0x00, 2, 1, 0x4D, 0x01, 0, 39}));
  EXPECT_EQ(s.windows.joystickWindow(), nullptr);
}

}  // namespace
}  // namespace zarnel
