#include "app/LibraryShell.h"

#include <gtest/gtest.h>

#include "app/support/MainWindowRig.h"
#include "library/LibraryPaths.h"
#include "skin/support/GoldenImage.h"

namespace zarnel {
namespace {

using test::make;

struct Library : test::MainWindowRig {
  // The shipped skin, a scan list of three tracks, the window created.
  bool start() {
    if (!test::putShippedSkin(files, settings().homeFolder, "default")) return false;
    files.put(pathInFolder(settings().homeFolder, "mp3database.txt"),
              test::textBytes("/music/Alpha - One.mp3,100\r\n/music/Beta - Two.mp3,200\r\nCD1=\\Gamma.mp3,300\r\n"));
    sound.addCard("card");
    if (!create()) return false;
    w = windows.find("ZARNEL");
    return w != nullptr;
  }
  void click(int32_t x, int32_t y) {
    Message down = make(w, msg::kLButtonDown, msg::kMkLButton);
    down.x = x;
    down.y = y;
    main->handle(down);
    Message up = make(w, msg::kLButtonUp);
    up.x = x;
    up.y = y;
    main->handle(up);
  }
  void key(int32_t vk, int32_t modifiers = 0) {
    Message m = make(w, msg::kKeyDown, vk);
    m.modifiers = modifiers;
    main->handle(m);
  }
  void moveTo(int32_t x, int32_t y) {
    Message m = make(w, msg::kMouseMove);
    m.x = x;
    m.y = y;
    main->handle(m);
  }
  VirtualWindow* w = nullptr;
};

TEST(LibraryShell, TheOptionsPageShowsEveryRowAndAClickChangesItsSetting) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  s.main->handle(make(s.w, msg::kTimer, timer::kDisplay));
  library.showBrowserPage(kPageOptions);
  EXPECT_EQ(library.browserPage(), kPageOptions);
  EXPECT_TRUE(test::matchesGolden("library-options-page", s.w->backBuffer(), s.w->width(), s.w->height()));

  OptionRow* tooltips = library.panel().optionRow(kRowToolTip);
  ASSERT_NE(tooltips, nullptr);
  const int32_t before = settings().toolTip;
  const SkinRect r = tooltips->rect();
  s.click(r.x + 2, r.y + r.height / 2);
  EXPECT_EQ(settings().toolTip, before == 0 ? 1 : 0);
}

TEST(LibraryShell, TypingInTheSearchFieldFiltersTheScanListBeforeAnyShortcut) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  EXPECT_EQ(library.scanList().items().size(), 3u);
  library.showBrowserPage(kPageSearch);
  SearchField* field = library.panel().searchField();
  ASSERT_NE(field, nullptr);
  const SkinRect r = field->rect();
  s.click(r.x + 4, r.y + r.height / 2);
  ASSERT_TRUE(field->holdsKeyboard());
  EXPECT_EQ(s.w->timers().count(timer::kCaret), 1u);
  s.key('T');
  s.key('W');
  EXPECT_EQ(field->text(), "tw");
  EXPECT_EQ(library.scanList().currentSearch(), "TW");
  EXPECT_EQ(library.scanList().shown().size(), 1u);
  s.key(0xBD, msg::kModShift);  // "_" on a US keyboard
  EXPECT_EQ(field->text(), "tw_");
  EXPECT_TRUE(library.scanList().shown().empty());

  // A click elsewhere takes the keyboard away; keys then go to the shortcuts.
  s.click(5, 5);
  EXPECT_FALSE(field->holdsKeyboard());
  EXPECT_EQ(s.w->timers().count(timer::kCaret), 0u);
  s.key('X');
  EXPECT_EQ(field->text(), "tw_");
}

TEST(LibraryShell, AnUnlockedPaneSlidesOpenUnderThePointer) {
  Library s;
  settings().panel2Locked = 0;
  settings().panel2Size = 300;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  library.showBrowserPage(kPageFiles);
  SlidingPane& playlist = library.panel().pane(1);
  EXPECT_EQ(playlist.weight(), 0);
  const SkinRect zone = s.main->renderer()->skin()->browser->rect();
  s.moveTo(zone.right() - 4, zone.y + 20);  // the closed pane's splitter
  EXPECT_EQ(s.w->timers().count(timer::kPanes), 1u);
  for (int i = 0; i < 5; ++i) s.main->handle(make(s.w, msg::kTimer, timer::kPanes));
  EXPECT_EQ(playlist.weight(), 0);
  s.main->handle(make(s.w, msg::kTimer, timer::kPanes));
  EXPECT_EQ(playlist.weight(), 64);
  for (int i = 0; i < 10; ++i) s.main->handle(make(s.w, msg::kTimer, timer::kPanes));
  EXPECT_EQ(playlist.weight(), 300);
  EXPECT_EQ(s.w->timers().count(timer::kPanes), 0u);
}

TEST(LibraryShell, CharactersOfKeysFollowAUsKeyboard) {
  EXPECT_EQ(charactersOfKey('A', 0), "a");
  EXPECT_EQ(charactersOfKey('A', msg::kModShift), "A");
  EXPECT_EQ(charactersOfKey('1', msg::kModShift), "!");
  EXPECT_EQ(charactersOfKey(0x63, 0), "3");
  EXPECT_EQ(charactersOfKey(0xDC, 0), "\\");
  EXPECT_EQ(charactersOfKey('A', msg::kModCtrl), "");
  EXPECT_EQ(charactersOfKey(0x70, 0), "");  // F1 types nothing
}

}  // namespace
}  // namespace zarnel
