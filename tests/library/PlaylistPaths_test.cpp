#include "library/PlaylistPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/PlaylistText.h"
#include "platform/virtual/VirtualDriveList.h"

namespace zarnel {
namespace {

using Paths = std::vector<std::string>;

class PlaylistPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drives.addDrive("C:\\", DriveType::kFixed);
    drives.addDrive("D:\\", DriveType::kCdRom);
  }
  Paths on(std::string_view line) const { return paths.candidates(line, "/music/lists/"); }

  VirtualDriveList drives;
  PlaylistPaths paths = PlaylistPaths('/', {});
};

TEST_F(PlaylistPathsTest, RelativePathsAreJoinedToThePlaylistsFolder) {
  paths = PlaylistPaths::forDrives(drives, '/');
  EXPECT_EQ(on("a.mp3"), (Paths{"/music/lists/a.mp3"}));
  EXPECT_EQ(on("sub\\b.mp3"), (Paths{"/music/lists/sub/b.mp3", "/music/lists/sub\\b.mp3"}));
  EXPECT_EQ(on("../c.mp3"), (Paths{"/music/lists/../c.mp3"}));
  EXPECT_EQ(paths.candidates("a.mp3", ""), (Paths{"a.mp3"}));
  EXPECT_EQ(paths.candidates("a.mp3", "/"), (Paths{"/a.mp3"}));
}

TEST_F(PlaylistPathsTest, AFixedDriveOfThePosixDriveListIsTheRoot) {
  paths = PlaylistPaths::forDrives(drives, '/');
  EXPECT_EQ(on("C:\\Music\\x.mp3"), (Paths{"/Music/x.mp3", "/music/lists/Music/x.mp3", "/music/lists/x.mp3"}));
  EXPECT_EQ(on("c:/Music/x.mp3")[0], "/Music/x.mp3");
  EXPECT_EQ(on("\\Music\\y.mp3")[0], "/Music/y.mp3");
}

TEST_F(PlaylistPathsTest, ADriveWithoutAPlaceStaysAndItsTailIsLookedForBesideThePlaylist) {
  paths = PlaylistPaths::forDrives(drives, '/');
  EXPECT_EQ(on("D:\\a\\b\\c\\d\\e.mp3"),
            (Paths{"D:\\a\\b\\c\\d\\e.mp3", "/music/lists/b/c/d/e.mp3", "/music/lists/c/d/e.mp3",
                   "/music/lists/d/e.mp3", "/music/lists/e.mp3"}));
  EXPECT_EQ(on("\\\\server\\share\\f.mp3"),
            (Paths{"\\\\server\\share\\f.mp3", "/music/lists/server/share/f.mp3", "/music/lists/share/f.mp3",
                   "/music/lists/f.mp3"}));
}

TEST_F(PlaylistPathsTest, WindowsKeepsEveryDriveAndUsesBackslashes) {
  paths = PlaylistPaths::forDrives(drives, '\\');
  EXPECT_EQ(paths.candidates("E:/Music/x.mp3", "C:\\lists\\")[0], "E:\\Music\\x.mp3");
  EXPECT_EQ(paths.candidates("sub/a.mp3", "C:\\lists\\"), (Paths{"C:\\lists\\sub\\a.mp3"}));
}

TEST_F(PlaylistPathsTest, AMappingCallbackDecidesWhereDrivesLead) {
  paths = PlaylistPaths('/', [](char letter) -> std::optional<std::string> {
    if (letter == 'E') return std::string("/media/cdrom/");
    return std::nullopt;
  });
  EXPECT_EQ(on("e:\\Album\\t.mp3")[0], "/media/cdrom/Album/t.mp3");
  EXPECT_EQ(on("C:\\t.mp3")[0], "C:\\t.mp3");
}

TEST_F(PlaylistPathsTest, FileUrisAreDecoded) {
  paths = PlaylistPaths::forDrives(drives, '/');
  EXPECT_EQ(on("file:///home/u/a%20b%2Fc.mp3"), (Paths{"/home/u/a b/c.mp3"}));
  EXPECT_EQ(on("FILE://localhost/x%zz.mp3"), (Paths{"/x%zz.mp3"}));
  EXPECT_EQ(on("file:///C:/Music/x.mp3")[0], "/Music/x.mp3");
  EXPECT_EQ(on("file:///C|/Music/x.mp3")[0], "/Music/x.mp3");
  EXPECT_EQ(on("file://nas/share/x.mp3")[0], "//nas/share/x.mp3");
  EXPECT_EQ(on("file:///caf%E9.mp3"), (Paths{"/caf\xC3\xA9.mp3", "/caf\xE9.mp3"}));
  EXPECT_TRUE(on("file:///a%00b.mp3").empty());
  EXPECT_TRUE(on("file:///x%0A.mp3").empty());
  EXPECT_EQ(on("http://radio.example/stream.mp3"), (Paths{"http://radio.example/stream.mp3"}));
}

TEST_F(PlaylistPathsTest, Latin1NamesBecomeUtf8WithTheRawBytesAsAFallback) {
  EXPECT_EQ(on("Caf\xE9.mp3"), (Paths{"/music/lists/Caf\xC3\xA9.mp3", "/music/lists/Caf\xE9.mp3"}));
}

TEST_F(PlaylistPathsTest, BlanksAroundAPathAreTriedTrimmed) {
  EXPECT_EQ(on("  a.mp3\t"), (Paths{"/music/lists/  a.mp3\t", "/music/lists/a.mp3"}));
  EXPECT_EQ(on("   "), (Paths{"/music/lists/   "}));
}

TEST_F(PlaylistPathsTest, UnusablePathsAreLeftOut) {
  EXPECT_TRUE(on(std::string("a\0b", 3)).empty());
  EXPECT_TRUE(on("").empty());
  EXPECT_TRUE(on(std::string(kMaxPlaylistLineBytes, 'x')).empty());  // too long once joined
}

TEST(PlaylistPathsHelpers, FolderAndPlaylistNames) {
  EXPECT_EQ(PlaylistPaths::folderOf("/a/b/list.m3u"), "/a/b/");
  EXPECT_EQ(PlaylistPaths::folderOf("C:\\x\\list.pls"), "C:\\x\\");
  EXPECT_EQ(PlaylistPaths::folderOf("list.m3u"), "");
  EXPECT_TRUE(PlaylistPaths::isPlaylistFileName("/a/LIST.M3U"));
  EXPECT_TRUE(PlaylistPaths::isPlaylistFileName("x.m3u8"));
  EXPECT_TRUE(PlaylistPaths::isPlaylistFileName("x.Pls"));
  EXPECT_FALSE(PlaylistPaths::isPlaylistFileName("x.mp3"));
  EXPECT_FALSE(PlaylistPaths::isPlaylistFileName("m3u"));
  EXPECT_FALSE(PlaylistPaths::decodeFileUri("/plain").has_value());
  EXPECT_FALSE(PlaylistPaths::decodeFileUri("file://").has_value());
}

}  // namespace
}  // namespace zarnel
