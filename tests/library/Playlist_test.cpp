#include "library/Playlist.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "library/PlayHistory.h"
#include "library/TrackStoreLink.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/MemoryFileWriter.h"

namespace zarnel {
namespace {

using Paths = std::vector<std::string>;

// Entries by path and size, made on first find.
class MapStore : public TrackStoreLink {
 public:
  TrackEntry* find(const char* path, int32_t sizeKey) override {
    ++finds;
    const std::string key = std::string(path) + "|" + std::to_string(sizeKey);
    auto found = byKey_.find(key);
    if (found != byKey_.end()) return found->second;
    TrackEntry& e = entries_.emplace_back();
    e.name = path;
    e.sizeKey = sizeKey;
    return byKey_[key] = &e;
  }
  TrackData* acquire(TrackEntry*) override { return nullptr; }
  void release(TrackEntry*) override {}
  bool resolveDiscPath(const std::string&, std::string&, std::string&) override { return false; }
  int finds = 0;

 private:
  std::deque<TrackEntry> entries_;
  std::map<std::string, TrackEntry*> byKey_;
};

class PlaylistTest : public ::testing::Test {
 protected:
  void put(const std::string& path, const std::string& text) {
    files.put(path, std::vector<uint8_t>(text.begin(), text.end()));
  }
  static std::vector<ListItem> tracks(const Paths& paths) {
    std::vector<ListItem> items;
    for (const std::string& p : paths) items.push_back(makeListItem(p, int32_t(p.size())));
    return items;
  }
  Paths paths() const {
    Paths out;
    for (const ListItem& item : list.items()) out.push_back(item.path);
    return out;
  }

  VirtualFileSystem files;
  test::MemoryFileWriter writer{files};
  PlaylistFile playlists{files, writer};
  MapStore store;
  std::vector<int> randoms;
  size_t nextRandom = 0;
  Playlist list{playlists, &store, [this] { return randoms.at(nextRandom++); }};
};

TEST_F(PlaylistTest, InsertGoesBeforeTheIndexOrAtTheEnd) {
  list.append(tracks({"/a", "/b"}));
  list.insert(1, tracks({"/x", "/y"}));
  EXPECT_EQ(paths(), (Paths{"/a", "/x", "/y", "/b"}));
  list.insert(Playlist::kEnd, tracks({"/z"}));
  list.insert(99, tracks({"/w"}));
  list.insert(0, tracks({"/first"}));
  EXPECT_EQ(paths(), (Paths{"/first", "/a", "/x", "/y", "/b", "/z", "/w"}));
}

TEST_F(PlaylistTest, SelectedItemsAreRemovedOrTakenOut) {
  list.append(tracks({"/a", "/b", "/c", "/d"}));
  list.items()[1].selected = list.items()[3].selected = true;
  const uint64_t before = list.revision();
  const std::vector<ListItem> taken = list.takeSelected();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].path, "/b");
  EXPECT_EQ(taken[1].path, "/d");
  EXPECT_GT(list.revision(), before);
  list.items()[0].selected = true;
  EXPECT_EQ(list.removeSelected(), 1u);
  EXPECT_EQ(paths(), (Paths{"/c"}));
  EXPECT_EQ(list.removeSelected(), 0u);
}

TEST_F(PlaylistTest, APlaylistFileExpandsInPlaceInTheMiddle) {
  put("/l/mix.m3u", "#EXTM3U\nx.mp3\ny.mp3\n");
  list.append(tracks({"/a"}));
  list.append({makeListItem("/l/mix.m3u", kPlaylistFileSize), makeListItem("/l/gone.m3u", kPlaylistFileSize)});
  list.append(tracks({"/b"}));
  EXPECT_FALSE(list.expandAt(0));
  EXPECT_FALSE(list.expandAt(2));  // cannot be opened: stays
  ASSERT_TRUE(list.expandAt(1));
  EXPECT_EQ(paths(), (Paths{"/a", "/l/x.mp3", "/l/y.mp3", "/l/gone.m3u", "/b"}));
}

TEST_F(PlaylistTest, ASelfListingPlaylistExpandsOneLevelAtATime) {
  put("/self.m3u", "/self.m3u\n/t.mp3\n");
  list.append({makeListItem("/self.m3u", kPlaylistFileSize)});
  ASSERT_TRUE(list.expandAt(0));
  EXPECT_EQ(paths(), (Paths{"/self.m3u", "/t.mp3"}));
  EXPECT_TRUE(list.items()[0].isPlaylistFile());
}

TEST_F(PlaylistTest, LoadReplacesEverythingUnlessTheFileCannotBeOpened) {
  put("/l.m3u", "/x.mp3\n/y.mp3\n");
  list.append(tracks({"/a"}));
  EXPECT_FALSE(list.load("/missing.m3u"));
  EXPECT_EQ(paths(), (Paths{"/a"}));
  EXPECT_TRUE(list.load("/l.m3u"));
  EXPECT_EQ(paths(), (Paths{"/x.mp3", "/y.mp3"}));
}

TEST_F(PlaylistTest, SavingWritesTheTracksOfPlaylistFilesAndLeavesTheSavedFile) {
  put("/inner.pls", "[playlist]\nFile1=/x.mp3\nFile2=/y.mp3\nNumberOfEntries=2\n");
  list.append(tracks({"/a.mp3"}));
  list.append({makeListItem("/inner.pls", kPlaylistFileSize)});
  list.append(tracks({"/b.mp3"}));
  const PlaylistWrite saved = list.save("/saved.m3u");
  EXPECT_TRUE(saved.written);
  EXPECT_EQ(writer.text("/saved.m3u"), "/a.mp3\n/x.mp3\n/y.mp3\n/b.mp3\n");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_TRUE(list.items()[0].isPlaylistFile());
  EXPECT_EQ(list.items()[0].path, "/saved.m3u");
  EXPECT_EQ(list.items()[0].title, "saved.m3u");

  // Saving again over the same file keeps its tracks.
  ASSERT_TRUE(list.save("/saved.m3u").written);
  EXPECT_EQ(writer.text("/saved.m3u"), "/a.mp3\n/x.mp3\n/y.mp3\n/b.mp3\n");
}

TEST_F(PlaylistTest, AFailedSaveKeepsTheList) {
  list.append(tracks({"/a.mp3", "/b.mp3"}));
  writer.failing = true;
  EXPECT_FALSE(list.save("/saved.m3u").written);
  EXPECT_EQ(paths(), (Paths{"/a.mp3", "/b.mp3"}));
  EXPECT_FALSE(files.exists("/saved.m3u"));
}

TEST_F(PlaylistTest, ShufflePicksRandomModuloTheItemsLeft) {
  list.append(tracks({"/A", "/B", "/C", "/D"}));
  randoms = {1, 7, 0, 12345};  // 1 mod 4, 7 mod 3, 0 mod 2, any mod 1
  list.shuffle();
  EXPECT_EQ(paths(), (Paths{"/B", "/C", "/A", "/D"}));
  EXPECT_EQ(nextRandom, 4u);
}

TEST_F(PlaylistTest, ShuffleMatchesTheListRuleOnALongList) {
  Paths names, expected;
  for (int i = 0; i < 3000; ++i) names.push_back("/" + std::to_string(i));
  list.append(tracks(names));
  uint32_t seed = 12345;
  for (int i = 0; i < 3000; ++i) {
    seed = seed * 1103515245u + 12345u;
    randoms.push_back(int((seed >> 16) & 0x7FFF));
  }
  Paths left = names;
  for (size_t i = 0; !left.empty(); ++i) {
    const size_t pick = size_t(randoms[i]) % left.size();
    expected.push_back(left[pick]);
    left.erase(left.begin() + std::ptrdiff_t(pick));
  }
  list.shuffle();
  EXPECT_EQ(paths(), expected);
}

TEST_F(PlaylistTest, NewSongsOnlyRemovesTheTracksInTheHistory) {
  PlayHistory history(writer);
  list.append(tracks({"/a", "/b", "/c", "/b"}));
  list.append({makeListItem("/l.m3u", kPlaylistFileSize)});
  history.add(list.entryAt(1));
  history.add(store.find("/c", 2));
  EXPECT_EQ(list.removePlayed(history), 3u);
  EXPECT_EQ(paths(), (Paths{"/a", "/l.m3u"}));
  EXPECT_EQ(list.removePlayed(history), 0u);
}

TEST_F(PlaylistTest, NextExpandsAPlaylistFileFirstAndPutsTheRestAtTheHead) {
  put("/l/mix.m3u", "x.mp3\ny.mp3\n");
  put("/empty.m3u", "#EXTM3U\n");
  list.append({makeListItem("/gone.m3u", kPlaylistFileSize), makeListItem("/empty.m3u", kPlaylistFileSize),
               makeListItem("/l/mix.m3u", kPlaylistFileSize)});
  list.append(tracks({"/b.mp3"}));
  std::optional<ListItem> got = list.next();
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->path, "/l/x.mp3");
  EXPECT_EQ(paths(), (Paths{"/l/y.mp3", "/b.mp3"}));
  EXPECT_EQ(list.next()->path, "/l/y.mp3");
  EXPECT_EQ(list.next()->path, "/b.mp3");
  EXPECT_FALSE(list.next().has_value());
}

TEST_F(PlaylistTest, NextEndsOnPlaylistsThatListThemselves) {
  put("/self.m3u", "/self.m3u\n/t.mp3\n");
  put("/loop.m3u", "/loop.m3u\n");
  put("/a.m3u", "/b.m3u\n");
  put("/b.m3u", "/a.m3u\n");
  list.append({makeListItem("/self.m3u", kPlaylistFileSize)});
  EXPECT_EQ(list.next()->path, "/t.mp3");
  EXPECT_TRUE(list.empty());
  list.append({makeListItem("/loop.m3u", kPlaylistFileSize), makeListItem("/a.m3u", kPlaylistFileSize)});
  EXPECT_FALSE(list.next().has_value());
  EXPECT_TRUE(list.empty());
}

TEST_F(PlaylistTest, TakeFirstTakesTheFirstItemAsItIs) {
  EXPECT_FALSE(list.takeFirst().has_value());
  list.append({makeListItem("/l.m3u", kPlaylistFileSize)});
  list.append(tracks({"/a"}));
  const std::optional<ListItem> first = list.takeFirst();
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->isPlaylistFile());
  EXPECT_EQ(paths(), (Paths{"/a"}));
}

TEST_F(PlaylistTest, EntriesAreLookedUpOnce) {
  list.append(tracks({"/m/a.mp3"}));
  TrackEntry* e = list.entryAt(0);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(list.entryAt(0), e);
  EXPECT_EQ(store.finds, 1);
  list.append({makeListItem("/l.m3u", kPlaylistFileSize)});
  EXPECT_EQ(list.entryAt(1), nullptr);
  EXPECT_EQ(store.finds, 1);
}

}  // namespace
}  // namespace zarnel
