#include "app/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/SkinFiles.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

struct FakeTexts : TextTable {
  void load(const std::string& path) override { loaded = path; }
  void release() override { ++released; }
  std::string text(TextSection section, int32_t slot) const override {
    return "text " + std::to_string(int(section)) + "/" + std::to_string(slot);
  }
  std::string errorText(int32_t index) const override { return "Errors/" + std::to_string(index); }
  std::string loaded;
  int released = 0;
};

struct ProgramRun {
  ProgramRun() {
    settings().resetToDefaults();
    registry.createKey("Software\\Zarnel");
    services.files = &files;
    services.sound = &sound;
    services.threads = &threads;
    services.registry = &registry;
    sound.addCard("card");
    // The default skin, in the home folder the settings will give (the
    // current directory): an 800 by 600 window with the browser alone.
    const std::string home = std::filesystem::current_path().string();
    const std::string xml = test::skinXml("");
    files.put(skinXmlPath(home, "default"), std::vector<uint8_t>(xml.begin(), xml.end()));
    files.put(skinBitmapPath(home, "default"), test::makeBmp(test::solidImage(800, 600, 0x303030)));
  }
  // Closes the main window at closeAt (virtual ms) and runs the program.
  int go(int64_t closeAt = 5000) {
    Message close;
    close.id = msg::kClose;
    windows.schedule(closeAt, "ZARNEL", close);
    return runZarnel(services, windows, texts);
  }
  VirtualFileSystem files;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  VirtualRegistry registry;
  VirtualWindowSystem windows;
  PlatformServices services;
  FakeTexts texts;
};

TEST(Startup, NormalRunShowsTheSplashForTwoSecondsAndWritesTheSettings) {
  ProgramRun r;
  r.windows.setDisplay(1280, 1024);
  EXPECT_EQ(r.go(), 0);
  ASSERT_NE(r.windows.splashImage(), nullptr);
  EXPECT_EQ(r.windows.splashImage()->width, 292);
  EXPECT_EQ(r.windows.splashImage()->height, 333);
  EXPECT_TRUE(r.windows.boxes().empty());
  EXPECT_FALSE(r.registry.writes().empty());
  EXPECT_EQ(r.texts.loaded, languageFilePath(settings().homeFolder));
  EXPECT_EQ(r.texts.released, 1);
  EXPECT_FALSE(r.windows.instanceClaimed());
}

TEST(Startup, WindowsAreCentredAndTheMainOneAppearsAsTheSplashGoes) {
  for (int32_t width : {1280, 640, 0}) {  // 640 and an unreadable display count as 800 by 600
    ProgramRun r;
    r.windows.setDisplay(width, width ? 1024 : 0);
    EXPECT_EQ(r.go(), 0);
    const auto& h = r.windows.history();
    ASSERT_GE(h.size(), 2u);
    const auto& splash = h[0];
    const auto& main = h[1];
    const int32_t screenW = width >= 800 ? width : 800, screenH = width >= 800 ? 1024 : 600;
    EXPECT_EQ(splash.spec.className, "ZARNELS");
    EXPECT_EQ(splash.spec.x, (screenW - 292) / 2);
    EXPECT_EQ(splash.spec.y, (screenH - 333) / 2);
    EXPECT_EQ(main.spec.className, "ZARNEL");
    EXPECT_EQ(main.spec.x, screenW / 2 - 400);
    EXPECT_EQ(main.spec.y, 0);
    EXPECT_EQ(main.spec.width, 800);
    EXPECT_EQ(splash.destroyedAt, 2000);
    EXPECT_EQ(main.shownAt, 2000);
  }
}

TEST(Startup, MissingKeyIsAnInstallationError) {
  ProgramRun r;
  r.registry.deleteKey();
  EXPECT_EQ(r.go(), 0);
  ASSERT_EQ(r.windows.boxes().size(), 1u);
  EXPECT_EQ(r.windows.boxes()[0].text, "Installation Error");
  EXPECT_EQ(r.windows.boxes()[0].caption, "Zarnel");
  EXPECT_EQ(r.windows.splashImage(), nullptr);
  EXPECT_TRUE(r.registry.writes().empty());
}

TEST(Startup, SecondInstanceIsToldAndLeaves) {
  ProgramRun r;
  r.windows.setOtherInstanceRunning(true);
  EXPECT_EQ(r.go(), -1);
  ASSERT_EQ(r.windows.boxes().size(), 1u);
  EXPECT_EQ(r.windows.boxes()[0].text, "text " + std::to_string(int(TextSection::kOthers)) + "/" + std::to_string(kOtherMultiInstance));
  EXPECT_TRUE(r.registry.writes().empty());

  ProgramRun silent;  // with "MultiInstance" on it starts without a word
  silent.windows.setOtherInstanceRunning(true);
  silent.registry.store("MultiInstance", 4, {1, 0, 0, 0});
  EXPECT_EQ(silent.go(), 0);
  EXPECT_TRUE(silent.windows.boxes().empty());
  EXPECT_FALSE(silent.registry.writes().empty());
}

TEST(Startup, AStartUpFailureIsShownAtTheEndWithoutWritingSettings) {
  ProgramRun r;
  r.sound.removeCard(r.sound.devices().at(0).id);
  EXPECT_EQ(r.go(), 0);
  ASSERT_EQ(r.windows.boxes().size(), 1u);
  EXPECT_EQ(r.windows.boxes()[0].text, "Errors/12");
  EXPECT_EQ(r.windows.boxes()[0].kind, MessageBoxKind::error);
  EXPECT_TRUE(r.registry.writes().empty());
  clearFatalError();
}

TEST(Startup, CrashReportFormatsOnlyTwoNumbers) {
  EXPECT_EQ(formatCrashReport("number: %x:%x, by email", 0x1a2b, 0xff), "number: 1a2b:ff, by email");
  // A translated text with other conversions is shown as it stands.
  EXPECT_EQ(formatCrashReport("%s %x %n %x %x", 1, 2), "%s 1 %n 2 %x");
}

}  // namespace
}  // namespace zarnel
