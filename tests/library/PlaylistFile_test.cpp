#include "library/PlaylistFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/virtual/VirtualDriveList.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/MemoryFileWriter.h"

namespace zarnel {
namespace {

using Paths = std::vector<std::string>;

class PlaylistFileTest : public ::testing::Test {
 protected:
  static VirtualDriveList makeDrives() {
    VirtualDriveList drives;
    drives.addDrive("C:\\", DriveType::kFixed);
    drives.addDrive("D:\\", DriveType::kCdRom);
    return drives;
  }
  void put(const std::string& path, const std::string& text) {
    files.put(path, std::vector<uint8_t>(text.begin(), text.end()));
  }
  void putTrack(const std::string& path, size_t bytes) { files.put(path, std::vector<uint8_t>(bytes, 0)); }
  PlaylistRead read(const std::string& text, const std::string& path = "/music/lists/list.m3u") {
    put(path, text);
    return playlists.read(path);
  }
  static Paths pathsOf(const std::vector<ListItem>& items) {
    Paths out;
    for (const ListItem& item : items) out.push_back(item.path);
    return out;
  }

  VirtualFileSystem files;
  VirtualDriveList drives = makeDrives();
  test::MemoryFileWriter writer{files};
  PlaylistFile playlists{files, writer, PlaylistPaths::forDrives(drives, '/')};
};

TEST_F(PlaylistFileTest, APlsWithFileTitleAndNumberOfEntriesGivesTwoItems) {
  putTrack("/music/lists/a.mp3", 321);
  const PlaylistRead got = read("[playlist]\r\nFile1=a.mp3\r\nTitle1=Some Title\r\nNumberOfEntries=1\r\n",
                                "/music/lists/list.pls");
  ASSERT_TRUE(got.opened);
  ASSERT_EQ(got.items.size(), 2u);
  EXPECT_EQ(got.items[0].path, "/music/lists/a.mp3");
  EXPECT_EQ(got.items[0].sizeKey, 321);
  EXPECT_EQ(got.items[1].title, "Some Title");
  EXPECT_EQ(got.items[1].sizeKey, 0);  // missing: size 0
}

TEST_F(PlaylistFileTest, AnExtendedM3uGivesOnlyThePathLines) {
  const PlaylistRead got = read(
      "#EXTM3U\n#EXTINF:215,Band - Tune\n/music/Band - Tune.mp3\n#EXTINF:-1,Other\n/music/other.wav\n");
  EXPECT_EQ(pathsOf(got.items), (Paths{"/music/Band - Tune.mp3", "/music/other.wav"}));
  EXPECT_EQ(got.items[0].author, "Band");
  EXPECT_EQ(got.items[0].title, "Tune");
  EXPECT_FALSE(got.cut);
}

TEST_F(PlaylistFileTest, CrLfLfAndCrAllEndLines) {
  EXPECT_EQ(pathsOf(read("/a.mp3\r\n/b.mp3\n/c.mp3\r/d.mp3").items),
            (Paths{"/a.mp3", "/b.mp3", "/c.mp3", "/d.mp3"}));
}

TEST_F(PlaylistFileTest, ByteOrderMarksAreHonoured) {
  EXPECT_EQ(pathsOf(read("\xEF\xBB\xBF/a.mp3\n").items), (Paths{"/a.mp3"}));
  const std::string utf16("\xFF\xFE/\0\xE9\0.\0m\0p\0" "3\0\r\0\n\0", 18);
  EXPECT_EQ(pathsOf(read(utf16).items), (Paths{"/\xC3\xA9.mp3"}));
}

TEST_F(PlaylistFileTest, Latin1NamesBecomeUtf8UnlessOnlyTheRawNameExists) {
  const PlaylistRead got = read("/m/Caf\xE9.mp3\n/m/Na\xEFve.mp3\n/m/ok \xC3\xA9.mp3\n");
  EXPECT_EQ(pathsOf(got.items), (Paths{"/m/Caf\xC3\xA9.mp3", "/m/Na\xC3\xAFve.mp3", "/m/ok \xC3\xA9.mp3"}));
  EXPECT_EQ(got.items[0].title, "Caf\xC3\xA9");

  putTrack("/m/Caf\xE9.mp3", 10);
  EXPECT_EQ(read("/m/Caf\xE9.mp3\n").items.at(0).path, "/m/Caf\xE9.mp3");
}

TEST_F(PlaylistFileTest, WindowsDrivePathsAreMappedByTheDriveList) {
  putTrack("/Music/x.mp3", 77);
  const PlaylistRead got = read("C:\\Music\\x.mp3\nD:\\Album\\y.mp3\n");
  EXPECT_EQ(pathsOf(got.items), (Paths{"/Music/x.mp3", "D:\\Album\\y.mp3"}));
  EXPECT_EQ(got.items[0].sizeKey, 77);
  EXPECT_EQ(got.items[1].title, "y");
}

TEST_F(PlaylistFileTest, AForeignPathIsFoundBesideThePlaylist) {
  putTrack("/music/lists/Album/y.mp3", 5);
  EXPECT_EQ(read("D:\\Stuff\\Album\\y.mp3\n").items.at(0).path, "/music/lists/Album/y.mp3");
}

TEST_F(PlaylistFileTest, RelativePathsAreResolvedAgainstThePlaylistsFolder) {
  putTrack("/music/lists/sub/b.mp3", 9);
  putTrack("/music/top.mp3", 8);
  const PlaylistRead got = read("sub\\b.mp3\n../top.mp3\nfile:///music/top.mp3\n");
  EXPECT_EQ(pathsOf(got.items), (Paths{"/music/lists/sub/b.mp3", "/music/lists/../top.mp3", "/music/top.mp3"}));
  EXPECT_EQ(got.items[0].sizeKey, 9);
  EXPECT_EQ(got.items[2].sizeKey, 8);
}

TEST_F(PlaylistFileTest, PlaylistFilesInsideBecomePlaylistFileItems) {
  const PlaylistRead got = read("inner.M3U\nnext.pls\n");
  ASSERT_EQ(got.items.size(), 2u);
  EXPECT_TRUE(got.items[0].isPlaylistFile());
  EXPECT_EQ(got.items[0].title, "inner.M3U");
  EXPECT_TRUE(got.items[1].isPlaylistFile());
}

TEST_F(PlaylistFileTest, AMissingFileIsNotOpened) {
  const PlaylistRead got = playlists.read("/nowhere.m3u");
  EXPECT_FALSE(got.opened);
  EXPECT_TRUE(got.items.empty());
}

TEST_F(PlaylistFileTest, AReadErrorKeepsTheWholeLinesBeforeIt) {
  std::string text;
  size_t wholeLines = 0;
  for (int i = 0; text.size() < 100000; ++i) {
    text += "/t" + std::to_string(i) + ".mp3\n";
    if (text.size() <= 65536) ++wholeLines;
  }
  put("/l.m3u", text);
  files.failReadsAfter("/l.m3u", 65536);  // the second read of 64 KB fails
  const PlaylistRead got = playlists.read("/l.m3u");
  EXPECT_TRUE(got.opened);
  EXPECT_TRUE(got.cut);
  ASSERT_EQ(got.items.size(), wholeLines);
  EXPECT_EQ(got.items.back().path, "/t" + std::to_string(wholeLines - 1) + ".mp3");
}

TEST_F(PlaylistFileTest, AHostileFileIsBounded) {
  std::string text(std::string("/nul\0byte.mp3\n", 14));
  text += std::string(kMaxPlaylistLineBytes * 3, 'x') + "\n";
  text += std::string(5'000'000, '\n');
  text += "/kept.mp3\n";
  for (size_t i = 0; i < kMaxPlaylistEntries + 10; ++i) text += "/t.mp3\n";
  const auto start = std::chrono::steady_clock::now();
  const PlaylistRead got = read(text);
  EXPECT_TRUE(got.cut);
  // The NUL line counts as an entry, but gives no item.
  ASSERT_EQ(got.items.size(), kMaxPlaylistEntries - 1);
  EXPECT_EQ(got.items[0].path, "/kept.mp3");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(PlaylistFileTest, AFileLongerThanTheBoundLosesItsCutLine) {
  const std::string line = "/" + std::string(994, 'a') + ".mp3\n";  // 1000 bytes
  std::string text;
  while (text.size() <= kMaxPlaylistBytes) text += line;
  const PlaylistRead got = read(text);
  EXPECT_TRUE(got.cut);
  EXPECT_EQ(got.items.size(), kMaxPlaylistBytes / line.size());
}

TEST_F(PlaylistFileTest, ExpandIntoReplacesTheItemInPlace) {
  put("/l/inner.m3u", "/x.mp3\n/y.mp3\n");
  std::vector<ListItem> items{makeListItem("/a.mp3", 1), makeListItem("/l/inner.m3u", kPlaylistFileSize),
                              makeListItem("/b.mp3", 2)};
  EXPECT_FALSE(playlists.expandInto(items, 0));
  EXPECT_FALSE(playlists.expandInto(items, 3));
  ASSERT_TRUE(playlists.expandInto(items, 1));
  EXPECT_EQ(pathsOf(items), (Paths{"/a.mp3", "/x.mp3", "/y.mp3", "/b.mp3"}));

  std::vector<ListItem> missing{makeListItem("/gone.m3u", kPlaylistFileSize)};
  EXPECT_FALSE(playlists.expandInto(missing, 0));
  EXPECT_EQ(missing.size(), 1u);
}

TEST_F(PlaylistFileTest, WritingExpandsPlaylistFilesAndWritesOnePathALine) {
  put("/l/inner.m3u", "/x.mp3\n/l/inner.m3u\n/y.mp3\n");
  const std::vector<ListItem> items{makeListItem("/a.mp3", 1), makeListItem("/l/inner.m3u", kPlaylistFileSize),
                                    makeListItem("/gone.pls", kPlaylistFileSize), makeListItem("/b.mp3", 2)};
  const PlaylistWrite w = playlists.write("/out.m3u", items);
  EXPECT_TRUE(w.written);
  EXPECT_TRUE(w.complete);
  EXPECT_EQ(w.paths, 5u);
  EXPECT_EQ(writer.text("/out.m3u"), "/a.mp3\n/x.mp3\n/y.mp3\n/gone.pls\n/b.mp3\n");
}

TEST_F(PlaylistFileTest, AFailedWriteSaysSoAndLeavesTheFile) {
  put("/out.m3u", "old\n");
  writer.failing = true;
  EXPECT_FALSE(playlists.write("/out.m3u", {makeListItem("/a.mp3", 1)}).written);
  EXPECT_EQ(writer.text("/out.m3u"), "old\n");
  writer.failing = false;
  EXPECT_FALSE(playlists.write("", {makeListItem("/a.mp3", 1)}).written);
}

TEST_F(PlaylistFileTest, DeepOrWideNestingIsBounded) {
  // Each level lists the next one twice: 2^20 paths if followed without bound.
  for (int i = 0; i < 20; ++i) {
    const std::string next = "/n" + std::to_string(i + 1) + ".m3u";
    put("/n" + std::to_string(i) + ".m3u", next + "\n" + next + "\n/t" + std::to_string(i) + ".mp3\n");
  }
  const PlaylistTracks tracks = playlists.trackPaths({makeListItem("/n0.m3u", kPlaylistFileSize)});
  EXPECT_FALSE(tracks.complete);
  EXPECT_LE(tracks.paths.size(), kMaxPlaylistEntries);

  std::string wide;
  for (int i = 0; i < 2000; ++i) wide += "/w" + std::to_string(i) + ".m3u\n";
  put("/wide.m3u", wide);
  for (int i = 0; i < 2000; ++i) put("/w" + std::to_string(i) + ".m3u", "/wide.m3u\n/t.mp3\n");
  const PlaylistTracks many = playlists.trackPaths({makeListItem("/wide.m3u", kPlaylistFileSize)});
  EXPECT_FALSE(many.complete);
  EXPECT_EQ(many.paths.size(), kMaxPlaylistFilesRead - 1);  // the outer file is one of the reads
}

TEST_F(PlaylistFileTest, RoundTripsOfM3uAndPls) {
  putTrack("/m/a.mp3", 10);
  putTrack("/m/b c.mp3", 20);
  const std::vector<ListItem> items{makeListItem("/m/a.mp3", 10), makeListItem("/m/b c.mp3", 20),
                                    makeListItem("/m/caf\xC3\xA9.wav", 0)};
  ASSERT_TRUE(playlists.write("/m/list.m3u", items).written);
  const PlaylistRead m3u = playlists.read("/m/list.m3u");
  EXPECT_EQ(pathsOf(m3u.items), pathsOf(items));
  EXPECT_EQ(m3u.items[1].sizeKey, 20);

  // The program writes the same lines whatever the name; read as ".pls" they
  // are still paths, as no "[playlist]" line starts a section.
  ASSERT_TRUE(playlists.write("/m/list.pls", items).written);
  EXPECT_EQ(pathsOf(playlists.read("/m/list.pls").items), pathsOf(items));

  put("/m/real.pls", "[playlist]\nFile1=/m/a.mp3\nFile2=b c.mp3\nNumberOfEntries=2\nVersion=2\n");
  ASSERT_TRUE(playlists.write("/m/copy.m3u", playlists.read("/m/real.pls").items).written);
  EXPECT_EQ(writer.text("/m/copy.m3u"), "/m/a.mp3\n/m/b c.mp3\n");
}

}  // namespace
}  // namespace zarnel
