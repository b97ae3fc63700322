#include "app/OptionDialogs.h"

#include <gtest/gtest.h>

#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/ShortcutManager.h"
#include "platform/virtual/VirtualDialogService.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

TEST(OptionDialogs, OnlySkinsWithBothTheirPictureAndTheirDescriptionAreListed) {
  EXPECT_EQ(skinNamesOf({"default.bmp", "default.xml", "panel.bmp", "night.BMP", "night.xml", "x.xml", "tooltip.bmp"}),
            (std::vector<std::string>{"default", "night"}));
  EXPECT_TRUE(skinNamesOf({".bmp", ".xml", "a.bmpx", "a.xml"}).empty());
}

struct NoTarget : ShortcutTarget {
  int32_t activeDesk() const override { return 0; }
  void shortcutAction(int32_t, int32_t) override {}
  int32_t crossfader() const override { return 0; }
  void setCrossfader(int32_t) override {}
  void beatMix(int32_t) override {}
};

// The shortcut list adds a binding through the edit dialog, whose capture
// control takes Ctrl+Shift+Left; Delete drops the first one; OK hands the
// edited list to the manager, Cancel would keep the old one.
TEST(OptionDialogs, TheShortcutListEditsACopyThatOkHandsToTheManager) {
  NoTarget target;
  ShortcutManager manager(target);
  manager.setList({Shortcut{0x10, 2, 1}, Shortcut{0x11, 2, 2}});
  VirtualDialogService dialogs;
  VirtualFileSystem files;
  Settings settings;
  OptionDialogLinks links;
  links.dialogs = &dialogs;
  links.texts = &localisation();
  links.settings = &settings;
  links.files = &files;
  links.shortcuts = &manager;
  links.keyName = [](int32_t scan) { return scan == 0x14B ? std::string("Left") : std::string("?"); };
  OptionDialogs options(links);

  ShortcutEditScript edit;
  edit.action = 5;
  edit.target = 3;
  edit.keys = {KeyPress{0x25, (0x4B << 16) | (1 << 24), 1 | 2}};
  dialogs.queueShortcutEdit(edit);
  dialogs.queueShortcutList({{ShortcutListStep::kAdd, -1}, {ShortcutListStep::kDelete, 0}, {ShortcutListStep::kOk, -1}});
  options.editShortcuts();

  ASSERT_TRUE(manager.list().has_value());
  ASSERT_EQ(manager.list()->size(), 2u);
  EXPECT_EQ((*manager.list())[0].key, 0x11);
  const Shortcut added = (*manager.list())[1];
  EXPECT_EQ(added.key, 0x14B | kKeyShift | kKeyCtrl);
  EXPECT_EQ(added.target, 3);
  EXPECT_EQ(added.action, 5);
  bool sawKeyText = false;
  for (const ShownDialog& d : dialogs.shown()) {
    for (const std::string& t : d.texts) sawKeyText = sawKeyText || t == "Ctrl+Shift+Left";
  }
  EXPECT_TRUE(sawKeyText);

  dialogs.queueShortcutList({{ShortcutListStep::kDelete, 0}, {ShortcutListStep::kCancel, -1}});
  options.editShortcuts();
  EXPECT_EQ(manager.list()->size(), 2u);  // cancelled: unchanged
}

}  // namespace
}  // namespace zarnel
