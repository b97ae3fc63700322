#include "app/LibraryShell.h"

#include <gtest/gtest.h>

#include "app/support/MainWindowRig.h"
#include "app/SoundConfiguration.h"
#include "platform/MessagePoster.h"
#include "desk/Desk.h"
#include "library/LibraryPaths.h"
#include "mixer/OutputEngine.h"
#include "skin/OptionRows.h"
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
  void press(uint32_t id, int32_t x, int32_t y, int32_t keys = msg::kMkLButton) {
    Message m = make(w, id, keys);
    m.x = x;
    m.y = y;
    main->handle(m);
  }
  void doubleClick(int32_t x, int32_t y) {
    click(x, y);
    click(x, y);  // the virtual clock stands still: within the double-click time
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
  s.main->handle(make(s.w, msg::kPaint));  // presents what the page drew
  EXPECT_TRUE(test::matchesGolden("library-options-page", s.w->screen(), s.w->width(), s.w->height()));

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

TEST(LibraryShell, TheFolderTreeListsTheDemoSongsAndADoubleClickLoadsOne) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  library.showBrowserPage(kPageFiles);
  BrowserList* files = library.panel().fileList();
  ASSERT_NE(files, nullptr);
  ASSERT_NE(library.panel().tree(), nullptr);
  EXPECT_EQ(library.actions().listedFolder(), "sample songs");  // the favourite at the first start
  ASSERT_EQ(files->items().size(), 2u);
  EXPECT_EQ(files->items()[0].author, "Zarnel Demo");
  s.main->handle(make(s.w, msg::kTimer, timer::kDisplay));
  s.main->handle(make(s.w, msg::kPaint));
  EXPECT_TRUE(test::matchesGolden("library-files-page", s.w->screen(), s.w->width(), s.w->height()));

  const SkinRect r = files->rect();
  const int32_t rowY = r.y + files->headingHeight() + files->rowHeight() / 2 + 2;
  s.doubleClick(r.x + 40, rowY);
  EXPECT_EQ(s.main->desk(0)->status(), kStatusLoaded);
  ASSERT_EQ(s.w->timers().count(timer::kLoad[0]), 1u);
  EXPECT_EQ(s.w->timers().at(timer::kLoad[0]), 40000);  // 39 s later nothing is recorded yet
  EXPECT_TRUE(library.history().empty());
  s.main->handle(make(s.w, msg::kTimer, timer::kLoad[0]));  // 40 seconds later
  ASSERT_EQ(library.history().records().size(), 1u);
  EXPECT_EQ(s.w->timers().count(timer::kLoad[0]), 0u);

  // The second row dragged onto the playlist list queues it there.
  BrowserList* playlist = library.panel().playlistList();
  ASSERT_NE(playlist, nullptr);
  library.panel().pane(1).start(400, true);
  library.showBrowserPage(kPageFiles);
  const SkinRect p = playlist->rect();
  ASSERT_GT(p.width, 0);
  const int32_t secondY = rowY + files->rowHeight();
  s.press(msg::kLButtonDown, r.x + 40, secondY);
  s.press(msg::kMouseMove, r.x + 60, secondY + 10);
  s.press(msg::kMouseMove, p.x + 30, p.y + 40);
  EXPECT_EQ(s.w->cursor(), CursorShape::kPicture);  // one item's drag picture
  EXPECT_EQ(s.w->cursorPictureWidth(), 32);
  s.press(msg::kLButtonUp, p.x + 30, p.y + 40, 0);
  EXPECT_EQ(s.w->cursor(), CursorShape::kArrow);
  ASSERT_EQ(library.playlist().size(), 1u);
  EXPECT_EQ(library.playlist().items()[0].title, "Night Drive");
}

TEST(LibraryShell, AnAudibleDeskAsksBeforeItsTrackIsReplaced) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  std::vector<ListItem> first = {makeListItem("sample songs/Zarnel Demo - Deep Groove.wav", 100)};
  library.actions().loadOntoDesk(0, first[0]);
  ASSERT_EQ(s.main->desk(0)->play(), 0);
  s.dialogs.queueAsk(false);
  library.actions().loadSelected(0);  // nothing selected: nothing asked
  EXPECT_TRUE(s.dialogs.shown().empty());
  BrowserList* files = library.panel().fileList();
  files->selectRow(1, 0);
  library.actions().listClicked(*files);
  library.actions().loadSelected(0);
  ASSERT_EQ(s.dialogs.shown().size(), 1u);
  EXPECT_EQ(s.main->desk(0)->status(), kStatusLoaded);
}

TEST(LibraryShell, AnEmptyScanListAsksForAScanOnceAndTheScanFillsTheDatabaseList) {
  Library s;
  if (!test::putShippedSkin(s.files, settings().homeFolder, "default")) GTEST_SKIP() << "no shipped skin";
  s.folders.addFile("/home/dj/Music/Alpha - Tune.mp3", 4000);
  s.folders.addFile("/home/dj/Music/notes.txt", 10);
  s.sound.addCard("card");
  ASSERT_TRUE(s.create());
  s.w = s.windows.find("ZARNEL");
  LibraryShell& library = *s.main->library();
  ASSERT_TRUE(library.scanList().items().empty());
  s.dialogs.queueAsk(true);
  HdScanChoice homeOnly;
  homeOnly.ticked = {true, false};
  s.dialogs.queueHdScan({HdScanChoice{}, homeOnly});  // nothing ticked first: the dialog stays open
  library.showBrowserPage(kPageSearch);
  ASSERT_EQ(library.scanList().items().size(), 1u);
  EXPECT_EQ(library.scanList().items()[0].path, "/home/dj/Music/Alpha - Tune.mp3");
  ASSERT_NE(library.panel().databaseList(), nullptr);
  EXPECT_EQ(library.panel().databaseList()->items().size(), 1u);
  const size_t shown = s.dialogs.shown().size();
  library.showBrowserPage(kPageFiles);
  library.showBrowserPage(kPageSearch);  // asked once per run only
  EXPECT_EQ(s.dialogs.shown().size(), shown);
}

TEST(LibraryShell, TheSoundConfigurationRebuildsTheEngineWhileTheDeskPlays) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  library.actions().loadOntoDesk(0, makeListItem("sample songs/Zarnel Demo - Deep Groove.wav", 100));
  ASSERT_EQ(s.main->desk(0)->play(), 0);
  s.dialogs.queueSoundConfig({SoundConfigChoice{kOneCard, kSpeakersAndHeadphones, false, 0, 0}});
  library.options().runOption(kRowSoundConfig);
  EXPECT_EQ(settings().outputMode, 1);
  ASSERT_NE(s.main->soundOutput()->engine(), nullptr);
  EXPECT_TRUE(s.main->desk(0)->playing());
  EXPECT_TRUE(s.main->soundOutput()->engine()->isAudible(0));
}

TEST(LibraryShell, ALoadWithinFortySecondsRestartsTheHistoryTimer) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  library.actions().loadOntoDesk(0, makeListItem("sample songs/Zarnel Demo - Deep Groove.wav", 100));
  TrackEntry* first = s.main->desk(0)->entry();
  library.actions().loadOntoDesk(0, makeListItem("sample songs/Zarnel Demo - Night Drive.wav", 100));
  s.main->handle(make(s.w, msg::kTimer, timer::kLoad[0]));
  ASSERT_EQ(library.history().records().size(), 1u);
  EXPECT_FALSE(library.history().contains(first));
  EXPECT_TRUE(library.history().contains(s.main->desk(0)->entry()));
}

// AutoMix on the running program: switching it on fills both desks from the
// playlist and starts the desk that is not the default one; a mix-in message
// runs the transition on timer 149 to the crossfader's end.
TEST(LibraryShell, AutoMixFillsTheDesksAndRunsATransition) {
  Library s;
  if (!s.start()) GTEST_SKIP() << "no shipped skin";
  LibraryShell& library = *s.main->library();
  library.playlist().append({makeListItem("sample songs/Zarnel Demo - Deep Groove.wav", 100),
                             makeListItem("sample songs/Zarnel Demo - Night Drive.wav", 100)});
  library.browserCommand(panelbutton::kAutoMix);
  ASSERT_TRUE(library.autoMixOn());
  EXPECT_EQ(s.main->desk(0)->status(), kStatusLoaded);
  EXPECT_EQ(s.main->desk(1)->status(), kStatusLoaded);
  EXPECT_TRUE(library.playlist().empty());
  EXPECT_TRUE(s.main->desk(1)->playing());
  EXPECT_FALSE(s.main->desk(0)->playing());

  s.main->handle(make(s.w, kMsgMixIn, 0));
  ASSERT_EQ(s.w->timers().count(timer::kAutoMix), 1u);
  EXPECT_EQ(s.w->timers().at(timer::kAutoMix), 200);
  EXPECT_TRUE(s.main->desk(0)->playing());
  EXPECT_EQ(s.app.mixer().crossfader(), 4096);  // starts fully on the outgoing desk 2
  for (int i = 0; i < 16; ++i) s.main->handle(make(s.w, msg::kTimer, timer::kAutoMix));
  EXPECT_EQ(s.app.mixer().crossfader(), 2048);
  EXPECT_EQ(s.app.activeDesk(), 1);  // the preview follows the outgoing desk at the centre
  for (int i = 0; i < 16; ++i) s.main->handle(make(s.w, msg::kTimer, timer::kAutoMix));
  EXPECT_EQ(s.app.mixer().crossfader(), 0);
  EXPECT_EQ(s.w->timers().count(timer::kAutoMix), 0u);
  EXPECT_FALSE(s.main->autoMix()->controller().running());
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
