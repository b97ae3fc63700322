#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "platform/WritableFile.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

Message make(Window* w, uint32_t id, int32_t wparam = 0, int32_t lparam = 0) {
  Message m;
  m.window = w;
  m.id = id;
  m.wparam = wparam;
  m.lparam = lparam;
  return m;
}

struct FixedTexts : TextLookup {
  std::string text(TextSection section, int32_t slot) const override {
    return "text " + std::to_string(int(section)) + "/" + std::to_string(slot);
  }
  std::string errorText(int32_t index) const override { return "Errors/" + std::to_string(index); }
};

struct Shell {
  Shell() {
    settings().resetToDefaults();
    clearFatalError();
    registry.createKey("Software\\Zarnel");
    services.files = &files;
    services.sound = &sound;
    services.threads = &threads;
    services.registry = &registry;
    files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 5, 440, 440, 8000))));
    main = std::make_unique<MainWindow>(app, windows, services, texts);
  }
  bool create() { return main->create(WindowSpec{"ZARNEL", "Zarnel", 112, 0, 800, 600}); }

  VirtualFileSystem files;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  VirtualRegistry registry;
  VirtualWindowSystem windows;
  PlatformServices services;
  FixedTexts texts;
  App app;
  std::unique_ptr<MainWindow> main;
  MainWindow& window() { return *main; }
};

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

TEST(MainWindow, FailedCreationWritesNoSettings) {
  Shell s;  // no sound card
  EXPECT_FALSE(s.create());
  EXPECT_EQ(fatalError(), kErrorDirectSound);
  EXPECT_FALSE(s.window().destroyed());
  EXPECT_TRUE(s.registry.writes().empty());
  clearFatalError();
}

}  // namespace
}  // namespace zarnel
