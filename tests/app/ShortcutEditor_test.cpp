#include "app/ShortcutEditor.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/WindowSystem.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

struct NoTarget : ShortcutTarget {
  int32_t activeDesk() const override { return 0; }
  void shortcutAction(int32_t, int32_t) override {}
  int32_t crossfader() const override { return 0; }
  void setCrossfader(int32_t) override {}
  void beatMix(int32_t) override {}
};

// Plays the user's part: each edit dialog runs the next script step, which
// returns OK or Cancel.
struct ScriptedDialogs : ShortcutDialogs {
  bool runEdit(ShortcutEdit& edit) override {
    if (edits.empty()) return false;
    auto step = edits.front();
    edits.pop_front();
    return step(edit);
  }
  std::string chooseLoadFile(const std::string& folder) override {
    seenFolder = folder;
    return loadPath;
  }
  std::string chooseSaveFile(const std::string&) override { return savePath; }
  std::deque<std::function<bool(ShortcutEdit&)>> edits;
  std::string loadPath, savePath, seenFolder;
};

std::string keyName(int32_t scan) { return scan == 0x1E ? "A" : scan == 0x14B ? "Left" : "?"; }

struct Rig {
  NoTarget target;
  ShortcutManager manager{target};
  ScriptedDialogs dialogs;
  VirtualFileSystem files;
  ShortcutEditor editor() { return ShortcutEditor(manager, dialogs, files, "/home", keyName); }
};

TEST(ShortcutEditor, AddChangeAndDeleteWorkOnACopyThatOkHandsOver) {
  Rig rig;
  rig.manager.setList({{0x1E, 2, 1}});
  ShortcutEditor e = rig.editor();
  // Add: "crossfader left" on the left arrow; a Cancel and an OK without a
  // key add nothing.
  rig.dialogs.edits.push_back([](ShortcutEdit& edit) {
    edit.chooseAction(38);
    EXPECT_FALSE(edit.deskChoicesShown());
    edit.captureKey(0x25, (0x14B << 16) | 1, 0);
    return true;
  });
  rig.dialogs.edits.push_back([](ShortcutEdit& edit) {
    edit.captureKey(0x25, (0x14B << 16) | 1, 0);
    return false;
  });
  rig.dialogs.edits.push_back([](ShortcutEdit& edit) {
    edit.chooseAction(1);
    return true;  // no key captured
  });
  for (int i = 0; i < 3; ++i) e.add();
  EXPECT_EQ(e.lines(), (std::vector<std::string>{"[A]\tplay desk 1", "[Left]\tcrossfader left"}));
  // Change the first to Ctrl+A on the active desk, then delete it.
  rig.dialogs.edits.push_back([](ShortcutEdit& edit) {
    EXPECT_TRUE(edit.deskChoicesShown());
    edit.chooseTarget(0);
    edit.chooseTarget(7);  // not a target: ignored
    edit.captureKey('A', (0x1E << 16) | 1, msg::kModCtrl);
    return true;
  });
  e.change(0);
  e.change(5);  // no such line
  EXPECT_EQ(e.lines()[0], "[ctrl+A]\tplay active desk");
  EXPECT_EQ(rig.manager.list()->size(), 1u);  // nothing handed over yet
  e.remove(0);
  e.accept();
  ASSERT_EQ(rig.manager.list()->size(), 1u);
  EXPECT_EQ((*rig.manager.list())[0].action, 38);
}

TEST(ShortcutEditor, FilesLoadIntoTheCopyAndADamagedOneChangesNothing) {
  Rig rig;
  rig.manager.setList({{0x1E, 2, 1}, {0x14B, 0, 38}});
  ShortcutEditor e = rig.editor();
  rig.dialogs.savePath = "/home/set.scu";
  ASSERT_TRUE(e.save());
  EXPECT_EQ(rig.files.bytes("/home/set.scu"), (std::vector<uint8_t>{0x1E, 0, 2, 1, 0x4B, 1, 0, 38}));
  e.remove(0);
  rig.files.put("/home/bad.scu", std::vector<uint8_t>(10, 7));
  rig.dialogs.loadPath = "/home/bad.scu";
  EXPECT_EQ(e.load(), ShortcutFileResult::kDamaged);
  EXPECT_EQ(e.bindings().size(), 1u);
  EXPECT_EQ(rig.dialogs.seenFolder, "/home");
  rig.dialogs.loadPath = "/home/set.scu";
  EXPECT_EQ(e.load(), ShortcutFileResult::kLoaded);
  EXPECT_EQ(e.bindings().size(), 2u);
  rig.dialogs.loadPath.clear();  // cancelled
  EXPECT_EQ(e.load(), ShortcutFileResult::kUnreadable);
  EXPECT_EQ(e.bindings().size(), 2u);
}

}  // namespace
}  // namespace zarnel
