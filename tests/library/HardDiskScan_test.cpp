#include "library/HardDiskScan.h"

#include <gtest/gtest.h>

#include "library/ScanList.h"
#include "library/ScanWalk.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualFolderService.h"
#include "tests/library/ScanFakes.h"

namespace zarnel {
namespace {

std::vector<uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

class HardDiskScanTest : public ::testing::Test {
 protected:
  void SetUp() override { folders.attachFiles(&files); }

  void useLinuxRoots() {
    folders.setRoots({{"/home/u", "Home", FolderRootKind::kHome},
                      {"/", "File System", FolderRootKind::kFileSystem},
                      {"/media/u/USB", "USB", FolderRootKind::kRemovable}});
    folders.addFile("/home/u/Music/h.mp3", 1);
    folders.addFile("/opt/o.mp3", 2);
    folders.addFile("/media/u/USB/s.mp3", 3);
  }
  std::string listText() const {
    std::vector<uint8_t> b = files.bytes(kScanListFile);
    return {b.begin(), b.end()};
  }
  ScanOutcome scan(const std::string& before, const std::vector<bool>& ticked, int32_t bits = kScanMp3) {
    files.put(kScanListFile, bytesOf(before));
    ScanList list;
    list.parse(before);
    HardDiskScan hd(folders, files, kScanListFile);
    hd.drives();
    ScanOutcome started = hd.start(list, ticked);
    if (started != ScanOutcome::kDone) return started;
    return hd.walk(progress, bits, nullptr);
  }

  VirtualFileSystem files;
  VirtualFolderService folders;
  FakeProgress progress;
};

TEST_F(HardDiskScanTest, NothingTickedLeavesTheListAlone) {
  useLinuxRoots();
  EXPECT_EQ(scan("/x.mp3,1\r\n", {false, false, false}), ScanOutcome::kNothingTicked);
  EXPECT_STREQ(scanMessageKey(ScanOutcome::kNothingTicked), "NoHDSelected");
  EXPECT_EQ(listText(), "/x.mp3,1\r\n");
  EXPECT_FALSE(files.exists(std::string(kScanListFile) + ".new"));
}

TEST_F(HardDiskScanTest, RescanningOneDriveRemovesOnlyItsLines) {
  VirtualFolderService windows('\\');
  windows.attachFiles(&files);
  windows.setRoots({{"C:\\", "C:", FolderRootKind::kFileSystem}, {"D:\\", "D:", FolderRootKind::kFileSystem}});
  windows.addFile("C:\\new.mp3", 5);
  windows.addFolder("D:\\");
  const std::string before = "C:\\old.mp3,1\r\nCD1=\\c.mp3,2\r\nD:\\d.mp3,3\r\nc:\\lower.mp3,4\r\n";
  files.put(kScanListFile, bytesOf(before));
  ScanList list;
  list.parse(before);
  HardDiskScan hd(windows, files, kScanListFile);
  ASSERT_EQ(hd.drives().size(), 2u);
  ASSERT_EQ(hd.start(list, {true, false}), ScanOutcome::kDone);
  EXPECT_EQ(hd.walk(progress, kScanMp3, nullptr), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "CD1=\\c.mp3,2\r\nD:\\d.mp3,3\r\nC:\\new.mp3,5\r\n");
  EXPECT_FALSE(files.exists(std::string(kScanListFile) + ".new"));
}

TEST_F(HardDiskScanTest, HomeInsideTheTickedFileSystemIsWalkedOnceAndMediaStayOut) {
  useLinuxRoots();
  EXPECT_EQ(scan("/home/u/gone.mp3,9\r\n/media/u/USB/kept.mp3,8\r\nCD1=\\c.mp3,7\r\n", {true, true, false}),
            ScanOutcome::kDone);
  EXPECT_EQ(listText(), "/media/u/USB/kept.mp3,8\r\nCD1=\\c.mp3,7\r\n/home/u/Music/h.mp3,1\r\n/opt/o.mp3,2\r\n");
}

TEST_F(HardDiskScanTest, ATickedMediumIsWalkedOnItsOwn) {
  useLinuxRoots();
  EXPECT_EQ(scan("/media/u/USB/old.mp3,8\r\n/opt/kept.mp3,1\r\n", {false, false, true}), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "/opt/kept.mp3,1\r\n/media/u/USB/s.mp3,3\r\n");
}

TEST_F(HardDiskScanTest, WavFilesAreWrittenOnlyWithTheirBox) {
  folders.setRoots({{"/", "File System", FolderRootKind::kFileSystem}});
  folders.addFile("/a.wav", 1);
  folders.addFile("/b.asf", 2);
  EXPECT_EQ(scan("", {true}, HardDiskScan::filterBits(true, false, true)), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "/b.asf,2\r\n");
  EXPECT_EQ(scan("", {true}, HardDiskScan::filterBits(true, true, false)), ScanOutcome::kDone);
  EXPECT_EQ(listText(), "/a.wav,1\r\n");
}

TEST_F(HardDiskScanTest, StopKeepsTheLinesSoFarAndSkipsTheOtherDrives) {
  useLinuxRoots();
  folders.addFile("/home/u/Music/h2.mp3", 4);
  progress.stopAfterPumps = 1;
  EXPECT_EQ(scan("CD1=\\c.mp3,7\r\n", {true, false, true}), ScanOutcome::kStopped);
  EXPECT_EQ(listText(), "CD1=\\c.mp3,7\r\n/home/u/Music/h.mp3,1\r\n");
}

TEST_F(HardDiskScanTest, AListThatCannotBeCreatedKeepsTheOldFile) {
  useLinuxRoots();
  files.put(std::string(kScanListFile) + ".new", {});
  files.lockWrites(std::string(kScanListFile) + ".new", true);
  EXPECT_EQ(scan("/home/u/x.mp3,1\r\n", {true, false, false}), ScanOutcome::kCannotCreate);
  EXPECT_STREQ(scanMessageKey(ScanOutcome::kCannotCreate), "CreateFile");
  EXPECT_EQ(listText(), "/home/u/x.mp3,1\r\n");
}

TEST_F(HardDiskScanTest, AFailedWriteKeepsTheOldFile) {
  useLinuxRoots();
  files.put(std::string(kScanListFile) + ".new", {});
  files.failWritesAfter(std::string(kScanListFile) + ".new", 3);
  EXPECT_EQ(scan("/home/u/x.mp3,1\r\n", {true, false, false}), ScanOutcome::kWriteFailed);
  EXPECT_EQ(listText(), "/home/u/x.mp3,1\r\n");
}

TEST(HardDiskScanRules, FixedTicksAndRootMembership) {
  const std::vector<FolderRoot> roots = {{"/home/u", "Home", FolderRootKind::kHome},
                                         {"/", "File System", FolderRootKind::kFileSystem},
                                         {"/media/cd", "CD", FolderRootKind::kOptical},
                                         {"/net", "net", FolderRootKind::kNetwork}};
  EXPECT_EQ(HardDiskScan::fixedTicks(roots), (std::vector<bool>{true, true, false, false}));
  EXPECT_TRUE(HardDiskScan::underRoot("/home/u/a.mp3", "/home/u"));
  EXPECT_TRUE(HardDiskScan::underRoot("/home/u/a.mp3", "/home/u/"));
  EXPECT_FALSE(HardDiskScan::underRoot("/home/user2/a.mp3", "/home/u"));
  EXPECT_TRUE(HardDiskScan::underRoot("/x.mp3", "/"));
  EXPECT_FALSE(HardDiskScan::underRoot("CD1=\\x.mp3", "/"));
  EXPECT_TRUE(HardDiskScan::underRoot("d:\\x.mp3", "D:\\"));
  EXPECT_FALSE(HardDiskScan::underRoot("CD1=\\x.mp3", "C:\\"));
}

}  // namespace
}  // namespace zarnel
