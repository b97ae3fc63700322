#include "library/CdScan.h"

#include <gtest/gtest.h>

#include "library/DiscRuns.h"
#include "library/ScanList.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualFolderService.h"
#include "tests/library/ScanFakes.h"

namespace zarnel {
namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

class CdScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folders.attachFiles(&files);
    folders.addFile("/media/u/DISC/a.mp3", 1);
    folders.addFile("/media/u/DISC/sub/b.WAV", 2);
    folders.addFile("/media/u/DISC/c.asf", 3);
  }
  void setList(const std::string& text) {
    files.put(kScanListFile, bytesOf(text));
    list.load(files, kScanListFile);
  }
  std::string listText() const {
    std::vector<uint8_t> b = files.bytes(kScanListFile);
    return {b.begin(), b.end()};
  }
  ScanOutcome scanDisc(const std::string& name, bool replace) {
    CdScan cd(folders, files, kScanListFile);
    ScanOutcome started = cd.start(list, name, replace);
    return started == ScanOutcome::kDone ? cd.walk("/media/u/DISC", progress) : started;
  }

  VirtualFileSystem files;
  VirtualFolderService folders;
  FakeProgress progress;
  ScanList list;
};

TEST_F(CdScanTest, TheProposalIsTheSmallestFreeNumber) {
  setList("CD1=\\a.mp3,1\r\nCD2=\\b.mp3,2\r\nCD10=\\c.mp3,3\r\n");
  EXPECT_EQ(CdScan::proposedName(list), "CD3");
  const std::vector<DiscRun> rows = discRuns(list);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(deleteDiscs(list, rows, {0}, files, folders, kScanListFile), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "CD2=\\b.mp3,2\r\nCD10=\\c.mp3,3\r\n");
  list.load(files, kScanListFile);
  EXPECT_EQ(CdScan::proposedName(list), "CD1");
}

TEST_F(CdScanTest, AllNumbersTakenProposesNothing) {
  std::string text;
  for (int i = 1; i <= CdScan::kMaxProposals; ++i) text += "CD" + std::to_string(i) + "=\\x.mp3,1\r\n";
  list.parse(text);
  EXPECT_EQ(CdScan::proposedName(list), "");
}

TEST_F(CdScanTest, NamesWithForbiddenCharactersAreCleanedAndNotScanned) {
  std::string name = "My:Disc=1\\";
  EXPECT_EQ(CdScan::checkName(name, true), DiscNameCheck::kCleaned);
  EXPECT_EQ(name, "MyDisc1");
  EXPECT_EQ(CdScan::checkName(name, true), DiscNameCheck::kAccepted);
  std::string empty;
  EXPECT_EQ(CdScan::checkName(empty, true), DiscNameCheck::kMissing);
  EXPECT_EQ(CdScan::checkName(name, false), DiscNameCheck::kMissing);
}

TEST_F(CdScanTest, AScanAppendsTheDiscsFilesWithItsPrefixAndEveryFilter) {
  setList("/home/u/x.mp3,5");  // no line end after the last line
  EXPECT_FALSE(CdScan::isDuplicate(list, "CD1"));
  EXPECT_EQ(scanDisc("CD1", false), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "/home/u/x.mp3,5\r\nCD1=/a.mp3,1\r\nCD1=/c.asf,3\r\nCD1=/sub/b.WAV,2\r\n");
  EXPECT_EQ(CdScan::driveRoot("/media/u/DISC", '/'), "/media/u/DISC/");
  EXPECT_EQ(CdScan::driveRoot("E:\\", '\\'), "E:\\");
}

TEST_F(CdScanTest, ADiscPathResolvesAgainstTheRememberedDrive) {
  files.put("/media/u/DISC/sub/b.WAV", {1});
  std::string path, message;
  EXPECT_TRUE(
      ScanList::resolveDiscPath(files, CdScan::driveRoot("/media/u/DISC", '/'), "CD1=/sub/b.WAV", path, message, "%s"));
  EXPECT_EQ(path, "/media/u/DISC/sub/b.WAV");
}

TEST_F(CdScanTest, ReplacingADuplicateDiscDropsItsOldLines) {
  setList("CD1=\\old.mp3,9\r\nCD12=\\keep.mp3,8\r\nC:\\k.mp3,7\r\n");
  EXPECT_TRUE(CdScan::isDuplicate(list, "CD1"));
  EXPECT_EQ(scanDisc("CD1", true), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "CD12=\\keep.mp3,8\r\nC:\\k.mp3,7\r\nCD1=/a.mp3,1\r\nCD1=/c.asf,3\r\nCD1=/sub/b.WAV,2\r\n");
}

TEST_F(CdScanTest, AFileThatCannotBeOpenedEndsTheScan) {
  setList("");
  files.lockWrites(kScanListFile, true);
  EXPECT_EQ(scanDisc("CD1", false), ScanOutcome::kCannotCreate);
}

TEST(DiscRunsTest, RowsAreRunsOfConsecutiveLinesOfOneDiscOrDrive) {
  ScanList list;
  list.parse("CD1=\\a,1\r\nCD1=\\b,1\r\nC:\\x=y,1\r\nC:\\z,1\r\n/home/a,1\r\nCD1=\\c,1\r\nweird,1\r\n");
  const std::vector<DiscRun> rows = discRuns(list);
  ASSERT_EQ(rows.size(), 5u);
  auto row = [&](size_t i) { return std::make_pair(rows[i].text, rows[i].lines); };
  EXPECT_EQ(row(0), std::make_pair(std::string("CD1"), 2));
  EXPECT_EQ(row(1), std::make_pair(std::string("C:"), 2));
  EXPECT_EQ(row(2), std::make_pair(std::string("/"), 1));
  EXPECT_EQ(row(3), std::make_pair(std::string("CD1"), 1));
  EXPECT_EQ(row(4), std::make_pair(std::string("weird"), 1));
}

TEST(DiscRunsTest, DeletingRowsRemovesEveryLineOfTheirDiscOrDrive) {
  VirtualFileSystem files;
  VirtualFolderService folders;
  folders.attachFiles(&files);
  ScanList list;
  list.parse("CD1=\\a,1\r\nC:\\x,2\r\nCD1=\\c,3\r\nCD11=\\d,4\r\nweird,5\r\nD:\\e,6\r\n");
  const std::vector<DiscRun> rows = discRuns(list);
  EXPECT_EQ(deleteDiscs(list, rows, {}, files, folders, kScanListFile), ScanOutcome::kDone);
  EXPECT_FALSE(files.exists(kScanListFile));
  EXPECT_EQ(deleteDiscs(list, rows, {0, 1, 4, 99, -1}, files, folders, kScanListFile), ScanOutcome::kDone);
  std::vector<uint8_t> b = files.bytes(kScanListFile);
  EXPECT_EQ(std::string(b.begin(), b.end()), "CD11=\\d,4\r\nD:\\e,6\r\n");
}

}  // namespace
}  // namespace zarnel
