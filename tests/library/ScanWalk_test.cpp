#include "library/ScanWalk.h"

#include <gtest/gtest.h>

#include "library/ScanList.h"
#include "platform/virtual/VirtualFolderService.h"
#include "tests/library/ScanFakes.h"

namespace zarnel {
namespace {

class ScanWalkTest : public ::testing::Test {
 protected:
  std::string walk(const std::string& folder, int32_t bits, const std::string& prefix = "",
                   ScanAnalyser* analyser = nullptr) {
    ScanWalk walker(folders, output, progress, bits, analyser);
    completed = walker.walk(folder, prefix);
    return output.text;
  }
  VirtualFolderService folders;
  StringOutput output;
  FakeProgress progress;
  bool completed = false;
};

TEST_F(ScanWalkTest, FilterBitsChooseTheEndingsWithoutRegardToCase) {
  folders.addFile("/m/a.MP3", 1);
  folders.addFile("/m/b.wav", 2);
  folders.addFile("/m/c.Wma", 3);
  folders.addFile("/m/d.asf", 4);
  folders.addFile("/m/e.ogg", 5);
  folders.addFile("/m/mp3", 6);
  EXPECT_EQ(walk("/m", kScanMp3 | kScanWma), "/m/a.MP3,1\r\n/m/c.Wma,3\r\n/m/d.asf,4\r\n");
  output.text.clear();
  EXPECT_EQ(walk("/m", kScanWav), "/m/b.wav,2\r\n");
  output.text.clear();
  EXPECT_EQ(walk("/m", 0), "");
}

TEST_F(ScanWalkTest, FilesComeBeforeSubfoldersInTheListingsOrder) {
  folders.addFile("/m/z.mp3", 1);
  folders.addFile("/m/sub/x.mp3", 2);
  folders.addFile("/m/a.mp3", 3);
  folders.addFile("/m/sub/deeper/y.mp3", 4);
  EXPECT_EQ(walk("/m", 7), "/m/z.mp3,1\r\n/m/a.mp3,3\r\n/m/sub/x.mp3,2\r\n/m/sub/deeper/y.mp3,4\r\n");
  EXPECT_TRUE(completed);
  EXPECT_EQ(progress.pumps, 4);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"/m/z.mp3", "/m/a.mp3", "/m/sub", "/m/sub/x.mp3", "/m/sub/deeper",
                                                      "/m/sub/deeper/y.mp3"}));
}

TEST_F(ScanWalkTest, AnUnknownSizeIsWrittenWithoutCommaAndReadsBackAsZero) {
  folders.addFile("/m/a.mp3", -1);
  folders.addFile("/m/big.mp3", int64_t(0x1'0000'0010));
  folders.addFile("/m/huge.mp3", int64_t(0xFFFF'FFF0));
  folders.addFile("/m/x,y.mp3", -1);
  const std::string text = walk("/m", 1);
  EXPECT_EQ(text, "/m/a.mp3\r\n/m/big.mp3,16\r\n/m/huge.mp3,-16\r\n/m/x,y.mp3,0\r\n");
  ScanList list;
  list.parse(text);
  ASSERT_EQ(list.items().size(), 4u);
  EXPECT_EQ(list.items()[0].path, "/m/a.mp3");
  EXPECT_EQ(list.items()[0].size, 0);
  EXPECT_EQ(list.items()[3].path, "/m/x,y.mp3");
}

TEST_F(ScanWalkTest, APrefixWritesThePathOnTheDrive) {
  VirtualFolderService windows('\\');
  windows.addFile("E:\\Music\\a.mp3", 10);
  ScanWalk walker(windows, output, progress, 7, nullptr);
  EXPECT_TRUE(walker.walk("E:\\", "CD3="));
  EXPECT_EQ(output.text, "CD3=\\Music\\a.mp3,10\r\n");
  output.text.clear();
  folders.addFile("/media/u/DISC/Live: 1999/b.mp3", 20);
  EXPECT_EQ(walk("/media/u/DISC", 7, "CD1="), "CD1=/Live: 1999/b.mp3,20\r\n");
  EXPECT_EQ(ScanWalk::linePath("F:\\x\\c.mp3", "/elsewhere", "CD2="), "CD2=\\x\\c.mp3");
  EXPECT_EQ(ScanWalk::linePath("relative.mp3", "/elsewhere", "CD2="), "CD2=relative.mp3");
}

TEST_F(ScanWalkTest, HiddenEntriesFolderLinksAndDanglingLinksArePassedOver) {
  folders.addFile("/m/.secret.mp3", 1);
  folders.addFile("/m/.cache/c.mp3", 2);
  folders.addFile("/m/real/r.mp3", 3);
  folders.addLink("/m/loop", "/m");        // would walk forever
  folders.addLink("/m/alias", "/m/real");  // would write r.mp3 twice
  folders.addLink("/m/song.mp3", "/m/real/r.mp3");
  folders.addLink("/m/gone.mp3", "/nowhere/x.mp3");
  folders.addFile("/m/bad\nline.mp3", 4);
  EXPECT_EQ(walk("/m", 1), "/m/song.mp3,3\r\n/m/real/r.mp3,3\r\n");
}

TEST_F(ScanWalkTest, AFolderThatNeverAnswersIsSkippedAndTheRestWalked) {
  folders.addFile("/m/a/1.mp3", 1);
  folders.neverAnswers("/m/dead");
  folders.addFile("/m/z/2.mp3", 2);
  EXPECT_EQ(walk("/m", 1), "/m/a/1.mp3,1\r\n/m/z/2.mp3,2\r\n");
  EXPECT_TRUE(completed);
  EXPECT_EQ(folders.unanswered(), 1);
}

TEST_F(ScanWalkTest, StopEndsTheWalkAndKeepsTheLinesWritten) {
  for (int i = 0; i < 5; ++i) folders.addFile("/m/" + std::to_string(i) + ".mp3", i);
  folders.addFile("/m/sub/s.mp3", 9);
  progress.stopAfterPumps = 2;
  EXPECT_EQ(walk("/m", 1), "/m/0.mp3,0\r\n/m/1.mp3,1\r\n");
  EXPECT_FALSE(completed);
}

TEST_F(ScanWalkTest, AFailedWriteEndsTheWalk) {
  folders.addFile("/m/a.mp3", 1);
  folders.addFile("/m/b.mp3", 2);
  output.failAfter = 1;
  ScanWalk walker(folders, output, progress, 1, nullptr);
  EXPECT_FALSE(walker.walk("/m", ""));
  EXPECT_TRUE(walker.outputFailed());
  EXPECT_EQ(walker.filesWritten(), 1);
}

TEST_F(ScanWalkTest, SystemTreesExcludedFoldersAndTooDeepFoldersAreNotEntered) {
  folders.addFile("/proc/1/x.mp3", 1);
  folders.addFile("/media/usb/u.mp3", 2);
  folders.addFile("/home/h.mp3", 3);
  std::string deep = "/deep";
  for (int i = 1; i < kScanMaxDepth; ++i) deep += "/d";  // the last folder entered
  folders.addFile(deep + "/last.mp3", 4);
  folders.addFile(deep + "/d/beyond.mp3", 5);
  ScanWalk walker(folders, output, progress, 1, nullptr);
  walker.exclude({"/media/usb"});
  EXPECT_TRUE(walker.walk("/", ""));
  EXPECT_EQ(output.text, "/home/h.mp3,3\r\n" + deep + "/last.mp3,4\r\n");
}

TEST_F(ScanWalkTest, TheAnalyserRunsOnEveryFileWritten) {
  folders.addFile("/m/a.mp3", 1);
  folders.addFile("/m/b.txt", 1);
  folders.addFile("/m/s/c.wav", 1);
  RecordingAnalyser analyser;
  walk("/m", 3, "", &analyser);
  EXPECT_EQ(analyser.paths, (std::vector<std::string>{"/m/a.mp3", "/m/s/c.wav"}));
}

}  // namespace
}  // namespace zarnel
