#include "app/ItemPlacement.h"

#include <gtest/gtest.h>

#include <map>

namespace zarnel {
namespace {

class FakeHost : public PlacementHost {
 public:
  int32_t defaultDesk() const override { return defaultDesk_; }
  bool hasTrack(int32_t d) const override { return !desk[d].empty(); }
  bool playing(int32_t d) const override { return playing_[d]; }
  bool audible(int32_t d) const override { return audible_[d]; }
  DeskSecurity security() const override { return security_; }
  bool askSecurity() override {
    ++asked;
    return answer;
  }
  void loadOntoDesk(int32_t d, const ListItem& item) override { desk[d] = item.path; }
  std::vector<ListItem> expandPlaylistFile(const ListItem& item) override {
    std::vector<ListItem> out;
    for (const std::string& p : files[item.path]) out.push_back(makeListItem(p, 1));
    return out;
  }
  void insertIntoPlaylist(std::vector<ListItem> items, int32_t row) override {
    auto at = row < 0 ? playlist.end() : playlist.begin() + row;
    for (auto& i : items) at = playlist.insert(at, i.path) + 1;
  }
  bool playlistEmpty() const override { return playlist.empty(); }
  bool autoMixOn() const override { return autoMix; }
  int32_t fileSize(const std::string& path) override { return static_cast<int32_t>(path.size()); }

  int32_t defaultDesk_ = 0;
  bool playing_[2] = {false, false}, audible_[2] = {false, false};
  DeskSecurity security_ = DeskSecurity::kAsk;
  bool answer = true, autoMix = false;
  int32_t asked = 0;
  std::string desk[2];
  std::vector<std::string> playlist;
  std::map<std::string, std::vector<std::string>> files;
};

std::vector<ListItem> itemsOf(std::initializer_list<const char*> paths) {
  std::vector<ListItem> out;
  for (const char* p : paths) out.push_back(makeListItem(p, std::string(p).ends_with(".m3u") ? -1 : 1));
  return out;
}

TEST(ItemPlacement, DeskTargetLoadsFirstThenEmptyOtherDeskThenQueues) {
  FakeHost host;
  ItemPlacement placement(host);
  placement.place(itemsOf({"a.mp3", "b.mp3", "c.mp3"}), {PlacementTarget::Kind::kDesk, 1, -1});
  EXPECT_EQ(host.desk[1], "a.mp3");
  EXPECT_EQ(host.desk[0], "b.mp3");
  EXPECT_EQ(host.playlist, std::vector<std::string>{"c.mp3"});
  EXPECT_EQ(host.asked, 0);  // nothing audible, nothing asked
}

TEST(ItemPlacement, SecurityIsAskedOnlyWhenTheDeskIsAudible) {
  FakeHost host;
  ItemPlacement placement(host);
  host.desk[0] = "old.mp3";
  host.desk[1] = "other.mp3";
  placement.place(itemsOf({"a.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.asked, 0);
  EXPECT_EQ(host.desk[0], "a.mp3");

  host.audible_[0] = true;
  host.answer = false;
  placement.place(itemsOf({"b.mp3", "c.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.asked, 1);
  EXPECT_EQ(host.desk[0], "a.mp3");  // No keeps the desk
  EXPECT_EQ(host.playlist, (std::vector<std::string>{"b.mp3", "c.mp3"}));

  host.security_ = DeskSecurity::kAlways;
  placement.place(itemsOf({"d.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.asked, 1);  // never asked, never replaced
  EXPECT_EQ(host.desk[0], "a.mp3");

  host.security_ = DeskSecurity::kNone;
  placement.place(itemsOf({"e.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.desk[0], "e.mp3");
}

TEST(ItemPlacement, RefusedItemGoesToTheEmptyOtherDesk) {
  FakeHost host;
  ItemPlacement placement(host);
  host.desk[0] = "old.mp3";
  host.audible_[0] = true;
  host.answer = false;
  placement.place(itemsOf({"a.mp3", "b.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.desk[0], "old.mp3");
  EXPECT_EQ(host.desk[1], "a.mp3");
  EXPECT_EQ(host.playlist, std::vector<std::string>{"b.mp3"});
}

TEST(ItemPlacement, PlaylistFileIsExpandedBeforeLoading) {
  FakeHost host;
  ItemPlacement placement(host);
  host.files["set.m3u"] = {"x.mp3", "y.mp3", "z.mp3"};
  placement.place(itemsOf({"set.m3u", "after.mp3"}), {PlacementTarget::Kind::kDesk, 0, -1});
  EXPECT_EQ(host.desk[0], "x.mp3");
  EXPECT_EQ(host.desk[1], "y.mp3");
  EXPECT_EQ(host.playlist, (std::vector<std::string>{"z.mp3", "after.mp3"}));
}

TEST(ItemPlacement, OtherWidgetPlaylistAndNowhere) {
  FakeHost host;
  ItemPlacement placement(host);
  host.defaultDesk_ = 1;
  host.desk[1] = "busy.mp3";
  placement.place(itemsOf({"a.mp3"}), {});  // default desk busy: the other desk
  EXPECT_EQ(host.desk[0], "a.mp3");
  placement.place(itemsOf({"b.mp3", "c.mp3"}), {});  // both busy: all queued
  EXPECT_EQ(host.playlist, (std::vector<std::string>{"b.mp3", "c.mp3"}));
  placement.place(itemsOf({"d.mp3"}), {PlacementTarget::Kind::kPlaylist, 0, 1});
  EXPECT_EQ(host.playlist, (std::vector<std::string>{"b.mp3", "d.mp3", "c.mp3"}));
  placement.place(itemsOf({"e.mp3"}), {PlacementTarget::Kind::kNowhere, 0, -1});
  EXPECT_EQ(host.playlist.size(), 3u);

  // AutoMix on with an empty playlist: a drop on the playlist loads a desk.
  FakeHost fresh;
  ItemPlacement second(fresh);
  fresh.autoMix = true;
  second.place(itemsOf({"f.mp3"}), {PlacementTarget::Kind::kPlaylist, 0, -1});
  EXPECT_EQ(fresh.desk[0], "f.mp3");
}

TEST(ItemPlacement, DoubleClickPrefersTheIdleDeskAndDropsFilterNames) {
  FakeHost host;
  ItemPlacement placement(host);
  host.desk[0] = "playing.mp3";
  host.desk[1] = "idle.mp3";
  host.playing_[0] = true;
  placement.placeByDoubleClick(itemsOf({"a.mp3"}));
  EXPECT_EQ(host.desk[1], "a.mp3");

  std::vector<ListItem> dropped = placement.itemsOfDroppedFiles({"/m/One.MP3", "/m/notes.txt", "/m/set.PLS", "/m/t.wma"});
  ASSERT_EQ(dropped.size(), 3u);
  EXPECT_EQ(dropped[0].sizeKey, 10);
  EXPECT_EQ(dropped[1].sizeKey, kPlaylistFileSize);
  EXPECT_EQ(dropped[1].title, "set.PLS");
  EXPECT_EQ(dropped[2].path, "/m/t.wma");
}

}  // namespace
}  // namespace zarnel
