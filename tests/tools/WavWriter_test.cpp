#include "tools/common/WavWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/tools/ToolProcess.h"

namespace zarnel {
namespace {

using test::TempFolder;

uint32_t le32(const std::string& b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
         uint32_t(uint8_t(b[at + 3])) << 24;
}
uint64_t le64(const std::string& b, size_t at) { return le32(b, at) | uint64_t(le32(b, at + 4)) << 32; }
int16_t sampleAt(const std::string& b, size_t at) { return int16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8); }

// Frames with different signals left and right, negative values included.
std::vector<int16_t> ramp(int32_t frames) {
  std::vector<int16_t> s;
  for (int32_t i = 0; i < frames; ++i) {
    s.push_back(int16_t(i * 37 - 20000));
    s.push_back(int16_t(-i * 11));
  }
  return s;
}

// Writes samples in pieces of 7 frames. Return: the file's bytes.
std::string writeInPieces(tools::WavWriter& wav, const std::string& path, int64_t expected,
                          const std::vector<int16_t>& samples) {
  std::string error;
  EXPECT_TRUE(wav.open(path, {}, error)) << error;
  wav.expectFrames(expected);
  for (size_t at = 0; at < samples.size(); at += 14) {
    const size_t frames = std::min<size_t>(7, (samples.size() - at) / 2);
    EXPECT_TRUE(wav.write(samples.data() + at, frames, error)) << error;
  }
  EXPECT_TRUE(wav.close(error)) << error;
  return test::readText(path);
}

void expectFmt(const std::string& b, size_t at) {
  EXPECT_EQ(b.substr(at, 4), "fmt ");
  EXPECT_EQ(le32(b, at + 4), 16u);
  EXPECT_EQ(le32(b, at + 8), 1u | 2u << 16);  // PCM, two channels
  EXPECT_EQ(le32(b, at + 12), 44100u);
  EXPECT_EQ(le32(b, at + 16), 176400u);
  EXPECT_EQ(le32(b, at + 20), 4u | 16u << 16);
}

TEST(WavWriter, AKnownLengthGetsThePlainHeaderAndLittleEndianSamples) {
  TempFolder dir;
  tools::WavWriter wav(2, 44100);
  const std::vector<int16_t> samples = ramp(1000);
  const std::string b = writeInPieces(wav, dir / "a.wav", 1000, samples);
  ASSERT_EQ(b.size(), 44u + 4000u);
  EXPECT_EQ(b.substr(0, 4), "RIFF");
  EXPECT_EQ(le32(b, 4), 36u + 4000u);
  EXPECT_EQ(b.substr(8, 4), "WAVE");
  expectFmt(b, 12);
  EXPECT_EQ(b.substr(36, 4), "data");
  EXPECT_EQ(le32(b, 40), 4000u);
  for (size_t i = 0; i < samples.size(); ++i) ASSERT_EQ(sampleAt(b, 44 + 2 * i), samples[i]) << i;
  EXPECT_FALSE(wav.rf64());
  EXPECT_EQ(wav.frames(), 1000u);
}

TEST(WavWriter, AnUnknownLengthKeepsRoomAndStaysAValidRiffFile) {
  TempFolder dir;
  tools::WavWriter wav(2, 44100);
  const std::string b = writeInPieces(wav, dir / "a.wav", -1, ramp(50));
  ASSERT_EQ(b.size(), 80u + 200u);
  EXPECT_EQ(b.substr(0, 4), "RIFF");
  EXPECT_EQ(le32(b, 4), uint32_t(b.size() - 8));
  EXPECT_EQ(b.substr(12, 4), "JUNK");
  EXPECT_EQ(le32(b, 16), 28u);
  expectFmt(b, 48);
  EXPECT_EQ(b.substr(72, 4), "data");
  EXPECT_EQ(le32(b, 76), 200u);
  EXPECT_EQ(sampleAt(b, 80), -20000);
}

TEST(WavWriter, DataPastThe32BitSizesTurnsTheFileIntoRf64) {
  TempFolder dir;
  tools::WavWriter wav(2, 44100, 400);  // 100 frames stand for the 4 GB limit
  const std::string b = writeInPieces(wav, dir / "long.wav", -1, ramp(150));
  EXPECT_TRUE(wav.rf64());
  ASSERT_EQ(b.size(), 80u + 600u);
  EXPECT_EQ(b.substr(0, 4), "RF64");
  EXPECT_EQ(le32(b, 4), 0xFFFFFFFFu);
  EXPECT_EQ(b.substr(12, 4), "ds64");
  EXPECT_EQ(le64(b, 20), uint64_t(b.size() - 8));  // RIFF size
  EXPECT_EQ(le64(b, 28), 600u);                    // data size
  EXPECT_EQ(le64(b, 36), 150u);                    // frames
  EXPECT_EQ(le32(b, 44), 0u);
  EXPECT_EQ(b.substr(72, 4), "data");
  EXPECT_EQ(le32(b, 76), 0xFFFFFFFFu);

  // An expected length past the limit keeps the room from the start.
  const std::string c = writeInPieces(wav, dir / "long2.wav", 101, ramp(101));
  EXPECT_EQ(c.substr(0, 4), "RF64");
  EXPECT_EQ(le64(c, 28), 404u);
}

TEST(WavWriter, APlainHeaderNeverGrowsPastItsSizesAndAnEmptyFileIsValid) {
  TempFolder dir;
  tools::WavWriter wav(2, 44100, 400);
  std::string error;
  ASSERT_TRUE(wav.open(dir / "a.wav", {}, error));
  wav.expectFrames(50);
  const std::vector<int16_t> samples = ramp(150);
  EXPECT_TRUE(wav.write(samples.data(), 100, error));
  EXPECT_FALSE(wav.write(samples.data(), 1, error));
  EXPECT_NE(error.find("more audio than announced"), std::string::npos) << error;
  wav.abandon();
  EXPECT_TRUE(dir.names().empty());

  ASSERT_TRUE(wav.open(dir / "empty.wav", {}, error));
  wav.expectFrames(0);
  ASSERT_TRUE(wav.close(error)) << error;
  const std::string b = test::readText(dir / "empty.wav");
  ASSERT_EQ(b.size(), 44u);
  EXPECT_EQ(le32(b, 4), 36u);
  EXPECT_EQ(le32(b, 40), 0u);
}

}  // namespace
}  // namespace zarnel
