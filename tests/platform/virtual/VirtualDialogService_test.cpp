#include "platform/virtual/VirtualDialogService.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(VirtualDialogService, ScriptedAnswersInOrderThenTheSafeOnes) {
  VirtualDialogService dialogs;
  dialogs.setOwner(100, 50, 800, 600);
  dialogs.queueAsk(true);
  dialogs.queueEditText("128.5");
  dialogs.queueEditText(std::nullopt);
  dialogs.queueSaveFile("/home/u/mix.wav");
  EXPECT_TRUE(dialogs.ask("Scan?", "Zarnel", "Yes", "No"));
  EXPECT_FALSE(dialogs.ask("Again?", "Zarnel", "Yes", "No"));  // unscripted: No
  EXPECT_EQ(dialogs.editText("EditBpm", "120.0", 9, "OK"), "128.5");
  EXPECT_EQ(dialogs.editText("EditBpm", "120.0", 9, "OK"), std::nullopt);
  EXPECT_EQ(dialogs.editText("EditBpm", "120.0", 9, "OK"), std::nullopt);
  EXPECT_EQ(dialogs.saveFile(FileDialogSpec{}), "/home/u/mix.wav");
  EXPECT_EQ(dialogs.openFile(FileDialogSpec{}), "");
  ASSERT_EQ(dialogs.shown().size(), 7u);
  const ShownDialog& first = dialogs.shown()[0];
  EXPECT_EQ(first.kind, "ask");
  EXPECT_EQ(first.title, "Zarnel");
  EXPECT_EQ(first.texts, (std::vector<std::string>{"Scan?", "Yes", "No"}));
  EXPECT_EQ(first.centreX, 500);
  EXPECT_EQ(first.centreY, 350);
}

TEST(VirtualDialogService, EditedTextKeepsToTheFieldsByteLimitWholeCharacters) {
  VirtualDialogService dialogs;
  dialogs.queueEditText("caf\xC3\xA9 au lait");
  EXPECT_EQ(dialogs.editText("EditComment", "", 4, "OK"), "caf");
}

TEST(VirtualDialogService, ListChooserReportsEachNewSelectionThenTheButton) {
  VirtualDialogService dialogs;
  dialogs.queueList({{2, 2, 7, 0}, true});
  dialogs.queueList({{1}, false});
  std::vector<int32_t> selected;
  const ListChooserSpec spec{"SkinConfig", {"a", "b", "c"}, 0, "OK"};
  // Repeats and rows that do not exist are no selections.
  EXPECT_EQ(dialogs.chooseFromList(spec, [&](int32_t i) { selected.push_back(i); }), 0);
  EXPECT_EQ(selected, (std::vector<int32_t>{2, 0}));
  EXPECT_EQ(dialogs.chooseFromList(spec, [&](int32_t i) { selected.push_back(i); }), std::nullopt);
  EXPECT_EQ(selected.back(), 1);
}

TEST(VirtualDialogService, RefusedChoicesKeepTheDialogsOpen) {
  VirtualDialogService dialogs;
  dialogs.queueHdScan({HdScanChoice{{false}}, HdScanChoice{{true}}, HdScanChoice{{true}}});
  int calls = 0;
  dialogs.scanHardDrive({}, [&](const HdScanChoice& c) { return ++calls, c.ticked[0]; });
  EXPECT_EQ(calls, 2);  // closed by the second
  dialogs.queueCdScan({{0, "CD:1"}, {0, "CD1"}});
  std::vector<std::string> names;
  dialogs.scanCd(CdScanSpec{}, [&](CdScanChoice& c) {
    names.push_back(c.name);
    if (c.name.find(':') == std::string::npos) return true;
    c.name = "CD1";
    return false;
  });
  EXPECT_EQ(names, (std::vector<std::string>{"CD:1", "CD1"}));
  EXPECT_EQ(dialogs.shown().back().texts.back(), "CD1");  // the field's rewritten text
}

TEST(VirtualDialogService, SoundConfigPassesOnlyValidChoicesToOk) {
  VirtualDialogService dialogs;
  dialogs.queueSoundConfig({{2, 0}, {0, 2}});
  std::vector<int32_t> accepted;
  dialogs.soundConfig(
      {}, [](const SoundConfigChoice& c) { return !(c.cardSetup == 2 && c.outputSetup == 0); },
      [&](const SoundConfigChoice& c) { return accepted.push_back(c.outputSetup), true; });
  EXPECT_EQ(dialogs.validResults(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(accepted, (std::vector<int32_t>{2}));
}

class Lines : public ShortcutListModel {
 public:
  std::vector<std::string> lines() const override { return rows; }
  void add() override { rows.push_back("new"); }
  void change(int32_t row) override { rows[size_t(row)] += "*"; }
  void remove(int32_t row) override { rows.erase(rows.begin() + row); }
  void load() override { rows = {"loaded"}; }
  void save() override { ++saved; }
  std::vector<std::string> rows{"a", "b"};
  int saved = 0;
};

TEST(VirtualDialogService, ShortcutListRunsTheButtonsAndIgnoresRowsThatAreNotThere) {
  VirtualDialogService dialogs;
  using S = ShortcutListStep;
  dialogs.queueShortcutList({{S::kAdd}, {S::kChange, 0}, {S::kDelete, 1}, {S::kDelete, 9}, {S::kSave}, {S::kOk}});
  Lines model;
  EXPECT_TRUE(dialogs.shortcutList({}, model));
  EXPECT_EQ(model.rows, (std::vector<std::string>{"a*", "new"}));
  EXPECT_EQ(model.saved, 1);
  dialogs.queueShortcutList({{S::kLoad}});  // the script ends: closed
  EXPECT_FALSE(dialogs.shortcutList({}, model));
  EXPECT_FALSE(dialogs.shortcutList({}, model));  // unscripted
}

class Edit : public ShortcutEditModel {
 public:
  void chooseAction(int32_t a) override { action = a; }
  void chooseTarget(int32_t t) override { target = t; }
  std::string captureKey(int32_t vk, int32_t, int32_t) override { return key = vk, "key " + std::to_string(vk); }
  bool deskChoicesShown() const override { return action >= 1 && action <= 35; }
  bool canAccept() const override { return key != 0; }
  int32_t action = 0, target = 0, key = 0;
};

TEST(VirtualDialogService, ShortcutEditAcceptsOnlyWithAKey) {
  VirtualDialogService dialogs;
  dialogs.queueShortcutEdit({.action = 1, .target = 3, .keys = {{0x41, 0x1E0001, 0}}});
  dialogs.queueShortcutEdit({.action = 50, .target = 2, .keys = {}});
  Edit edit;
  EXPECT_TRUE(dialogs.shortcutEdit({}, edit));
  EXPECT_EQ(edit.target, 3);
  EXPECT_EQ(dialogs.shown().back().texts.back(), "key 65");
  Edit global;
  EXPECT_FALSE(dialogs.shortcutEdit({}, global));  // no key: OK stays disabled
  EXPECT_EQ(global.target, 0);                     // desk choices hidden for a global action
}

TEST(VirtualDialogService, ProgressStopsWhenScriptedAndPumpsTheMainWindow) {
  VirtualDialogService dialogs;
  int hook = 0;
  dialogs.setPumpHook([&] { ++hook; });
  dialogs.stopProgressAfter(2);
  auto progress = dialogs.openProgress("ScanHD", "Stop");
  progress->setText("/a.mp3");
  progress->pump();
  EXPECT_FALSE(progress->stopRequested());
  progress->pump();
  EXPECT_TRUE(progress->stopRequested());
  EXPECT_EQ(hook, 2);
  EXPECT_EQ(dialogs.progressTexts(), (std::vector<std::string>{"/a.mp3"}));
  EXPECT_FALSE(dialogs.openProgress("ScanCD", "Stop")->stopRequested());  // the script was for one window
}

}  // namespace
}  // namespace zarnel
