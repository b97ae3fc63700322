#include "skin/FolderTree.h"

#include <gtest/gtest.h>

#include "library/FolderFiles.h"
#include "skin/BrowserList.h"
#include "skin/support/BrowserTestKit.h"
#include "skin/support/GoldenImage.h"

namespace zarnel {
namespace {

struct TreeHost : FolderTreeHost {
  std::vector<std::string> listed;
  std::string favourite;
  void folderSelected(const std::string& path) override { listed.push_back(path); }
  void favouriteChanged(const std::string& path) override { favourite = path; }
  void startRepeat(RepeatClient&, int32_t) override {}
  void stopRepeat(RepeatClient&) override {}
};

using test::FakeFolders;

struct Rig {
  Rig() : panel(240, 160), tree(folders, host, test::defaultBrowserLook()) {
    folders.rootList = {{"/home/dj", "Home", FolderRootKind::kHome},
                        {"/", "File System", FolderRootKind::kFileSystem},
                        {"/media/dj/USB", "USB", FolderRootKind::kRemovable}};
    folders.addFolder("/home/dj", {FakeFolders::folder("Music"), FakeFolders::folder(".cache")});
    folders.addFolder("/home/dj/Music", {FakeFolders::folder("C"), FakeFolders::folder("b"), FakeFolders::folder("a"),
                                         FakeFolders::file("x.mp3", 5)});
    folders.addFolder("/home/dj/Music/b", {FakeFolders::folder("deep")});
    folders.addFolder("/home/dj/Music/b/deep", {});
    tree.bind(&panel.context);
    tree.setRect(0, 0, 200, 140);
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const FolderNode* n : tree.rows()) out.push_back(n->name);
    return out;
  }
  FolderNode& row(const std::string& name) {
    for (FolderNode* n : tree.rows())
      if (n->name == name) return *n;
    throw std::runtime_error("no row " + name);
  }

  test::PanelRig panel;
  FakeFolders folders;
  TreeHost host;
  FolderTree tree;
};

using Names = std::vector<std::string>;

TEST(FolderTree, RootsKeepTheirOrderAndChildrenSortIgnoringCase) {
  Rig rig;
  rig.tree.build("/home/dj/Music");
  // The favourite comes last, expanded, selected and listed; "b" before "C".
  EXPECT_EQ(rig.names(), (Names{"Home", "File System", "USB", "Music", "a", "b", "C"}));
  EXPECT_EQ(rig.tree.selected()->path, "/home/dj/Music");
  EXPECT_EQ(rig.host.listed, (Names{"/home/dj/Music"}));
  EXPECT_EQ(rig.row("b").path, "/home/dj/Music/b");
  EXPECT_EQ(rig.row("b").depth, 1);
  // Hidden folders are left out.
  rig.tree.expand(rig.row("Home"));
  EXPECT_EQ(rig.names(), (Names{"Home", "Music", "File System", "USB", "Music", "a", "b", "C"}));
}

TEST(FolderTree, AFavouriteThatIsNoFolderIsLeftOut) {
  Rig rig;
  rig.tree.build("/gone");
  EXPECT_EQ(rig.names(), (Names{"Home", "File System", "USB"}));
  EXPECT_TRUE(rig.host.listed.empty());
}

TEST(FolderTree, CollapsingKeepsTheFileListAndMovesARemovedSelection) {
  Rig rig;
  rig.tree.build("/home/dj/Music");
  rig.tree.expand(rig.row("b"));
  rig.tree.select(rig.row("deep"), true);
  rig.host.listed.clear();
  FolderNode& music = *rig.tree.roots().back();
  rig.tree.collapse(music);
  EXPECT_EQ(rig.tree.selected(), &music);  // never a freed node
  EXPECT_TRUE(rig.host.listed.empty());    // the file list stays
  EXPECT_EQ(rig.names(), (Names{"Home", "File System", "USB", "Music"}));
  rig.tree.draw();  // draws without touching the freed rows
}

TEST(FolderTree, MouseOnBoxIconNameAndDoubleClick) {
  Rig rig;
  rig.tree.build("/home/dj/Music");
  const int32_t rowH = rig.tree.rowHeight();
  const int32_t bY = 1 + 5 * rowH + 4;  // row "b", depth 1
  const int32_t left = 1 + 2 + 16;
  rig.tree.mouseDown(left - 3, bY, keys::kLeft);  // left of the indentation
  EXPECT_EQ(rig.tree.selected()->name, "Music");
  rig.tree.mouseDown(left + 4, bY, keys::kLeft);  // the expand box
  EXPECT_EQ(rig.names().size(), 8u);
  EXPECT_EQ(rig.tree.selected()->name, "Music");
  rig.tree.mouseDown(left + 20, bY, keys::kLeft);  // the icon selects and lists
  EXPECT_EQ(rig.tree.selected()->name, "b");
  EXPECT_EQ(rig.host.listed.back(), "/home/dj/Music/b");
  rig.tree.mouseDown(left + 20, bY, keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ(rig.names().size(), 7u);                // collapsed again
  rig.tree.mouseDown(left + 150, bY, keys::kLeft);  // past the name's end
  EXPECT_EQ(rig.host.listed.size(), 2u);
}

TEST(FolderTree, KeysSelectExpandCollapseAndListEachTime) {
  Rig rig;
  rig.tree.build("/home/dj/Music");
  EXPECT_TRUE(rig.tree.key(listkey::kDown));
  EXPECT_EQ(rig.tree.selected()->name, "a");
  EXPECT_TRUE(rig.tree.key(listkey::kDown));
  EXPECT_TRUE(rig.tree.key(listkey::kRight));
  EXPECT_EQ(rig.names().back(), "C");
  EXPECT_EQ(rig.names()[6], "deep");
  EXPECT_TRUE(rig.tree.key(listkey::kInsert));
  EXPECT_EQ(rig.names().size(), 7u);
  EXPECT_TRUE(rig.tree.key(listkey::kHome));
  EXPECT_EQ(rig.tree.selected()->name, "Home");
  EXPECT_TRUE(rig.tree.key(listkey::kUp));
  EXPECT_EQ(rig.host.listed, (Names{"/home/dj/Music", "/home/dj/Music/a", "/home/dj/Music/b", "/home/dj/Music/b",
                                    "/home/dj/Music/b", "/home/dj", "/home/dj"}));
  EXPECT_FALSE(rig.tree.key(0x41));
}

TEST(FolderTree, AFolderThatDoesNotAnswerStaysCollapsedAndSetAsFavouriteRebuilds) {
  Rig rig;
  rig.folders.dead = {"/media/dj/USB"};
  rig.folders.addFolder("/home/dj/Music/a", {FakeFolders::file("song.mp3", 9)});
  rig.tree.build("/home/dj/Music");
  EXPECT_FALSE(rig.tree.expand(rig.row("USB")));
  EXPECT_FALSE(rig.row("USB").expanded);
  // A folder without sub-folders loses its box once expanded.
  EXPECT_FALSE(rig.tree.expand(rig.row("a")));
  EXPECT_FALSE(rig.row("a").hasSubfolders);
  rig.tree.select(rig.row("b"), false);
  rig.tree.setAsFavourite();
  EXPECT_EQ(rig.host.favourite, "/home/dj/Music/b");
  EXPECT_EQ(rig.names(), (Names{"Home", "File System", "USB", "b", "deep"}));
  EXPECT_EQ(rig.tree.selected()->path, "/home/dj/Music/b");
}

TEST(FolderFiles, ListsTracksAndPlaylistsWithLinksResolved) {
  FakeFolders folders;
  FolderEntry link{"alias.mp3", false, false, true, "/elsewhere/Real Song.mp3", 4321};
  FolderEntry broken{"broken.mp3", false, false, true, "", -1};
  FolderEntry linkToText{"notes", false, false, true, "/elsewhere/notes.txt", 10};
  folders.addFolder(
      "/music", {FakeFolders::file("a.MP3", 100), FakeFolders::file("cover.jpg", 5), link,
                 FakeFolders::file(".hidden.wav", 7), FakeFolders::file("set.m3u", 50), FakeFolders::folder("sub.mp3"),
                 broken, linkToText, FakeFolders::file("big.wav", (int64_t(1) << 32) + 9)});
  const std::vector<ListItem> items = folderFiles(folders, "/music");
  std::vector<std::string> paths;
  for (const ListItem& i : items) paths.push_back(i.path);
  EXPECT_EQ(paths, (Names{"/music/a.MP3", "/elsewhere/Real Song.mp3", "/music/.hidden.wav", "/music/set.m3u",
                          "/music/broken.mp3", "/music/big.wav"}));
  EXPECT_EQ(items[1].sizeKey, 4321);  // the target's size
  EXPECT_EQ(items[1].title, "Real Song");
  EXPECT_EQ(items[3].sizeKey, kPlaylistFileSize);
  EXPECT_EQ(items[5].sizeKey, 9);  // low 32 bits

  folders.dead = {"/music"};
  EXPECT_TRUE(folderFiles(folders, "/music").empty());
  EXPECT_TRUE(folderFiles(folders, "/nowhere").empty());
}

TEST(FolderTreeGolden, TheTreeWithTheFavouriteOpen) {
  Rig rig;
  rig.tree.setRect(0, 0, 200, 100);  // too short for all rows: the bar shows
  rig.tree.build("/home/dj/Music");
  rig.tree.expand(rig.row("b"));
  rig.tree.select(rig.row("b"), true);
  rig.tree.scrollTo(2);
  EXPECT_TRUE(rig.tree.scrollBar().needed());
  EXPECT_TRUE(test::matchesGolden("folder-tree", rig.panel.back.data(), rig.panel.width, 110));
}

}  // namespace
}  // namespace zarnel
