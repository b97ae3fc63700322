#include "platform/posix/FfmpegMediaReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/posix/FfmpegMediaLibrary.h"
#include "platform/posix/TestMedia.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

constexpr int64_t kUnitsPerSecond = 10000000;

// Everything one stream delivered from the current position to its end.
struct Decoded {
  std::vector<int16_t> pcm;
  int64_t firstTime = -1;
  int64_t end = 0;             // time + duration of the last sample
  int64_t largestGap = 0;      // largest |time - previous end| between samples
  bool bufferMoved = false;    // sample bytes moved after the second sample
  MediaResult last = MediaResult::ok;
};

Decoded readToEnd(MediaReader& reader, int32_t stream) {
  Decoded d;
  MediaSample s;
  const uint8_t* buffer = nullptr;
  for (int32_t n = 0; (d.last = reader.nextSample(stream, s)) == MediaResult::ok; ++n) {
    if (n == 0) d.firstTime = s.time;
    else d.largestGap = std::max<int64_t>(d.largestGap, std::llabs(s.time - d.end));
    if (n == 1) buffer = s.bytes;
    d.bufferMoved |= n > 1 && s.bytes != buffer;
    d.end = s.time + s.duration;
    const size_t at = d.pcm.size();
    d.pcm.resize(at + size_t(s.size) / 2);
    std::memcpy(d.pcm.data() + at, s.bytes, size_t(s.size) & ~size_t(1));
  }
  return d;
}

int64_t zeroCrossings(const std::vector<int16_t>& pcm, int32_t channel, int32_t channels) {
  int64_t n = 0;
  for (size_t i = size_t(channel + channels); i < pcm.size(); i += size_t(channels))
    n += (pcm[i - size_t(channels)] < 0) != (pcm[i] < 0);
  return n;
}

class FfmpegMediaReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!FfmpegMediaLibrary().load()) GTEST_SKIP() << "built without FFmpeg";
  }
  std::string writeWav(const test::WavSpec& spec, const std::vector<uint8_t>& data) {
    const std::string path = dir_.file("tone.wav");
    test::writeBytes(path, test::makeWav(spec, data));
    return path;
  }
  std::string writeWma(int32_t rate, int32_t channels, int32_t frames) {
#if ZARNEL_TEST_HAVE_FFMPEG
    const std::string path = dir_.file("tone.wma");
    if (test::WmaWriter().write(path, rate, channels, frames)) return path;
#endif
    ADD_FAILURE() << "cannot write a WMA file";
    return {};
  }
  void expectFormat(int32_t rate, int32_t channels) {
    MediaOutputFormat f;
    ASSERT_EQ(reader_.outputCount(), 1);
    ASSERT_TRUE(reader_.outputFormat(0, f));
    EXPECT_TRUE(f.audio && f.pcm && f.waveFormatEx);
    EXPECT_EQ(f.rate, rate);
    EXPECT_EQ(f.channels, channels);
    EXPECT_EQ(f.bits, 16);
  }
  int32_t stream() { return reader_.streamOfOutput(0); }

  test::ScratchDir dir_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  FfmpegMediaReader reader_;
};

TEST_F(FfmpegMediaReaderTest, WavDecodesToTheSameSamplesAtItsOwnRate) {
  const auto tone = test::stereoSine(22050, 300, 700, 12000, 22050);
  const std::string path = writeWav({1, 2, 22050, 16}, test::toBytes(tone));
  ASSERT_TRUE(reader_.open(path.c_str()));
  expectFormat(22050, 2);
  uint64_t duration = 0, size = 0;
  ASSERT_TRUE(reader_.duration(duration));
  EXPECT_NEAR(double(duration), double(kUnitsPerSecond), kUnitsPerSecond / 1000.0);
  ASSERT_TRUE(reader_.fileSize(size));
  EXPECT_EQ(size, std::filesystem::file_size(path));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_EQ(d.last, MediaResult::noMoreSamples);
  EXPECT_EQ(d.pcm, tone);
  EXPECT_EQ(d.firstTime, 0);
  EXPECT_LE(d.largestGap, 1);
  EXPECT_NEAR(double(d.end), double(duration), 1.0);
}

TEST_F(FfmpegMediaReaderTest, EightBitMonoBecomesSixteenBitMono) {
  std::vector<uint8_t> bytes = {0, 64, 128, 200, 255};
  const std::string path = writeWav({1, 1, 11025, 8}, bytes);
  ASSERT_TRUE(reader_.open(path.c_str()));
  expectFormat(11025, 1);
  const Decoded d = readToEnd(reader_, stream());
  ASSERT_EQ(d.pcm.size(), bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(d.pcm[i], (bytes[i] - 128) * 256);
}

TEST_F(FfmpegMediaReaderTest, WavSeekLandsOnTheExactFrame) {
  const auto tone = test::stereoSine(44100, 300, 700, 12000, 44100);
  ASSERT_TRUE(reader_.open(writeWav({}, test::toBytes(tone)).c_str()));
  readToEnd(reader_, stream());  // seeking back from the end must work too
  const int64_t target = kUnitsPerSecond * 3 / 7;
  ASSERT_TRUE(reader_.setRange(target, 0));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_LE(d.firstTime, target);
  EXPECT_LT(target - d.firstTime, kUnitsPerSecond / 44100 + 1);
  // The samples delivered are those of the time reported.
  const size_t frame = size_t(std::llround(double(d.firstTime) * 44100 / kUnitsPerSecond));
  ASSERT_EQ(d.pcm.size(), tone.size() - 2 * frame);
  EXPECT_TRUE(std::equal(d.pcm.begin(), d.pcm.end(), tone.begin() + std::ptrdiff_t(2 * frame)));
}

TEST_F(FfmpegMediaReaderTest, WmaKeepsItsRateAndLengthAndChannels) {
  const int32_t frames = 22050 * 2;
  const std::string path = writeWma(22050, 1, frames);
  ASSERT_TRUE(reader_.open(path.c_str()));
  expectFormat(22050, 1);
  uint64_t duration = 0, size = 0;
  ASSERT_TRUE(reader_.duration(duration));
  EXPECT_NEAR(double(duration), 2.0 * kUnitsPerSecond, 0.1 * kUnitsPerSecond);
  ASSERT_TRUE(reader_.fileSize(size));
  EXPECT_EQ(size, std::filesystem::file_size(path));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_EQ(d.last, MediaResult::noMoreSamples);
  // The codec pads to whole frames of at most 2048 samples and adds its delay.
  EXPECT_NEAR(double(d.pcm.size()), double(duration) * 22050 / kUnitsPerSecond, 2 * 2048);
  EXPECT_NEAR(double(d.pcm.size()), frames, 2 * 2048);
  EXPECT_LE(d.largestGap, kUnitsPerSecond / 1000);
  EXPECT_FALSE(d.bufferMoved);
  EXPECT_NEAR(double(zeroCrossings(d.pcm, 0, 1)), 2 * 440 * 2, 2 * 440 * 2 * 0.05);
}

TEST_F(FfmpegMediaReaderTest, WmaStereoKeepsChannelsApart) {
  ASSERT_TRUE(reader_.open(writeWma(44100, 2, 44100).c_str()));
  expectFormat(44100, 2);
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_NEAR(double(zeroCrossings(d.pcm, 0, 2)), 2 * 440, 2 * 440 * 0.05);
  EXPECT_NEAR(double(zeroCrossings(d.pcm, 1, 2)), 2 * 880, 2 * 880 * 0.05);
}

TEST_F(FfmpegMediaReaderTest, WmaSeekLandsAtOrJustBeforeTheTarget) {
  ASSERT_TRUE(reader_.open(writeWma(22050, 1, 22050 * 3).c_str()));
  const Decoded whole = readToEnd(reader_, stream());
  const int64_t samplePeriod = kUnitsPerSecond / 22050 + 1;
  // The decoder's first output may come later than 0: no seek can land before it.
  // Targets spread over the file and out of order, backward and forward.
  for (int64_t target = kUnitsPerSecond * 27 / 10; target >= 0; target -= kUnitsPerSecond * 13 / 100) {
    SCOPED_TRACE(target);
    ASSERT_TRUE(reader_.setRange(target, 0));
    const Decoded d = readToEnd(reader_, stream());
    const int64_t expected = std::max(target, whole.firstTime);
    EXPECT_LE(d.firstTime, expected);
    EXPECT_LT(expected - d.firstTime, samplePeriod);
    // ASF stamps are whole milliseconds; after a seek the time line may shift within one.
    EXPECT_NEAR(double(d.end), double(whole.end), kUnitsPerSecond / 1000);
    EXPECT_NEAR(double(d.pcm.size()), double(whole.end - expected) * 22050 / kUnitsPerSecond, 23);
  }
}

TEST_F(FfmpegMediaReaderTest, RangeWithDurationStopsAtItsEnd) {
  ASSERT_TRUE(reader_.open(writeWma(22050, 1, 22050 * 3).c_str()));
  ASSERT_TRUE(reader_.setRange(kUnitsPerSecond / 2, kUnitsPerSecond));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_EQ(d.last, MediaResult::noMoreSamples);
  EXPECT_GE(d.end, kUnitsPerSecond * 3 / 2);
  EXPECT_LT(d.end, kUnitsPerSecond * 3 / 2 + kUnitsPerSecond * 2048 / 22050);
  ASSERT_TRUE(reader_.setRange(kUnitsPerSecond * 5, 0));  // past the end
  MediaSample s;
  EXPECT_EQ(reader_.nextSample(stream(), s), MediaResult::noMoreSamples);
}

TEST_F(FfmpegMediaReaderTest, DamagedMiddleIsSkippedAndTheRestPlays) {
  const std::string path = writeWma(22050, 1, 22050 * 4);
  std::vector<uint8_t> bytes = test::readBytes(path);
  for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 200; ++i) bytes[i] = uint8_t(i * 37);
  test::writeBytes(path, bytes);
  ASSERT_TRUE(reader_.open(path.c_str()));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_EQ(d.last, MediaResult::noMoreSamples);
  EXPECT_GT(d.pcm.size(), 22050u * 3);
}

TEST_F(FfmpegMediaReaderTest, TruncatedFileEndsEarlyWithoutError) {
  const std::string path = writeWma(22050, 1, 22050 * 4);
  std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
  ASSERT_TRUE(reader_.open(path.c_str()));
  const Decoded d = readToEnd(reader_, stream());
  EXPECT_EQ(d.last, MediaResult::noMoreSamples);
  EXPECT_GT(d.pcm.size(), 22050u);
  EXPECT_LT(d.pcm.size(), 22050u * 3);
  std::filesystem::resize_file(path, 100);
  EXPECT_FALSE(reader_.open(path.c_str()));
}

TEST_F(FfmpegMediaReaderTest, MutatedFilesNeverCrashOrHang) {
  const std::string path = writeWma(22050, 2, 22050);
  const std::vector<uint8_t> original = test::readBytes(path);
  uint32_t x = 99;
  auto next = [&x] { return x = x * 1664525u + 1013904223u; };
  for (int round = 0; round < 60; ++round) {
    std::vector<uint8_t> bytes = original;
    for (int i = 0; i < 1 + round % 8; ++i) bytes[next() % bytes.size()] = uint8_t(next() >> 24);
    if (round % 3 == 0) bytes.resize(next() % bytes.size());
    test::writeBytes(path, bytes);
    if (!reader_.open(path.c_str())) continue;
    MediaSample s;
    int32_t samples = 0;
    while (reader_.nextSample(stream(), s) == MediaResult::ok && samples < 10000) {
      ASSERT_TRUE(s.size >= 0 && s.size % 4 == 0 && (s.size == 0 || s.bytes)) << round;
      ++samples;
    }
    EXPECT_LT(samples, 10000) << round;
    reader_.setRange(PcmClock::kUnitsPerSecond / 2, 0);
    reader_.nextSample(stream(), s);
  }
}

TEST_F(FfmpegMediaReaderTest, MoreThanTwoChannelsMixDownToStereo) {
  std::vector<int16_t> pcm(6 * 2000, 0);
  for (size_t f = 0; f < 2000; ++f) pcm[f * 6] = int16_t(f % 2 ? 8000 : -8000);  // front left only
  ASSERT_TRUE(reader_.open(writeWav({1, 6, 48000, 16}, test::toBytes(pcm)).c_str()));
  expectFormat(48000, 2);
  const Decoded d = readToEnd(reader_, stream());
  ASSERT_EQ(d.pcm.size(), 2u * 2000);
  int64_t left = 0, right = 0;
  for (size_t f = 0; f < 2000; ++f) left += std::abs(d.pcm[2 * f]), right += std::abs(d.pcm[2 * f + 1]);
  EXPECT_GT(left, 2000 * 1000);
  EXPECT_EQ(right, 0);
}

TEST_F(FfmpegMediaReaderTest, UnreadableFilesFailToOpen) {
  std::vector<uint8_t> noise(64 * 1024);
  uint32_t x = 12345;
  for (auto& b : noise) b = uint8_t((x = x * 1664525u + 1013904223u) >> 24);
  test::writeBytes(dir_.file("noise.wma"), noise);
  test::writeBytes(dir_.file("empty.wma"), {});
  for (const char* name : {"noise.wma", "empty.wma", "missing.wma", "http:x.wma"})
    EXPECT_FALSE(reader_.open(dir_.file(name).c_str())) << name;
  EXPECT_FALSE(reader_.open(dir_.file("").c_str()));  // a folder
  EXPECT_EQ(reader_.outputCount(), 0);
}

TEST_F(FfmpegMediaReaderTest, ClosedReaderAndUnknownStreamsRefuse) {
  MediaSample s;
  uint64_t value = 0;
  EXPECT_EQ(reader_.nextSample(1, s), MediaResult::error);
  EXPECT_FALSE(reader_.duration(value));
  EXPECT_FALSE(reader_.setRange(0, 0));
  ASSERT_TRUE(reader_.open(writeWav({}, test::toBytes(test::stereoSine(100, 1, 2, 3))).c_str()));
  EXPECT_EQ(reader_.nextSample(stream() + 1, s), MediaResult::error);
  EXPECT_EQ(reader_.streamOfOutput(1), 0);
  reader_.close();
  EXPECT_EQ(reader_.nextSample(1, s), MediaResult::error);
}

}  // namespace
}  // namespace zarnel
