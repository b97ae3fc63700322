#include "app/FileScanAnalyser.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualFileSystem.h"
#include "tests/library/ScanFakes.h"
#include "tests/support/WavBuilder.h"

namespace zarnel {
namespace {

struct AnalyserRig {
  AnalyserRig() {
    files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 3, 440.0, 660.0, 8000.0))));
  }
  VirtualFileSystem files;
  FakeProgress progress;
  std::vector<std::string> faults;
  FileScanAnalyser analyser{files, nullptr, [this](const std::string& path, const std::string& message) {
                              faults.push_back(path + "|" + message);
                            }};
};

TEST(FileScanAnalyserTest, AFileIsAnalysedUnderTheScansProgressWindow) {
  AnalyserRig r;
  r.analyser.analyse("missing.wav", r.progress);
  EXPECT_EQ(r.analyser.unopened(), 1);
  EXPECT_EQ(r.progress.pumps, 0);
  r.analyser.analyse("a.wav", r.progress);
  EXPECT_EQ(r.analyser.analysed(), 1);
  EXPECT_GT(r.progress.pumps, 0);
  EXPECT_TRUE(r.faults.empty());
}

TEST(FileScanAnalyserTest, StopEndsTheFileAndAFaultIsShownWithItsPath) {
  AnalyserRig r;
  r.progress.stopAfterPumps = 2;
  r.analyser.analyse("a.wav", r.progress);
  EXPECT_EQ(r.progress.pumps, 2);
  EXPECT_EQ(r.analyser.analysed(), 0);
  r.progress.stopAfterPumps = -1;
  r.progress.throwAtPump = 4;
  r.analyser.analyse("a.wav", r.progress);
  EXPECT_EQ(r.faults, std::vector<std::string>{"a.wav|Fatal error in file a.wav"});
  EXPECT_EQ(r.analyser.analysed(), 0);
}

}  // namespace
}  // namespace zarnel
