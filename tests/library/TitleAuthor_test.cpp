#include <gtest/gtest.h>

#include <string>

#include "library/ListItem.h"

namespace zarnel {
namespace {

TEST(TitleAuthor, UnderscoresBecomeSpacesAndTheFirstDashSplitsAuthorFromTitle) {
  const TitleAuthor ta = titleAuthorOf("C:\\Music\\Artist_Name - Song_Title.mp3");
  EXPECT_EQ(ta.author, "Artist Name");
  EXPECT_EQ(ta.title, "Song Title");
}

TEST(TitleAuthor, ADashAfterOnlyDigitsAndSpacesIsPartOfTheTitle) {
  const TitleAuthor ta = titleAuthorOf("/music/01 - Song.mp3");
  EXPECT_EQ(ta.title, "01 - Song");
  EXPECT_EQ(ta.author, "");
}

TEST(TitleAuthor, AnAuthorInBracketsComesFirst) {
  const TitleAuthor ta = titleAuthorOf("(Artist) Song.wav");
  EXPECT_EQ(ta.author, "Artist");
  EXPECT_EQ(ta.title, "Song");
  const TitleAuthor spaced = titleAuthorOf("  ( Some One )   Other - Thing.mp3");
  EXPECT_EQ(spaced.author, "Some One");
  EXPECT_EQ(spaced.title, "Other - Thing");
}

TEST(TitleAuthor, OnlyADotAmongTheLastFourCharactersCutsTheExtension) {
  EXPECT_EQ(titleAuthorOf("Song.flac").title, "Song.flac");
  EXPECT_EQ(titleAuthorOf("Mr.Bombastic").title, "Mr.Bombastic");
  EXPECT_EQ(titleAuthorOf("Song.ab").title, "Song");
  EXPECT_EQ(titleAuthorOf("Song.").title, "Song");
  const TitleAuthor dotted = titleAuthorOf("A.B - The.Long.Title");
  EXPECT_EQ(dotted.author, "A.B");
  EXPECT_EQ(dotted.title, "The.Long.Title");
}

TEST(TitleAuthor, LeadingSpacesAreSkippedAndAWholeNameWithoutDashIsTheTitle) {
  const TitleAuthor ta = titleAuthorOf("/x/__Just a song.mp3");
  EXPECT_EQ(ta.title, "Just a song");
  EXPECT_EQ(ta.author, "");
}

TEST(TitleAuthor, EitherSeparatorEndsTheFolder) {
  EXPECT_EQ(titleAuthorOf("C:\\a-b\\Song.mp3").title, "Song");
  EXPECT_EQ(titleAuthorOf("/a-b/Song.mp3").title, "Song");
}

TEST(MakeListItem, APlaylistFileShowsItsFileName) {
  const ListItem item = makeListItem("/lists/Party_Mix - 2024.m3u", kPlaylistFileSize);
  EXPECT_TRUE(item.isPlaylistFile());
  EXPECT_EQ(item.title, "Party_Mix - 2024.m3u");
  EXPECT_EQ(item.author, "");
  EXPECT_EQ(item.path, "/lists/Party_Mix - 2024.m3u");
}

TEST(MakeListItem, ATrackGetsTitleAuthorAndSize) {
  const ListItem item = makeListItem("/m/Band - Tune.mp3", 4096);
  EXPECT_FALSE(item.isPlaylistFile());
  EXPECT_EQ(item.author, "Band");
  EXPECT_EQ(item.title, "Tune");
  EXPECT_EQ(item.sizeKey, 4096);
  EXPECT_EQ(item.entry, nullptr);
  EXPECT_FALSE(item.selected);
}

}  // namespace
}  // namespace zarnel
