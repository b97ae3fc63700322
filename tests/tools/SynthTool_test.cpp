// zarnel-synth run as a program.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/ToolProcess.h"
#include "tools/common/CommandLine.h"

namespace zarnel {
namespace {

using test::runTool;
using test::TempFolder;
using test::ToolRun;

const std::string kSynth = ZARNEL_SYNTH_BIN;

uint32_t le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}

TEST(SynthTool, WritesTheDemoSongsAsWholeWavFiles) {
  TempFolder dir;
  test::writeText(dir / "Zarnel Demo - Slow Tide (118 BPM).wav", "an old file");
  ToolRun r = runTool(kSynth, {dir.path()}, "", 60);
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> names = dir.names();
  ASSERT_EQ(names.size(), 3u);  // the old file replaced, no temporary left
  for (const std::string& name : names) {
    const std::string b = test::readText(dir / name);
    ASSERT_GT(b.size(), 44u + 44100u * 4u * 60u) << name;  // over a minute
    EXPECT_EQ(b.compare(0, 4, "RIFF"), 0) << name;
    EXPECT_EQ(le32(b, 4), b.size() - 8) << name;
    EXPECT_EQ(le32(b, 40), b.size() - 44) << name;
    EXPECT_NE(r.out.find(dir / name), std::string::npos) << r.out;
  }
}

TEST(SynthTool, AMissingFolderIsNamedAndTheConventionsHold) {
  TempFolder dir;
  ToolRun r = runTool(kSynth, {dir / "missing"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot create a file in " + dir / "missing"), std::string::npos) << r.err;
  r = runTool(kSynth, {"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("zarnel-synth ") + tools::toolVersion() + "\n");
  r = runTool(kSynth, {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: zarnel-synth", 0), 0u);
  r = runTool(kSynth, {});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("usage: zarnel-synth"), std::string::npos);
  r = runTool(kSynth, {"-x"});
  EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace zarnel
