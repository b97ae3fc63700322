#include "library/ScanList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<std::string> shownPaths(const ScanList& list) {
  std::vector<std::string> paths;
  for (int32_t i : list.shown()) paths.push_back(list.items()[size_t(i)].path);
  return paths;
}

TEST(ScanListLoad, LinesSplitAtTheLastCommaUnlessItComesFirst) {
  ScanList list;
  list.parse(
      "C:\\Music\\a, b.mp3,4096\r\n\r\n"
      "CD1=\\x.mp3,12abc\n"
      "\rno comma\r"
      ",5\n"
      "D:\\y.mp3,\n"
      "D:\\z.mp3, -7\n"
      "D:\\big.mp3,99999999999");
  const std::vector<ScanItem>& items = list.items();
  ASSERT_EQ(items.size(), 7u);
  auto item = [&](size_t i) { return std::make_pair(items[i].path, items[i].size); };
  EXPECT_EQ(item(0), std::make_pair(std::string("C:\\Music\\a, b.mp3"), 4096));
  EXPECT_EQ(item(1), std::make_pair(std::string("CD1=\\x.mp3"), 12));
  EXPECT_EQ(item(2), std::make_pair(std::string("no comma"), 0));
  EXPECT_EQ(item(3), std::make_pair(std::string(",5"), 0));
  EXPECT_EQ(item(4), std::make_pair(std::string("D:\\y.mp3"), 0));
  EXPECT_EQ(item(5), std::make_pair(std::string("D:\\z.mp3"), -7));
  EXPECT_EQ(item(6).second, 2147483647);
  EXPECT_EQ(list.shown().size(), 7u);
}

TEST(ScanListLoad, AMissingOrUnreadableFileGivesAnEmptyList) {
  VirtualFileSystem files;
  ScanList list;
  list.parse("a,1\r\n");
  EXPECT_FALSE(list.load(files, "mp3database.txt"));
  EXPECT_TRUE(list.items().empty());
  files.put("mp3database.txt", bytesOf("a,1\r\nb,2\r\n"));
  files.failReadsAfter("mp3database.txt", 3);
  EXPECT_FALSE(list.load(files, "mp3database.txt"));
  EXPECT_TRUE(list.shown().empty());
}

class ScanListSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    list.parse(
        "C:\\beat it.mp3,1\r\n"
        "C:\\Beats Vol 2.mp3,2\r\n"
        "C:\\BEAST.mp3,3\r\n"
        "C:\\calm.mp3,4\r\n"
        "C:\\upbeats.wav,5\r\n");
  }
  ScanList list;
};

TEST_F(ScanListSearch, ALongerTextFiltersTheFilteredListAnotherTheWholeList) {
  list.search("BEAT");
  EXPECT_EQ(list.lastSearched(), 5);
  EXPECT_EQ(shownPaths(list), (std::vector<std::string>{"C:\\beat it.mp3", "C:\\Beats Vol 2.mp3",
                                                        "C:\\upbeats.wav"}));
  list.search("BEATS");
  EXPECT_EQ(list.lastSearched(), 3);
  EXPECT_EQ(shownPaths(list),
            (std::vector<std::string>{"C:\\Beats Vol 2.mp3", "C:\\upbeats.wav"}));
  list.search("bea");
  EXPECT_EQ(list.lastSearched(), 5);
  EXPECT_EQ(shownPaths(list).size(), 4u);
  EXPECT_EQ(list.currentSearch(), "BEA");
  list.search("");
  EXPECT_EQ(list.shown().size(), 5u);
  list.search("BEAT");  // the current search was cleared: the whole list again
  EXPECT_EQ(list.lastSearched(), 5);
}

TEST(ScanListSearchCase, OnlyTheLettersAToZIgnoreCase) {
  ScanList list;
  list.parse("C:\\caf\xe9.mp3,1\r\nC:\\CAF\xc9.mp3,2\r\nC:\\[x].mp3,3\r\n");
  list.search("caf\xe9");
  EXPECT_EQ(shownPaths(list), (std::vector<std::string>{"C:\\caf\xe9.mp3"}));
  list.search("{X}");  // "{" and "}" are not the lower case of "[" and "]"
  EXPECT_TRUE(list.shown().empty());
}

TEST(ScanListPrefix, RemovedItemsAreLeftOutOfTheWrittenFile) {
  VirtualFileSystem files;
  files.put("mp3database.txt", bytesOf("CD1=\\a.mp3,1\r\nC:\\b.mp3,2\r\nCD1=\\c.mp3,3\r\nCD10=\\d.mp3,4\r\n"
                                       "stale text longer than what is written back"));
  ScanList list;
  ASSERT_TRUE(list.load(files, "mp3database.txt"));
  EXPECT_TRUE(list.hasPrefix("CD1="));
  EXPECT_FALSE(list.hasPrefix("cd1="));
  list.removePrefix("CD1=");
  EXPECT_FALSE(list.hasPrefix("CD1="));
  EXPECT_TRUE(list.hasPrefix("CD10="));
  EXPECT_EQ(list.items().size(), 5u);
  ASSERT_TRUE(list.writeAll(files, "mp3database.txt"));
  std::vector<uint8_t> written = files.bytes("mp3database.txt");
  EXPECT_EQ(std::string(written.begin(), written.end()),
            "C:\\b.mp3,2\r\nCD10=\\d.mp3,4\r\nstale text longer than what is written back,0\r\n");
}

TEST(ScanListDisc, DiscPathsResolveOnTheDriveRootOrExplainWhichDiscIsMissing) {
  VirtualFileSystem files;
  files.put("E:\\Music\\t.mp3", {1});
  files.put("/media/cd/Music/t.mp3", {1});
  const char* text = "%s\nis not\nin the drive";
  std::string path, message;
  EXPECT_TRUE(ScanList::resolveDiscPath(files, "E:\\", "CD1=\\Music\\t.mp3", path, message, text));
  EXPECT_EQ(path, "E:\\Music\\t.mp3");
  EXPECT_TRUE(ScanList::resolveDiscPath(files, "E:", "CD1=\\Music\\t.mp3", path, message, text));
  EXPECT_EQ(path, "E:\\Music\\t.mp3");
  EXPECT_TRUE(ScanList::resolveDiscPath(files, "/media/cd/", "CD1=\\Music\\t.mp3", path, message, text));
  EXPECT_EQ(path, "/media/cd/Music/t.mp3");
  path = "unchanged";
  EXPECT_FALSE(ScanList::resolveDiscPath(files, "E:\\", "Party Mix=\\t.mp3", path, message, text));
  EXPECT_EQ(path, "unchanged");
  EXPECT_EQ(message, "Party Mix\nis not\nin the drive");
  EXPECT_FALSE(ScanList::resolveDiscPath(files, "E:\\", "X=\\t.mp3", path, message, "100%% %s %s"));
  EXPECT_EQ(message, "100% X %s");
}

}  // namespace
}  // namespace zarnel
