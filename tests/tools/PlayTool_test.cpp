// zarnel-play run as a program: offline renders on files made here.

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/MpegStreams.h"
#include "support/WavBuilder.h"
#include "tests/tools/ToolProcess.h"
#include "tools/common/CommandLine.h"

namespace zarnel {
namespace {

using test::readText;
using test::runTool;
using test::TempFolder;
using test::ToolRun;
using test::writeText;

const std::string kPlay = ZARNEL_PLAY_BIN;

std::string wavOf(int32_t frames) {
  const std::vector<uint8_t> b = test::makeWav({}, test::toBytes(test::stereoSine(frames, 330, 550, 8000)));
  return std::string(b.begin(), b.end());
}

uint32_t le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}

// Return: the frames of a plain WAV whose sizes agree with its length, or -1.
int64_t wavFrames(const std::string& b) {
  if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(36, 4, "data") != 0) return -1;
  if (le32(b, 4) != b.size() - 8 || le32(b, 40) != b.size() - 44) return -1;
  return int64_t(b.size() - 44) / 4;
}

// A desk 1 that is over at once or almost: desk 2 must still come in and
// the render end, however it ends.
TEST(PlayTool, AnOfflineRenderEndsWhenTheFirstTrackNeverReachesTwoThirds) {
  TempFolder dir;
  writeText(dir / "b.wav", wavOf(44100 * 2));
  writeText(dir / "short.wav", wavOf(4410 * 2));  // 0.2 s
  writeText(dir / "empty.wav", wavOf(0));
  std::string damaged;  // decodes to one frame: the rest is a cut-off frame
  const std::vector<uint8_t> frame = test::silentFrame();
  damaged.assign(frame.begin(), frame.end());
  damaged += damaged.substr(0, 200);
  writeText(dir / "one.mp3", damaged);
  for (const char* first : {"short.wav", "empty.wav", "one.mp3"}) {
    ToolRun r = runTool(kPlay, {"--out", dir / "mix.wav", dir / first, dir / "b.wav"}, "", 20);
    ASSERT_FALSE(r.timedOut) << first << " never ended";
    EXPECT_EQ(r.status, 0) << first << ": " << r.err;
    const int64_t frames = wavFrames(readText(dir / "mix.wav"));
    EXPECT_GE(frames, 44100 * 2 - 1152) << first;
    EXPECT_LE(frames, 44100 * 2 + 4410 * 2 + 2048) << first;
  }
  EXPECT_EQ(dir.names().size(), 5u);  // no temporary left behind
}

TEST(PlayTool, NeverRendersOverAnInputAndAFailedRenderKeepsTheTarget) {
  TempFolder dir;
  const std::string a = wavOf(44100), b = wavOf(22050);
  writeText(dir / "a.wav", a);
  writeText(dir / "b.wav", b);
  ASSERT_EQ(link((dir / "b.wav").c_str(), (dir / "hard.wav").c_str()), 0);
  const std::string roundabout = dir.path() + "/../" + dir.path().substr(5) + "/b.wav";  // via /tmp/..
  for (const std::string& out : {dir / "a.wav", dir / "hard.wav", roundabout}) {
    ToolRun r = runTool(kPlay, {"--out", out, dir / "a.wav", dir / "b.wav"});
    EXPECT_EQ(r.status, 1) << out;
    EXPECT_NE(r.err.find("is the input"), std::string::npos) << r.err;
  }
  EXPECT_EQ(readText(dir / "a.wav"), a);
  EXPECT_EQ(readText(dir / "b.wav"), b);

  writeText(dir / "mix.wav", "an earlier mix");
  ToolRun r = runTool(kPlay, {"--out=" + dir / "mix.wav", dir / "a.wav", dir / "missing.wav"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot open " + dir / "missing.wav"), std::string::npos) << r.err;
  EXPECT_EQ(readText(dir / "mix.wav"), "an earlier mix");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.wav", "b.wav", "hard.wav", "mix.wav"}));
}

TEST(PlayTool, FollowsTheCommandLineConventions) {
  TempFolder dir;
  writeText(dir / "-dash.wav", wavOf(11025));
  ToolRun r = runTool(kPlay, {"--out", dir / "mix.wav", "--", dir / "-dash.wav"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NEAR(double(wavFrames(readText(dir / "mix.wav"))), 11025.0, 1152.0);
  r = runTool(kPlay, {"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: zarnel-play", 0), 0u) << r.out;
  r = runTool(kPlay, {"--version"});
  EXPECT_EQ(r.out, std::string("zarnel-play ") + tools::toolVersion() + "\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"--out"}, {"a", "b", "c"}, {"--loud", "a"}, {"--out=", "a"}}) {
    r = runTool(kPlay, args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_NE(r.err.find("usage: zarnel-play"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace zarnel
