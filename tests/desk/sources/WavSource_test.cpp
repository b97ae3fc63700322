#include "desk/sources/WavSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/virtual/VirtualFileSystem.h"
#include "support/RiffBuilder.h"
#include "support/SourceSignal.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::GuardedBlock;
using test::signalBytes;

class WavSourceTest : public ::testing::Test {
 protected:
  int32_t openWav(std::vector<uint8_t> bytes) {
    fileSize_ = int32_t(bytes.size());
    files_.put("t.wav", std::move(bytes));
    return source_.open("t.wav");
  }
  int32_t read() {
    const int32_t result = source_.readRt(block_.data());
    EXPECT_TRUE(block_.guardIntact());
    return result;
  }
  // Every frame of the block holds value(i) on both channels.
  void expectMonoBlock(const std::function<int16_t(int32_t)>& value) {
    for (int32_t i = 0; i < kBlockFrames; ++i) {
      ASSERT_EQ(block_.left(i), value(i)) << "frame " << i;
      ASSERT_EQ(block_.right(i), value(i)) << "frame " << i;
    }
  }

  VirtualFileSystem files_;
  WavSource source_{files_};
  GuardedBlock block_;
  int32_t fileSize_ = 0;
};

TEST_F(WavSourceTest, Stereo44100PassesThroughBlockByBlockToTheEnd) {
  const std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
  ASSERT_EQ(openWav(test::makeWav({}, signalBytes(0, 88200), list, list)), 2);
  EXPECT_EQ(source_.sizeKey(), fileSize_);
  EXPECT_EQ(source_.position(), 0.0f);
  int32_t blocks = 0;
  while (read() == 1) {
    ASSERT_EQ(test::firstMismatch(block_, [&](int32_t i) { return blocks * 1152 + i; }), -1);
    ++blocks;
    EXPECT_FLOAT_EQ(source_.position(), blocks * 4608.0f / 352800.0f);
  }
  EXPECT_EQ(blocks, 76);  // 88200 frames hold 76 whole blocks; the rest is the end
}

TEST_F(WavSourceTest, Mono22050Reads1152BytesAndRepeatsEachSampleTwice) {
  std::vector<uint8_t> data;
  for (int32_t k = 0; k < 576 * 3; ++k) {
    data.push_back(uint8_t(k * 3));
    data.push_back(uint8_t(k >> 2));
  }
  ASSERT_EQ(openWav(test::makeRawWav(test::pcmHeader(1, 22050, 16), data)), 0);
  auto sample = [&](int32_t k) { return int16_t(data[size_t(2 * k)] | data[size_t(2 * k + 1)] << 8); };
  for (int32_t b = 0; b < 3; ++b) {
    ASSERT_EQ(read(), 1);
    expectMonoBlock([&](int32_t i) { return sample(b * 576 + i / 2); });
    EXPECT_FLOAT_EQ(source_.position(), (b + 1) * 1152.0f / float(data.size()));
  }
  EXPECT_EQ(read(), 0);
}

TEST_F(WavSourceTest, EightBitMono11025Reads288BytesAndRepeatsEachSampleFourTimes) {
  std::vector<uint8_t> data;
  for (int32_t k = 0; k < 576; ++k) data.push_back(uint8_t(k * 37 + 5));
  ASSERT_EQ(openWav(test::makeRawWav(test::pcmHeader(1, 11025, 8), data)), 0);
  ASSERT_EQ(read(), 1);
  EXPECT_FLOAT_EQ(source_.position(), 0.5f);  // 288 of 576 bytes
  expectMonoBlock([&](int32_t i) { return int16_t((data[size_t(i / 4)] - 128) * 256); });
}

TEST_F(WavSourceTest, Decimates48000WithTheCeilingIndexAndBlockStride) {
  const int32_t stride = 1254;  // ceil(1152 × 48000 / 44100)
  ASSERT_EQ(openWav(test::makeWav({.rate = 48000}, signalBytes(0, 2 * stride + 10))), 0);
  for (int32_t b = 0; b < 2; ++b) {
    ASSERT_EQ(read(), 1);
    const int32_t bad = test::firstMismatch(block_, [&](int32_t i) {
      return b * stride + int32_t((int64_t(i) * 48000 + 44099) / 44100);
    });
    ASSERT_EQ(bad, -1) << "block " << b;
  }
  EXPECT_FLOAT_EQ(source_.position(), 2.0f * stride * 4 / float((2 * stride + 10) * 4));
  EXPECT_EQ(read(), 0);
}

TEST_F(WavSourceTest, Decimates88200ToEverySecondFrameOfEightBitStereo) {
  std::vector<uint8_t> data;
  for (int32_t f = 0; f < 2304; ++f) data.insert(data.end(), {uint8_t(f), uint8_t(255 - f)});
  ASSERT_EQ(openWav(test::makeRawWav(test::pcmHeader(2, 88200, 8), data)), 0);
  ASSERT_EQ(read(), 1);
  for (int32_t i = 0; i < kBlockFrames; ++i) {
    ASSERT_EQ(block_.left(i), int16_t((uint8_t(2 * i) - 128) * 256)) << i;
    ASSERT_EQ(block_.right(i), int16_t((uint8_t(255 - 2 * i) - 128) * 256)) << i;
  }
}

// The next read starts a whole number of 4-byte units into the data, even
// when the data chunk itself starts 2 bytes off a multiple of four.
TEST_F(WavSourceTest, SeekLandsOnAWholeFrameOfTheData) {
  const auto data = signalBytes(0, 4608);  // 18432 bytes
  ASSERT_EQ(openWav(test::makeRawWav(test::pcmHeader(2, 44100, 16), data, {.padBeforeData = 2})), 0);
  EXPECT_EQ(source_.seekRt(0.3f), 1);
  EXPECT_FLOAT_EQ(source_.position(), 0.3f);
  ASSERT_EQ(read(), 1);
  // 18432 × 0.3 = 5529.6 → 5528 bytes → frame 1382.
  EXPECT_EQ(test::firstMismatch(block_, [](int32_t i) { return 1382 + i; }), -1);
  EXPECT_FLOAT_EQ(source_.position(), (5528.0f + 4608.0f) / 18432.0f);
  source_.seekRt(1.0f);
  EXPECT_EQ(read(), 0);
}

TEST_F(WavSourceTest, FileErrorDuringReadIsAnError) {
  ASSERT_EQ(openWav(test::makeWav({}, signalBytes(0, 1152 * 20))), 0);
  files_.failReadsAfter("t.wav", 30000);
  ASSERT_EQ(source_.open("t.wav"), 0);
  int32_t result = 1;
  int32_t blocks = 0;
  while ((result = read()) == 1) ++blocks;
  EXPECT_EQ(result, -1);
  EXPECT_LT(blocks, 20);
}

TEST_F(WavSourceTest, DataChunkLongerThanTheFilePlaysWhatIsThere) {
  test::RawWavOptions options;
  options.dataSizeField = 1 << 20;
  const int32_t frames = 44100 + 1152 * 3;
  ASSERT_EQ(openWav(test::makeRawWav(test::pcmHeader(2, 44100, 16), signalBytes(0, frames), options)), 1);
  int32_t blocks = 0;
  while (read() == 1) ++blocks;
  EXPECT_EQ(blocks, frames / 1152);
  EXPECT_FLOAT_EQ(source_.position(), float(blocks * 1152) / float(frames));
}

struct HostileCase {
  const char* name;
  std::function<void(test::WavHeader&, test::RawWavOptions&)> spoil;
  OpenFailure why;
};

TEST_F(WavSourceTest, UnusableOrHostileHeadersFailToOpenAndSayWhy) {
  using H = test::WavHeader;
  using O = test::RawWavOptions;
  using F = OpenFailure;
  const HostileCase cases[] = {
      {"format tag 3", [](H& h, O&) { h.formatTag = 3; }, F::kWavFloat},
      {"extensible tag", [](H& h, O&) { h.formatTag = 0xFFFE; }, F::kWavEncoding},
      {"A-law", [](H& h, O&) { h.formatTag = 6; }, F::kWavEncoding},
      {"fmt of 14 bytes", [](H&, O& o) { o.fmtSize = 14; }, F::kDamagedHeader},
      {"form AVI", [](H&, O& o) { o.formType = 0x20495641; }, F::kNotSupported},
      {"0 channels", [](H& h, O&) { h.channels = 0; }, F::kDamagedHeader},
      {"block align 0", [](H& h, O&) { h.blockAlign = 0; }, F::kDamagedHeader},
      {"24-bit samples", [](H& h, O&) { h = test::pcmHeader(2, 44100, 24); }, F::kWav24Bit},
      {"32-bit samples", [](H& h, O&) { h = test::pcmHeader(2, 44100, 32); }, F::kWav32Bit},
      {"6 channels", [](H& h, O&) { h = test::pcmHeader(6, 44100, 16); }, F::kTooManyChannels},
      {"0 avg bytes", [](H& h, O&) { h.avgBytesPerSec = 0; }, F::kDamagedHeader},
      {"huge avg bytes", [](H& h, O&) { h.avgBytesPerSec = 0xFFFFFFFF; }, F::kDamagedHeader},
      {"avg too small", [](H& h, O&) { h.avgBytesPerSec = 88200; }, F::kDamagedHeader},
      {"rate 0", [](H& h, O&) { h.rate = 0; }, F::kDamagedHeader},
      {"rate 38", [](H& h, O&) { h = test::pcmHeader(1, 38, 8); }, F::kDamagedHeader},
      {"rate 88201", [](H& h, O&) { h = test::pcmHeader(2, 88201, 16); }, F::kRateTooHigh},
      {"rate 96000", [](H& h, O&) { h = test::pcmHeader(2, 96000, 16); }, F::kRateTooHigh},
  };
  for (const HostileCase& c : cases) {
    test::WavHeader header = test::pcmHeader(2, 44100, 16);
    test::RawWavOptions options;
    c.spoil(header, options);
    EXPECT_EQ(openWav(test::makeRawWav(header, signalBytes(0, 4000), options)), -1) << c.name;
    EXPECT_EQ(source_.openFailure(), c.why) << c.name;
    EXPECT_EQ(read(), -1) << c.name;
  }
  EXPECT_EQ(openWav({'R', 'I', 'F', 'F'}), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNotSupported);
  EXPECT_EQ(source_.open("missing.wav"), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNotFound);
  // A good file afterwards clears the reason.
  EXPECT_EQ(openWav(test::makeWav({}, signalBytes(0, 44100))), 1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNone);
}

// An extensible format names its samples in its sub-format: float or PCM.
TEST_F(WavSourceTest, ExtensibleFormatsAreRefusedByTheirSubFormat) {
  test::RawWavOptions options;
  options.fmtSize = 40;
  const std::vector<uint8_t> plain = test::makeRawWav(test::pcmHeader(2, 44100, 16), signalBytes(0, 4000), options);
  const size_t fmtData = 20;  // "RIFF", size, "WAVE", "fmt ", size
  std::vector<uint8_t> wav = plain;
  wav[fmtData] = 0xFE;
  wav[fmtData + 1] = 0xFF;
  wav[fmtData + 24] = 3;  // IEEE float
  EXPECT_EQ(openWav(wav), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kWavFloat);
  wav[fmtData + 24] = 1;  // PCM, still not format tag 1
  EXPECT_EQ(openWav(wav), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kWavEncoding);
  // A plain PCM format with a longer chunk still plays.
  EXPECT_EQ(openWav(plain), 0);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kNone);
}

TEST_F(WavSourceTest, AReadErrorInTheHeaderIsAReadError) {
  std::vector<uint8_t> wav = test::makeWav({}, signalBytes(0, 4000));
  files_.put("t.wav", wav);
  files_.failReadsAfter("t.wav", 30);  // inside the format chunk
  EXPECT_EQ(source_.open("t.wav"), -1);
  EXPECT_EQ(source_.openFailure(), OpenFailure::kReadError);
}

TEST(OpenFailureText, EveryReasonHasAText) {
  EXPECT_STREQ(openFailureText(OpenFailure::kNone), "");
  EXPECT_STREQ(openFailureText(OpenFailure::kWav24Bit), "24-bit WAV is not supported");
  EXPECT_STREQ(openFailureText(OpenFailure::kNotFound), "file not found");
  for (int32_t f = 1; f <= int32_t(OpenFailure::kDiscMissing); ++f)
    EXPECT_GT(std::string(openFailureText(OpenFailure(f))).size(), 5u) << f;
}

}  // namespace
}  // namespace zarnel
