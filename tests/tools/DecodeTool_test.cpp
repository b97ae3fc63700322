// zarnel-decode run as a program on files made here.

#include <gtest/gtest.h>
#include <sys/stat.h>
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

const std::string kDecode = ZARNEL_DECODE_BIN;
constexpr size_t kFramePcmBytes = 1152 * 2;  // one silent mono frame's output

std::string bytesText(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

// count silent Layer III frames back to back.
std::string silentFrames(int count) {
  std::string s;
  for (int i = 0; i < count; ++i) s += bytesText(test::silentFrame());
  return s;
}

ToolRun decode(const std::vector<std::string>& args, const std::string& stdinPath = "") {
  return runTool(kDecode, args, stdinPath);
}

TEST(DecodeTool, NeverWritesOverItsInputWhateverThePath) {
  TempFolder dir;
  const std::string track = silentFrames(4);
  writeText(dir / "a.mp3", track);
  ASSERT_EQ(link((dir / "a.mp3").c_str(), (dir / "hard.mp3").c_str()), 0);
  ASSERT_EQ(symlink("a.mp3", (dir / "soft.mp3").c_str()), 0);
  const std::vector<std::vector<std::string>> runs = {{dir / "a.mp3", dir / "a.mp3"},
                                                      {dir / "a.mp3", dir / "hard.mp3"},
                                                      {dir / "soft.mp3", dir / "a.mp3"},
                                                      {dir / "a.mp3", dir.path() + "/./soft.mp3"}};
  for (const auto& args : runs) {
    ToolRun r = decode(args);
    EXPECT_EQ(r.status, 1) << args[0] << " " << args[1];
    EXPECT_NE(r.err.find("is the input"), std::string::npos) << r.err;
  }
  ToolRun r = decode({"-", dir / "a.mp3"}, dir / "hard.mp3");  // standard input is the output
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("is the input (standard input)"), std::string::npos) << r.err;
  EXPECT_EQ(readText(dir / "a.mp3"), track);
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"a.mp3", "hard.mp3", "soft.mp3"}));
}

TEST(DecodeTool, ACleanStreamExitsZeroFromAFileOrStandardInput) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams";
  TempFolder dir;
  const std::string stream = test::mpegTestData() + "/l3-si.bit";  // whole frames to its end
  writeText(dir / "-odd.mp3", readText(stream));
  ToolRun r = decode({"--", dir / "-odd.mp3", dir / "out.pcm"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  EXPECT_GE(test::psnr(test::readPcm(dir / "out.pcm"), test::readPcm(test::mpegTestData() + "/l3-si.pcm")), 96.0);
  r = decode({"-", dir / "in.pcm"}, stream);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(dir / "in.pcm"), readText(dir / "out.pcm"));
}

TEST(DecodeTool, DamagedDataInsideTheStreamExitsThreeWithWhatDecoded) {
  TempFolder dir;
  // A frame cut short in the middle: its header is not followed by another.
  const std::string cut = bytesText(test::silentFrame()).substr(0, 100);
  writeText(dir / "hole.mp3", silentFrames(5) + cut + silentFrames(5));
  ToolRun r = decode({dir / "hole.mp3", dir / "hole.pcm"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("damaged data skipped"), std::string::npos) << r.err;
  EXPECT_EQ(readText(dir / "hole.pcm").size(), 10 * kFramePcmBytes);

  // Bytes before the first frame that look like a header (a tag's picture)
  // are skipped without counting as damage.
  std::string tag = "ID3\x03";
  tag += std::string(6, '\0') + bytesText(test::silentFrame()).substr(0, 4) + std::string(40, 'x');
  writeText(dir / "tagged.mp3", tag + silentFrames(3));
  r = decode({dir / "tagged.mp3", dir / "tagged.pcm"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(dir / "tagged.pcm").size(), 3 * kFramePcmBytes);
}

// A stream ending inside a frame is cut short when its "Xing" header
// declares more frames or a tag follows the cut frame; a bare partial frame,
// as the standard's own test streams end, is reported but taken as the end.
TEST(DecodeTool, ACutOffStreamExitsThreeWhenItsEndShowsAudioMissing) {
  TempFolder dir;
  const std::string partial = bytesText(test::silentFrame()).substr(0, 200);
  writeText(dir / "declared.mp3",
            bytesText(test::xingFrame(12, 0, std::vector<uint8_t>(100, 0))) + silentFrames(6) + partial);
  ToolRun r = decode({dir / "declared.mp3", dir / "declared.pcm"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("cut short: 6 of the 12 frames"), std::string::npos) << r.err;
  EXPECT_EQ(readText(dir / "declared.pcm").size(), 6 * kFramePcmBytes);

  writeText(dir / "tagged.mp3", silentFrames(6) + partial + bytesText(test::id3v1Tag()));
  r = decode({dir / "tagged.mp3", dir / "tagged.pcm"});
  EXPECT_EQ(r.status, 3) << r.err;
  EXPECT_NE(r.err.find("before the closing tag"), std::string::npos) << r.err;

  writeText(dir / "whole.mp3", bytesText(test::xingFrame(6, 0, std::vector<uint8_t>(100, 0))) + silentFrames(6));
  r = decode({dir / "whole.mp3", dir / "whole.pcm"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readText(dir / "whole.pcm").size(), 6 * kFramePcmBytes);

  writeText(dir / "bare.mp3", silentFrames(6) + partial);
  r = decode({dir / "bare.mp3", dir / "bare.pcm"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("ends inside a frame"), std::string::npos) << r.err;
  EXPECT_EQ(readText(dir / "bare.pcm").size(), 6 * kFramePcmBytes);
}

TEST(DecodeTool, FailuresNameTheirCauseAndLeaveNoOutput) {
  TempFolder dir;
  writeText(dir / "old.pcm", "kept");
  writeText(dir / "song.wav", bytesText(test::makeWav({}, test::toBytes(test::stereoSine(4000, 440, 660, 9000)))));
  writeText(dir / "noise.bin", std::string(5000, '\x5a'));
  std::filesystem::create_directory(dir / "folder");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {dir / "song.wav", "a WAV file, not MPEG audio"},
      {dir / "folder", "is a directory"},
      {dir / "missing.mp3", "not found"},
      {dir / "noise.bin", "no MPEG audio frame found"},
  };
  for (const auto& [input, cause] : cases) {
    ToolRun r = decode({input, dir / "old.pcm"});
    EXPECT_EQ(r.status, 1) << input;
    EXPECT_EQ(r.err, "zarnel-decode: " + input + ": " + cause + "\n");
    r = decode({"-", dir / "new.pcm"}, input == dir / "song.wav" ? input : dir / "noise.bin");
    EXPECT_EQ(r.status, 1) << r.err;
  }
  EXPECT_EQ(readText(dir / "old.pcm"), "kept");
  if (geteuid() != 0) {  // the superuser reads anything
    writeText(dir / "locked.mp3", silentFrames(2));
    chmod((dir / "locked.mp3").c_str(), 0);
    ToolRun r = decode({dir / "locked.mp3", dir / "old.pcm"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("permission denied"), std::string::npos) << r.err;
    chmod((dir / "locked.mp3").c_str(), 0644);
    std::filesystem::remove(dir / "locked.mp3");
  }
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder", "noise.bin", "old.pcm", "song.wav"}));
}

TEST(DecodeTool, FollowsTheCommandLineConventions) {
  ToolRun r = decode({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("usage: zarnel-decode", 0), 0u) << r.out;
  EXPECT_TRUE(r.err.empty());
  r = decode({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("zarnel-decode ") + tools::toolVersion() + "\n");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"a.mp3"}, {"a", "b", "c"}, {"-q", "a", "b"}, {"a.mp3", "-"}}) {
    r = decode(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_NE(r.err.find("usage: zarnel-decode"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
}

}  // namespace
}  // namespace zarnel
