#include "library/PlaylistText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zarnel {
namespace {

using Paths = std::vector<std::string>;

TEST(PlaylistText, EveryLineIsAPathExceptCommentsAndEmptyLines) {
  EXPECT_EQ(playlistLines("#EXTM3U\r\n#EXTINF:123,Band - Tune\r\na.mp3\r\n\r\n\nb.mp3\rc.mp3").paths,
            (Paths{"a.mp3", "b.mp3", "c.mp3"}));
}

TEST(PlaylistText, ASectionGivesTheTextAfterTheFirstEqualsUntilNumberOfEntries) {
  const PlaylistLines lines = playlistLines("[playlist]\nFile1=C:\\a=b.mp3\nTitle1=Tune\nno equals\n"
                                            "numberofentries=2\nFile2=after.mp3\n");
  EXPECT_EQ(lines.paths, (Paths{"C:\\a=b.mp3", "Tune"}));
  EXPECT_FALSE(lines.cut);
}

TEST(PlaylistText, TheSectionLineIsMatchedInAnyCaseAndLinesBeforeItArePaths) {
  EXPECT_EQ(playlistLines("before.mp3\n[PlayList]  \nx\nFile1=y.mp3\nNUMBEROFENTRIES=1").paths,
            (Paths{"before.mp3", "y.mp3"}));
  EXPECT_EQ(playlistLines("[Playlist]x\n").paths, (Paths{"[Playlist]x"}));
}

TEST(PlaylistText, NumberOfEntriesOutsideASectionIsAPath) {
  EXPECT_EQ(playlistLines("NumberOfEntries=3\n").paths, (Paths{"NumberOfEntries=3"}));
}

TEST(PlaylistText, LongLinesAreSkippedAndEntriesBounded) {
  std::string text = std::string(kMaxPlaylistLineBytes + 1, 'x') + "\nshort.mp3\n" +
                     std::string(kMaxPlaylistLineBytes, 'y') + "\n";
  PlaylistLines lines = playlistLines(text);
  ASSERT_EQ(lines.paths.size(), 2u);
  EXPECT_EQ(lines.paths[0], "short.mp3");
  EXPECT_EQ(lines.paths[1].size(), kMaxPlaylistLineBytes);
  EXPECT_TRUE(lines.cut);

  lines = playlistLines("a\nb\nc\nd\n", 3);
  EXPECT_EQ(lines.paths, (Paths{"a", "b", "c"}));
  EXPECT_TRUE(lines.cut);
}

}  // namespace
}  // namespace zarnel
