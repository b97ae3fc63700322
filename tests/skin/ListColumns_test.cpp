#include "skin/ListColumns.h"

#include <gtest/gtest.h>

#include <deque>

#include "library/TrackEntry.h"

namespace zarnel {
namespace {

// Items with entries the test keeps alive.
struct Items {
  std::deque<TrackEntry> entries;
  std::vector<ListItem> list;
  Items() { list.reserve(16); }  // add() hands out references

  ListItem& add(const std::string& path, float bpm = 0.0f, std::string comment = "", int32_t lastUse = 0,
                int32_t size = 1000) {
    list.push_back(makeListItem(path, size));
    if (size != kPlaylistFileSize) {
      entries.push_back({});
      entries.back().bpm = bpm;
      entries.back().storedComment = std::move(comment);
      entries.back().lastUse = lastUse;
      list.back().entry = &entries.back();
    }
    list.back().entryLooked = true;
    return list.back();
  }
  std::vector<std::string> order(int32_t key, int32_t direction, std::vector<int32_t> status = {}) {
    std::vector<ListItem> copy = list;
    sortItems(copy, key, direction, [&](const ListItem& item) {
      const size_t i = size_t(&item - copy.data());
      return status.empty() ? statusValue(item, false) : status[i];
    });
    std::vector<std::string> paths;
    for (const ListItem& item : copy) paths.push_back(item.path);
    return paths;
  }
};

using Paths = std::vector<std::string>;

TEST(ListColumns, ValuesOfEachColumn) {
  Items items;
  ListItem& track = items.add("C:\\Music\\Club\\Artist_Name - Song_Title.mp3", 128.04f, "warm up");
  EXPECT_EQ(columnText(track, kColTitle), "Song Title");
  EXPECT_EQ(columnText(track, kColAuthor), "Artist Name");
  EXPECT_EQ(columnText(track, kColBpm), "128.0");
  EXPECT_EQ(columnText(track, kColComment), "warm up");
  EXPECT_EQ(columnText(track, kColDisc), "C:");
  EXPECT_EQ(columnText(track, kColPath), "\\Music\\Club\\");
  // A comment edited in this run wins over the stored one.
  items.entries.front().comment = "peak";
  EXPECT_EQ(columnText(track, kColComment), "peak");

  ListItem& disc = items.add("CD1=\\track.mp3");
  EXPECT_EQ(columnText(disc, kColDisc), "CD1");
  EXPECT_EQ(columnText(disc, kColPath), "\\");
  EXPECT_EQ(columnText(disc, kColBpm), "");  // 0: empty
  ListItem& playlist = items.add("/home/u/set.m3u", 0, "", 0, kPlaylistFileSize);
  EXPECT_EQ(columnText(playlist, kColBpm), "");
  EXPECT_EQ(columnText(playlist, kColDisc), "");
  EXPECT_EQ(columnText(playlist, kColPath), "/home/u/");
  ListItem bare = makeListItem("x.mp3", 10);  // no entry at all
  EXPECT_EQ(columnText(bare, kColBpm), "");
  EXPECT_EQ(columnText(bare, kColComment), "");
}

TEST(ListColumns, StatusValuesAndIcons) {
  Items items;
  ListItem& used = items.add("a.mp3", 0, "", 20200);
  ListItem& fresh = items.add("b.mp3");
  ListItem& playlist = items.add("c.pls", 0, "", 0, kPlaylistFileSize);
  EXPECT_EQ(statusValue(used, false), 20200);
  EXPECT_EQ(statusValue(used, true), kStatusPlayedThisRun);
  EXPECT_EQ(statusValue(fresh, false), 0);
  EXPECT_EQ(statusValue(playlist, true), kStatusPlaylistFile);
  EXPECT_EQ(statusIcon(20200), 0);
  EXPECT_EQ(statusIcon(0), 1);
  EXPECT_EQ(statusIcon(kStatusPlayedThisRun), 2);
  EXPECT_EQ(statusIcon(kStatusPlaylistFile), 3);
}

TEST(ListColumns, TextColumnsSortIgnoringCaseAndStably) {
  Items items;
  items.add("b - zed.mp3");
  items.add("A - Yak.mp3");
  items.add("a - apple.mp3");
  items.add("B - apple.mp3");
  EXPECT_EQ(items.order(kColTitle, 1), (Paths{"a - apple.mp3", "B - apple.mp3", "A - Yak.mp3", "b - zed.mp3"}));
  EXPECT_EQ(items.order(kColTitle, -1), (Paths{"b - zed.mp3", "A - Yak.mp3", "a - apple.mp3", "B - apple.mp3"}));
  // Equal authors keep their order in both directions.
  EXPECT_EQ(items.order(kColAuthor, 1), (Paths{"A - Yak.mp3", "a - apple.mp3", "b - zed.mp3", "B - apple.mp3"}));
  EXPECT_EQ(items.order(kColAuthor, -1), (Paths{"b - zed.mp3", "B - apple.mp3", "A - Yak.mp3", "a - apple.mp3"}));
}

TEST(ListColumns, BpmSortsHighestFirstWithPlaylistFilesLastAndReversed) {
  Items items;
  items.add("slow.mp3", 90.0f);
  items.add("set.m3u", 0, "", 0, kPlaylistFileSize);
  items.add("fast.mp3", 140.0f);
  items.add("none.mp3", 0.0f);
  EXPECT_EQ(items.order(kColBpm, 1), (Paths{"fast.mp3", "slow.mp3", "none.mp3", "set.m3u"}));
  // The second click: the lowest BPM first, with playlist files first.
  EXPECT_EQ(items.order(kColBpm, -1), (Paths{"set.m3u", "none.mp3", "slow.mp3", "fast.mp3"}));
}

TEST(ListColumns, CommentsComeBeforeItemsWithout) {
  Items items;
  items.add("1.mp3", 0, "");
  items.add("2.mp3", 0, "zulu");
  items.add("3.mp3", 0, "Alpha");
  EXPECT_EQ(items.order(kColComment, 1), (Paths{"3.mp3", "2.mp3", "1.mp3"}));
  EXPECT_EQ(items.order(kColComment, -1), (Paths{"1.mp3", "2.mp3", "3.mp3"}));
}

TEST(ListColumns, DiscOrderPutsColonAndEqualsAfterEveryCharacter) {
  Items items;
  items.add("C:\\a.mp3");
  items.add("CD1=\\a.mp3");
  items.add("c=\\b.mp3");
  items.add("Cd=\\c.mp3");
  // "CD1=" < "Cd=" < "C:" < "c=": at the second character "D" before ":",
  // and ":" before "=".
  EXPECT_EQ(items.order(kColDisc, 1), (Paths{"CD1=\\a.mp3", "Cd=\\c.mp3", "C:\\a.mp3", "c=\\b.mp3"}));
  EXPECT_EQ(items.order(kColDisc, -1), (Paths{"c=\\b.mp3", "C:\\a.mp3", "Cd=\\c.mp3", "CD1=\\a.mp3"}));
  EXPECT_EQ(discPrefix("/home/a:b.mp3"), "");  // a colon inside a Linux path is no drive
}

TEST(ListColumns, PathOrderPutsFilesOfAFolderBeforeItsSubfolders) {
  Items items;
  items.add("C:\\Music\\sub\\b.mp3");
  items.add("C:\\Music\\z.mp3");
  items.add("D:\\music\\a.mp3");
  items.add("C:\\Alpha\\x.mp3");
  // After the prefix: "\Music\z.mp3" holds no further separator at the first
  // difference, so it comes before "\Music\sub\..." although "s" < "z".
  EXPECT_EQ(items.order(kColPath, 1),
            (Paths{"C:\\Alpha\\x.mp3", "D:\\music\\a.mp3", "C:\\Music\\z.mp3", "C:\\Music\\sub\\b.mp3"}));
  EXPECT_EQ(items.order(kColPath, -1),
            (Paths{"C:\\Music\\sub\\b.mp3", "C:\\Music\\z.mp3", "D:\\music\\a.mp3", "C:\\Alpha\\x.mp3"}));
}

TEST(ListColumns, StatusSortsRecentFirstThenNewThenPlaylistsThenPlayedThisRun) {
  Items items;
  items.add("played.mp3", 0, "", 100);
  items.add("new1.mp3");
  items.add("recent.mp3", 0, "", 300);
  items.add("list.pls", 0, "", 0, kPlaylistFileSize);
  items.add("new2.mp3");
  items.add("older.mp3", 0, "", 200);
  const std::vector<int32_t> status = {kStatusPlayedThisRun, 0, 300, kStatusPlaylistFile, 0, 200};
  EXPECT_EQ(items.order(kSortStatus, 1, status),
            (Paths{"recent.mp3", "older.mp3", "new1.mp3", "new2.mp3", "list.pls", "played.mp3"}));
  EXPECT_EQ(items.order(kSortStatus, -1, status),
            (Paths{"played.mp3", "list.pls", "new1.mp3", "new2.mp3", "older.mp3", "recent.mp3"}));
}

}  // namespace
}  // namespace zarnel
