#include "decoder/StreamTags.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "decoder/Decoder.h"
#include "decoder/MemoryInput.h"
#include "support/MpegStreams.h"

namespace zarnel {
namespace {

using test::MemoryInput;

TEST(StreamTagsTest, TagSizesComeFromTheirHeaders) {
  std::vector<uint8_t> v23 = test::id3v2Tag(300);
  EXPECT_EQ(id3v2TagBytes(v23.data()), 310);
  std::vector<uint8_t> v24 = test::id3v2Tag(200000, true);
  EXPECT_EQ(id3v2TagBytes(v24.data()), int64_t(v24.size()));  // header, body and footer
  v24[5] = 0;
  EXPECT_EQ(id3v2TagBytes(v24.data()), 200010) << "no footer flag";
  v23[7] = 0x80;
  EXPECT_EQ(id3v2TagBytes(v23.data()), 0) << "size byte not synchsafe";
  v24[3] = 0xFF;
  EXPECT_EQ(id3v2TagBytes(v24.data()), 0) << "version 0xFF";

  const std::vector<uint8_t> v1 = test::id3v1Tag();
  EXPECT_EQ(id3v1TagBytes(v1.data()), 128);
  EXPECT_EQ(id3v1TagBytes(v23.data()), 0);

  const std::vector<uint8_t> withHeader = test::apeTag(100, true);
  EXPECT_EQ(apeTagBytes(withHeader.data() + withHeader.size() - 32), 164);
  std::vector<uint8_t> bare = test::apeTag(100, false);
  EXPECT_EQ(apeTagBytes(bare.data() + bare.size() - 32), 132);
  bare[bare.size() - 20] = 31;  // a size smaller than the footer itself
  bare[bare.size() - 19] = 0;
  EXPECT_EQ(apeTagBytes(bare.data() + bare.size() - 32), 0);
}

struct DecodeRun {
  std::vector<float> positions;  // after each frame
  int32_t frames = 0;
  int32_t lost = 0;
};

class TaggedStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Decoder::create(decoder_), mpeg::kOk);
    id_ = decoder_->registerInput(memory_.module());
  }
  void open(std::vector<uint8_t> bytes, bool seekable = true) {
    memory_.setBytes(std::move(bytes));
    memory_.setSeekable(seekable);
    decoder_->inputClose();
    ASSERT_EQ(decoder_->inputOpen("memory", id_), mpeg::kOk);
    ASSERT_EQ(decoder_->inputStart(), mpeg::kOk);
  }
  DecodeRun decodeAll() {
    DecodeRun run;
    for (int32_t r = 0; r != mpeg::kEndOfStream;) {
      r = decoder_->decode(nullptr);
      if (r == mpeg::kFrameLost) ++run.lost;
      if (r != mpeg::kOk) continue;
      ++run.frames;
      run.positions.push_back(decoder_->status().position);
    }
    return run;
  }

  MemoryInput memory_;
  std::unique_ptr<Decoder> decoder_;
  int32_t id_ = -1;
};

std::vector<uint8_t> silence(int32_t frames) {
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), frames);
  return bytes;
}

// Tags at both ends (two ID3v2 tags, zero padding, an APE tag with its header,
// an ID3v1 tag) change nothing the decoder reports: positions, duration,
// every frame through the last, and seeks, all as in the bare stream, the
// seeks landing as many bytes further on as the tags at the start hold.
TEST_F(TaggedStreamTest, TagsAtBothEndsLeaveTheAudioAsInTheBareStream) {
  const std::vector<uint8_t> bare = silence(120);  // 50040 bytes at 128 kbit/s
  std::vector<uint8_t> tagged = test::id3v2Tag(300000);
  test::append(tagged, test::id3v2Tag(1000, true));
  tagged.resize(tagged.size() + 700, 0);
  const int64_t lead = int64_t(tagged.size());
  test::append(tagged, bare);
  test::append(tagged, test::apeTag(500, true));
  test::append(tagged, test::id3v1Tag());

  open(bare);
  const int32_t bareDuration = decoder_->status().duration;
  const DecodeRun want = decodeAll();
  open(tagged);
  EXPECT_EQ(decoder_->streamSize(), int64_t(tagged.size()));
  EXPECT_EQ(decoder_->audioStart(), lead);
  EXPECT_EQ(decoder_->audioBytes(), int64_t(bare.size()));
  EXPECT_EQ(decoder_->status().duration, bareDuration);
  const DecodeRun got = decodeAll();
  EXPECT_EQ(got.frames, 120);
  EXPECT_EQ(got.lost, 0);
  EXPECT_EQ(got.positions, want.positions);
  EXPECT_EQ(got.positions.back(), 1.0f);
  EXPECT_EQ(decoder_->status().duration, 3);

  for (float x : {0.0f, 0.25f, 0.5f, 0.999f, 1.0f}) {
    SCOPED_TRACE(x);
    open(bare);
    ASSERT_EQ(decoder_->inputSeek(x), mpeg::kOk);
    const int64_t bareOffset = memory_.offset();
    const float barePosition = decoder_->status().position;
    const DecodeRun bareRun = decodeAll();
    open(tagged);
    ASSERT_EQ(decoder_->inputSeek(x), mpeg::kOk);
    EXPECT_EQ(memory_.offset(), lead + bareOffset);
    EXPECT_EQ(decoder_->status().position, barePosition);
    EXPECT_EQ(decodeAll().positions, bareRun.positions);
  }
}

// The tags that end a file, alone or together, in either order: the last
// frame still decodes and the last position is 1. On an input that cannot
// seek, the tags stay unknown, but a frame followed by a tag is kept.
TEST_F(TaggedStreamTest, EndTagsKeepTheLastFrame) {
  const std::vector<std::vector<uint8_t>> ends = {
      test::id3v1Tag(), test::apeTag(64, false), test::apeTag(64, true)};
  for (size_t first = 0; first < ends.size(); ++first) {
    for (size_t second = 0; second <= ends.size(); ++second) {
      SCOPED_TRACE(testing::Message() << first << " " << second);
      std::vector<uint8_t> bytes = silence(10);
      test::append(bytes, ends[first]);
      if (second < ends.size()) test::append(bytes, ends[second]);
      open(bytes);
      const DecodeRun run = decodeAll();
      EXPECT_EQ(run.frames, 10);
      EXPECT_EQ(run.lost, 0);
      EXPECT_EQ(run.positions.back(), 1.0f);
    }
  }
  std::vector<uint8_t> bytes = silence(10);
  test::append(bytes, test::id3v1Tag());
  open(bytes, false);
  EXPECT_EQ(decodeAll().frames, 10);
}

// A "Xing" frame after an ID3v2 tag gives the duration and the seek table,
// whose fractions count from the frame, and no audio of its own.
TEST_F(TaggedStreamTest, XingFrameAfterATagCountsFromItself) {
  std::vector<uint8_t> toc(100);
  for (size_t i = 0; i < 100; ++i) toc[i] = uint8_t(2 * i);
  std::vector<uint8_t> bytes = test::id3v2Tag(5000);
  const int64_t lead = int64_t(bytes.size());
  test::append(bytes, test::xingFrame(1000, 4587, toc));
  test::append(bytes, silence(10));  // 11 × 417 = 4587 bytes
  open(bytes);
  EXPECT_TRUE(decoder_->status().seekTable);
  EXPECT_EQ(decoder_->status().duration, 26);
  ASSERT_EQ(decoder_->inputSeek(0.995f), mpeg::kOk);
  EXPECT_EQ(memory_.offset(), lead + 4067);  // (198 + 58 × 0.5) / 256 × 4587
  EXPECT_FLOAT_EQ(decoder_->status().position, 4067.0f / 4587.0f);
  ASSERT_EQ(decoder_->inputSeek(0.0f), mpeg::kOk);
  EXPECT_EQ(decodeAll().frames, 10);
}

// Without tags the numbers are what they always were: every byte counts,
// leading zeros too. position = bytes consumed / size, duration = size /
// (running kbit/s × 125) once a frame is decoded, a seek to x goes to byte
// truncate(x × size).
TEST_F(TaggedStreamTest, UntaggedStreamKeepsTheWholeFileFormulas) {
  std::vector<uint8_t> bytes(215, 0);
  test::append(bytes, silence(50));
  const double size = double(bytes.size());  // 21065
  open(bytes);
  const DecodeRun run = decodeAll();
  EXPECT_EQ(decoder_->status().duration, 21065 / 16000);
  ASSERT_EQ(run.frames, 50);
  for (int32_t k = 0; k < 50; ++k) {
    ASSERT_EQ(run.positions[size_t(k)], float(double(215 + 417 * (k + 1)) / size)) << k;
  }
  for (float x : {0.001f, 0.3f, 0.61803f, 0.99f}) {
    ASSERT_EQ(decoder_->inputSeek(x), mpeg::kOk);
    const int64_t offset = int64_t(double(x) * size);
    EXPECT_EQ(memory_.offset(), offset);
    EXPECT_EQ(decoder_->status().position, float(double(offset) / size));
  }
}

// A tag header that claims more than the file holds is no tag: the bytes
// count as the stream's and the frames after it still decode.
TEST_F(TaggedStreamTest, TagLargerThanTheFileCountsAsAudio) {
  std::vector<uint8_t> bytes = {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
  test::append(bytes, silence(5));
  open(bytes);
  EXPECT_EQ(decoder_->audioStart(), 0);
  const DecodeRun run = decodeAll();
  EXPECT_EQ(run.frames, 5);
  EXPECT_EQ(run.positions.back(), 1.0f);
}

}  // namespace
}  // namespace zarnel
