#include "skin/BrowserList.h"

#include <gtest/gtest.h>

#include <deque>

#include "library/TrackEntry.h"
#include "skin/ListColumns.h"
#include "skin/support/BrowserTestKit.h"
#include "skin/support/GoldenImage.h"

namespace zarnel {
namespace {

struct Host : BrowserListHost {
  std::deque<TrackEntry> entries;
  std::map<std::string, TrackEntry*> byPath;
  std::vector<std::string> played, events;
  std::vector<ListItem> dragged;
  int32_t lookups = 0, timerMs = 0;
  bool sizing = false;

  TrackEntry* findEntry(const ListItem& item) override {
    ++lookups;
    const auto it = byPath.find(item.path);
    return it == byPath.end() ? nullptr : it->second;
  }
  bool playedThisRun(const ListItem& item) override {
    return std::find(played.begin(), played.end(), item.path) != played.end();
  }
  void openContextMenu(BrowserList&, size_t index, int32_t, int32_t) override {
    events.push_back("menu " + std::to_string(index));
  }
  void expandPlaylistFile(BrowserList&, size_t index) override { events.push_back("expand " + std::to_string(index)); }
  void placeSelected(BrowserList&) override { events.push_back("place"); }
  void beginDrag(BrowserList&, std::vector<ListItem> items) override {
    events.push_back("drag " + std::to_string(items.size()));
    dragged = std::move(items);
  }
  void dragMoved(BrowserList&, int32_t, int32_t) override {}
  void dragDropped(BrowserList&, int32_t x, int32_t y) override {
    events.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
  }
  void showSizingCursor(bool on) override { sizing = on; }
  void startRepeat(RepeatClient&, int32_t ms) override { timerMs = ms; }
  void stopRepeat(RepeatClient&) override { timerMs = 0; }

  void entry(const std::string& path, float bpm, int32_t lastUse = 0, const std::string& comment = "") {
    entries.push_back({});
    entries.back().bpm = bpm;
    entries.back().lastUse = lastUse;
    entries.back().storedComment = comment;
    byPath[path] = &entries.back();
  }
};

// Geometry with the built-in font at height 12: rows 16 pixels, heading 20,
// so a list 102 pixels high shows five rows from y = 21.
constexpr int32_t kRow = 16, kFirstRowY = 21;

struct Rig {
  explicit Rig(ListKind kind = ListKind::kFiles, int32_t height = 102)
      : panel(420, 200), list(kind, host, bands, test::defaultBrowserLook()) {
    list.bind(&panel.context);
    list.setRect(0, 0, 400, height);
    list.setHeadings({"Title", "Author", "Bpm", "Comment", "Disc", "Path"});
  }
  void fill(int32_t count) {
    std::vector<ListItem> items;
    for (int32_t i = 0; i < count; ++i) items.push_back(makeListItem("/m/Track " + std::to_string(i) + ".mp3", 1000));
    list.setItems(std::move(items));
  }
  int32_t rowY(int64_t index) const { return kFirstRowY + int32_t(index - list.firstVisible()) * kRow + 5; }
  void click(int64_t index, int32_t keys = keys::kLeft) {
    list.mouseDown(100, rowY(index), keys);
    list.mouseUp(100, rowY(index), keys);
  }
  std::vector<int64_t> selected() const {
    std::vector<int64_t> out;
    for (size_t i = 0; i < list.items().size(); ++i)
      if (list.items()[i].selected) out.push_back(int64_t(i));
    return out;
  }
  std::vector<std::string> titles() const {
    std::vector<std::string> out;
    for (const ListItem& item : list.items()) out.push_back(item.title);
    return out;
  }

  test::PanelRig panel;
  Host host;
  BandSizes bands{};
  BrowserList list;
};

using Rows = std::vector<int64_t>;

TEST(BrowserList, WeightsThatDoNotAddUpAreResetAndOthersKept) {
  Host host;
  BandSizes bands{100, 200, 300, 424, 1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
  BrowserList files(ListKind::kFiles, host, bands, {});
  BrowserList playlist(ListKind::kPlaylist, host, bands, {});
  BrowserList database(ListKind::kDatabase, host, bands, {});
  EXPECT_EQ(bands[0], 100);  // adds to 1024: kept
  EXPECT_EQ(bands[3], 424);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(bands[size_t(i)], 256);
  for (int i = 8; i < 13; ++i) EXPECT_EQ(bands[size_t(i)], 170);
  EXPECT_EQ(bands[13], 174);  // the last column takes the remainder
}

TEST(BrowserList, SelectionPlainControlAndShift) {
  Rig rig;
  rig.fill(5);
  rig.click(1);
  EXPECT_EQ(rig.selected(), (Rows{1}));
  rig.click(3, keys::kLeft | kMouseShift);
  EXPECT_EQ(rig.selected(), (Rows{1, 2, 3}));
  rig.click(2, keys::kLeft | kMouseControl);
  EXPECT_EQ(rig.selected(), (Rows{1, 3}));
  // The control click moved the anchor: shift now spans from row 2.
  rig.click(4, keys::kLeft | kMouseShift);
  EXPECT_EQ(rig.selected(), (Rows{2, 3, 4}));
  // A plain click on a selected row selects only it on release (no drag).
  rig.click(3);
  EXPECT_EQ(rig.selected(), (Rows{3}));
  EXPECT_EQ(rig.list.cursor(), 3);
}

TEST(BrowserList, KeysMoveTheCursorSelectItAloneAndScrollIt) {
  Rig rig;
  rig.fill(12);
  EXPECT_TRUE(rig.list.key(listkey::kDown));  // no cursor: the first visible item
  EXPECT_EQ(rig.list.cursor(), 0);
  rig.click(2, keys::kLeft | kMouseShift);
  EXPECT_TRUE(rig.list.key(listkey::kDown));
  EXPECT_EQ(rig.selected(), (Rows{3}));
  EXPECT_TRUE(rig.list.key(listkey::kPageDown));  // by five visible rows
  EXPECT_EQ(rig.list.cursor(), 8);
  EXPECT_EQ(rig.list.firstVisible(), 4);  // scrolled into view
  EXPECT_TRUE(rig.list.key(listkey::kEnd));
  EXPECT_EQ(rig.selected(), (Rows{11}));
  EXPECT_EQ(rig.list.firstVisible(), 7);
  EXPECT_TRUE(rig.list.key(listkey::kPageUp));
  EXPECT_EQ(rig.list.cursor(), 6);
  EXPECT_TRUE(rig.list.key(listkey::kHome));
  EXPECT_EQ(rig.list.firstVisible(), 0);
  EXPECT_TRUE(rig.list.key(listkey::kUp));  // stays on the first item
  EXPECT_EQ(rig.selected(), (Rows{0}));
  EXPECT_FALSE(rig.list.key(0x41));
}

TEST(BrowserList, DeleteRemovesSelectedItemsOnlyOnThePlaylistList) {
  Rig files(ListKind::kFiles);
  files.fill(4);
  files.click(1);
  EXPECT_FALSE(files.list.key(listkey::kDelete));
  EXPECT_EQ(files.list.items().size(), 4u);

  Rig playlist(ListKind::kPlaylist);
  std::vector<ListItem> external;
  playlist.list.attach(&external);
  playlist.fill(4);
  EXPECT_EQ(external.size(), 4u);  // the attached vector holds the items
  playlist.click(1);
  playlist.click(3, keys::kLeft | kMouseControl);
  EXPECT_TRUE(playlist.list.key(listkey::kDelete));
  EXPECT_EQ(playlist.titles(), (std::vector<std::string>{"Track 0", "Track 2"}));
  EXPECT_EQ(external.size(), 2u);
  EXPECT_LT(playlist.list.cursor(), 2);
}

TEST(BrowserList, ScrollBarGeometryArrowsRepeatPagesAndThumb) {
  Rig rig;
  rig.fill(20);
  const ListScrollBar& bar = rig.list.scrollBar();
  ASSERT_TRUE(bar.needed());
  // Right edge inside the border, below the heading, 16 wide.
  EXPECT_EQ(bar.rect().x, 399 - 16);
  EXPECT_EQ(bar.rect().y, kFirstRowY);
  EXPECT_EQ(bar.rect().height, 80);
  // Track 48 pixels: thumb 48 × 5 / 20 = 12 long, at the top.
  EXPECT_EQ(bar.thumb().height, 12);
  EXPECT_EQ(bar.thumb().y, kFirstRowY + 16);
  // The down arrow scrolls one row and repeats after 400 ms, then every 100.
  rig.list.mouseDown(390, kFirstRowY + 70, keys::kLeft);
  EXPECT_EQ(rig.list.firstVisible(), 1);
  EXPECT_EQ(rig.host.timerMs, 400);
  rig.list.repeatTick();
  EXPECT_EQ(rig.list.firstVisible(), 2);
  EXPECT_EQ(rig.host.timerMs, 100);
  rig.list.mouseUp(390, kFirstRowY + 70, keys::kLeft);
  EXPECT_EQ(rig.host.timerMs, 0);
  // A press below the thumb pages by the five visible rows.
  rig.list.mouseDown(390, kFirstRowY + 60, keys::kLeft);
  rig.list.mouseUp(390, kFirstRowY + 60, keys::kLeft);
  EXPECT_EQ(rig.list.firstVisible(), 7);
  // Dragging the thumb to the track's end shows the last rows.
  const SkinRect thumb = rig.list.scrollBar().thumb();
  rig.list.mouseDown(390, thumb.y + 2, keys::kLeft);
  rig.list.mouseMove(390, thumb.y + 200, keys::kLeft);
  EXPECT_EQ(rig.list.firstVisible(), 15);
  rig.list.mouseUp(390, thumb.y + 200, keys::kLeft);
  // The wheel scrolls by its steps; a shrinking list scrolls back.
  rig.list.wheel(100, 50, 0, 2);
  EXPECT_EQ(rig.list.firstVisible(), 13);
  rig.list.items().resize(8);
  rig.list.itemsChanged();
  EXPECT_EQ(rig.list.firstVisible(), 3);
}

TEST(BrowserList, ThumbKeepsItsMinimumLength) {
  Rig rig;
  rig.fill(5000);
  EXPECT_EQ(rig.list.scrollBar().thumb().height, kScrollMinThumb);
  rig.list.key(listkey::kEnd);
  const SkinRect& bar = rig.list.scrollBar().rect();
  EXPECT_EQ(rig.list.scrollBar().thumb().bottom(), bar.bottom() - 16);
}

TEST(BrowserList, AnEmptyFolderGivesAnEmptyListWithoutAScrollBar) {
  Rig rig;
  rig.list.showFolderFiles({});
  EXPECT_TRUE(rig.list.items().empty());
  EXPECT_FALSE(rig.list.scrollBar().needed());
  EXPECT_EQ(rig.list.indexAt(100, kFirstRowY + 2), -1);
  rig.list.mouseDown(100, kFirstRowY + 2, keys::kLeft);  // nothing to hit
  EXPECT_TRUE(rig.list.key(listkey::kDown));
  EXPECT_EQ(rig.list.cursor(), -1);
  // The rows area is the face colour up to the border: no bar drawn.
  EXPECT_EQ(rig.panel.at(390, 60), 0x1A1D23u);
}

TEST(BrowserList, ClickingTheBpmHeadingTwiceGivesTheLowestFirstWithPlaylistFilesFirst) {
  Rig rig;
  rig.host.entry("/m/a.mp3", 120.0f);
  rig.host.entry("/m/b.mp3", 95.5f);
  rig.host.entry("/m/c.mp3", 128.0f);
  rig.list.setItems({makeListItem("/m/a.mp3", 1), makeListItem("/m/set.m3u", kPlaylistFileSize),
                     makeListItem("/m/b.mp3", 1), makeListItem("/m/c.mp3", 1)});
  const int32_t bpmX = (rig.list.columnLeft(2) + rig.list.columnLeft(3)) / 2;
  rig.list.mouseDown(bpmX, 10, keys::kLeft);
  rig.list.mouseUp(bpmX, 10, keys::kLeft);
  EXPECT_EQ(rig.list.sortKey(), kColBpm);
  EXPECT_EQ(rig.titles(), (std::vector<std::string>{"c", "a", "b", "set.m3u"}));
  rig.list.mouseDown(bpmX, 10, keys::kLeft);
  rig.list.mouseUp(bpmX, 10, keys::kLeft);
  EXPECT_EQ(rig.list.sortDirection(), -1);
  EXPECT_EQ(rig.titles(), (std::vector<std::string>{"set.m3u", "b", "a", "c"}));
  // Another cell becomes the key with the direction unchanged.
  rig.list.sortOnCell(1);
  EXPECT_EQ(rig.list.sortKey(), kColTitle);
  EXPECT_EQ(rig.titles(), (std::vector<std::string>{"set.m3u", "c", "b", "a"}));
  // A press released on another cell sorts nothing.
  rig.list.mouseDown(bpmX, 10, keys::kLeft);
  rig.list.mouseUp(rig.list.columnLeft(0) + 5, 10, keys::kLeft);
  EXPECT_EQ(rig.list.sortKey(), kColTitle);
  EXPECT_EQ(rig.host.lookups, 4);  // each entry looked up once
}

TEST(BrowserList, FolderFilesComeInStatusOrderAndTheSortResets) {
  Rig rig;
  rig.host.entry("/m/old.mp3", 0, 100);
  rig.host.entry("/m/recent.mp3", 0, 300);
  rig.host.played = {"/m/now.mp3"};
  rig.list.sortOnCell(1);
  rig.list.showFolderFiles({makeListItem("/m/new1.mp3", 1), makeListItem("/m/now.mp3", 1),
                            makeListItem("/m/old.mp3", 1), makeListItem("/m/list.pls", kPlaylistFileSize),
                            makeListItem("/m/recent.mp3", 1), makeListItem("/m/new2.mp3", 1)});
  EXPECT_EQ(rig.list.sortKey(), kSortStatus);
  EXPECT_EQ(rig.list.sortDirection(), 1);
  EXPECT_EQ(rig.titles(), (std::vector<std::string>{"recent", "old", "new1", "new2", "list.pls", "now"}));
}

TEST(BrowserList, HeadingBordersResizeAndDoubleClickResets) {
  Rig rig;
  rig.fill(3);
  const int32_t border = rig.list.columnLeft(1);
  rig.list.hover(border + 5, 10, 0);
  EXPECT_TRUE(rig.host.sizing);
  rig.list.hover(border + 40, 10, 0);
  EXPECT_FALSE(rig.host.sizing);
  // Dragging the first border right by 64 pixels of 360 text pixels.
  rig.list.mouseDown(border + 3, 10, keys::kLeft);
  rig.list.mouseMove(border + 64, 10, keys::kLeft);
  rig.list.mouseUp(border + 64, 10, keys::kLeft);
  EXPECT_EQ(rig.bands[0],
            (border + 64 - rig.list.columnLeft(0)) * 1024 / 378);  // 398 inner pixels less the status cell
  EXPECT_EQ(rig.bands[0] + rig.bands[1], 512);
  EXPECT_EQ(rig.list.sortKey(), kSortStatus);  // a border press sorts nothing
  rig.list.mouseDown(rig.list.columnLeft(2) - 2, 10, keys::kLeft | keys::kDoubleClick);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(rig.bands[size_t(i)], 256);

  Rig database(ListKind::kDatabase);
  database.list.mouseDown(database.list.columnLeft(3), 10, keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ((std::vector<int32_t>(database.bands.begin() + 8, database.bands.end())),
            (std::vector<int32_t>{171, 171, 171, 171, 170, 170}));
}

TEST(BrowserList, RightButtonDoubleClickAndDragAskTheHost) {
  Rig files;
  files.fill(4);
  files.list.mouseDown(100, files.rowY(2), keys::kRight | keys::kRightButton);
  EXPECT_EQ(files.host.events.back(), "menu 2");
  EXPECT_EQ(files.selected(), (Rows{2}));
  files.list.mouseDown(100, files.rowY(1), keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ(files.host.events.back(), "place");
  // Dragging two selected rows copies them out of the file list.
  files.click(0);
  files.click(1, keys::kLeft | kMouseShift);
  files.list.mouseDown(100, files.rowY(1), keys::kLeft);
  files.list.mouseMove(100, files.rowY(1) + 10, keys::kLeft);
  files.list.mouseUp(500, 150, keys::kLeft);
  EXPECT_EQ(files.host.events[files.host.events.size() - 2], "drag 2");
  EXPECT_EQ(files.host.events.back(), "drop 500,150");
  EXPECT_EQ(files.list.items().size(), 4u);

  Rig playlist(ListKind::kPlaylist);
  playlist.list.setItems({makeListItem("/m/a.mp3", 1), makeListItem("/m/s.pls", kPlaylistFileSize)});
  playlist.list.mouseDown(100, playlist.rowY(1), keys::kRight | keys::kRightButton);
  EXPECT_TRUE(playlist.host.events.empty());  // no menu on the playlist list
  playlist.list.mouseDown(100, playlist.rowY(1), keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ(playlist.host.events.back(), "expand 1");
  // Dragging moves the playlist's rows out; a drop puts them back in.
  playlist.click(0);
  playlist.list.mouseDown(100, playlist.rowY(0), keys::kLeft);
  playlist.list.mouseMove(108, playlist.rowY(0), keys::kLeft);
  EXPECT_EQ(playlist.list.items().size(), 1u);
  playlist.list.mouseUp(108, playlist.rowY(0), keys::kLeft);
  playlist.list.insertItems(1, playlist.host.dragged);
  EXPECT_EQ(playlist.titles(), (std::vector<std::string>{"s.pls", "a"}));
  EXPECT_EQ(playlist.selected(), (Rows{1}));
}

TEST(BrowserListGolden, AListWithAFewRows) {
  Rig rig(ListKind::kFiles, 118);
  rig.host.entry("/m/Daft_Ink - Around the Block.mp3", 123.0f, 20230, "classic");
  rig.host.entry("/m/Moby Wake - Porcelain Sky.mp3", 97.5f, 0, "warm up");
  rig.host.entry("/m/(Kraft Unit) Numbers And Letters In A Very Long Title.mp3", 128.0f, 20100);
  rig.host.played = {"/m/Moby Wake - Porcelain Sky.mp3"};
  std::vector<ListItem> items;
  for (const char* name : {"Daft_Ink - Around the Block.mp3", "Moby Wake - Porcelain Sky.mp3",
                           "(Kraft Unit) Numbers And Letters In A Very Long Title.mp3", "Friday set.m3u",
                           "07 - Untitled.wav", "Zed - Last.mp3", "Zed - Encore.mp3"})
    items.push_back(makeListItem(std::string("/m/") + name,
                                 std::string(name).find(".m3u") != std::string::npos ? kPlaylistFileSize : 1000));
  rig.list.setItems(std::move(items));
  rig.click(1);
  rig.click(2, keys::kLeft | kMouseShift);
  rig.list.sortOnCell(0);
  rig.list.draw();
  EXPECT_TRUE(test::matchesGolden("browser-list", rig.panel.back.data(), rig.panel.width, 130));
}

}  // namespace
}  // namespace zarnel
