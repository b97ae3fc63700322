#include "platform/posix/GtkDialogService.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zarnel {
namespace {

class NoModel : public ShortcutListModel {
 public:
  std::vector<std::string> lines() const override { return {}; }
  void add() override { ++calls; }
  void change(int32_t) override { ++calls; }
  void remove(int32_t) override { ++calls; }
  void load() override { ++calls; }
  void save() override { ++calls; }
  int calls = 0;
};

// Without a display GTK cannot start: every dialog answers at once with its
// safe answer and never calls the caller back as if the user had chosen.
TEST(GtkDialogService, WithoutADisplayEveryDialogCancels) {
  if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) GTEST_SKIP() << "a display is there";
  GtkDialogService dialogs;
  dialogs.setOwner(0, 0, 800, 600);
  EXPECT_FALSE(dialogs.ask("Scan?", "Zarnel", "Yes", "No"));
  dialogs.message("shown on standard error", "Zarnel");
  EXPECT_FALSE(dialogs.editText("EditBpm", "128.0", 9, "OK").has_value());
  FileDialogSpec file;
  file.title = "Load";
  file.filters = {{"Shortcut", "*.scu"}};
  EXPECT_EQ(dialogs.openFile(file), "");
  file.initialName = "mix";
  file.defaultExtension = "scu";
  EXPECT_EQ(dialogs.saveFile(file), "");
  EXPECT_EQ(dialogs.chooseFolder("Folder", "/"), "");
  int selections = 0;
  EXPECT_FALSE(dialogs.chooseFromList({"Skin", {"a", "b"}, 0, "OK"}, [&](int32_t) { ++selections; }).has_value());
  bool called = false;
  dialogs.scanHardDrive({}, [&](const HdScanChoice&) { return called = true; });
  dialogs.scanCd({}, [&](CdScanChoice&) { return called = true; });
  dialogs.soundConfig(
      {}, [&](const SoundConfigChoice&) { return true; }, [&](const SoundConfigChoice&) { return called = true; });
  EXPECT_FALSE(dialogs.deleteCd({}).has_value());
  NoModel model;
  EXPECT_FALSE(dialogs.shortcutList({}, model));
  EXPECT_EQ(selections, 0);
  EXPECT_FALSE(called);
  EXPECT_EQ(model.calls, 0);
}

TEST(GtkDialogService, ProgressWithoutADisplayRunsToTheEndAndPumpsTheMainWindow) {
  if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) GTEST_SKIP() << "a display is there";
  GtkDialogService dialogs;
  int pumped = 0;
  dialogs.setPumpHook([&] { ++pumped; });
  auto progress = dialogs.openProgress("Scan", "Stop");
  ASSERT_NE(progress, nullptr);
  for (int i = 0; i < 3; ++i) {
    progress->setText("/music/" + std::to_string(i) + ".mp3");
    progress->pump();
    EXPECT_FALSE(progress->stopRequested());
  }
  EXPECT_EQ(pumped, 3);
}

}  // namespace
}  // namespace zarnel
