#include "decoder/Decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "decoder/FileInput.h"
#include "decoder/FrameHeader.h"
#include "decoder/MemoryInput.h"
#include "support/MpegStreams.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

using test::MemoryInput;

struct Decoded {
  std::vector<int16_t> pcm;
  int32_t frames = 0;
  int32_t lost = 0;
  int32_t last = 0;  // the result that ended decoding
};

Decoded decodeAll(Decoder& d) {
  Decoded out;
  for (;;) {
    const int32_t r = d.decode(nullptr);
    if (r == mpeg::kFrameLost) {
      ++out.lost;
      continue;
    }
    out.last = r;
    if (r != mpeg::kOk) return out;
    const DecoderOutput& o = d.output();
    out.pcm.insert(out.pcm.end(), o.samples, o.samples + o.bytes / 2);
    ++out.frames;
  }
}

class DecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Decoder::create(decoder_), mpeg::kOk);
    decoder_->setErrorCallback(
        [](void* user, int32_t, int32_t, const char* message, const char* details) {
          static_cast<DecoderTest*>(user)->errors_.push_back(std::string(message) + ": " + details);
        },
        this);
    fileId_ = decoder_->registerInput(fileInputModule());
    memoryId_ = decoder_->registerInput(memory_.module());
  }
  // Return: the result of opening and starting bytes through the memory module.
  int32_t openBytes(std::vector<uint8_t> bytes) {
    memory_.setBytes(std::move(bytes));
    decoder_->inputClose();
    const int32_t opened = decoder_->inputOpen("memory", memoryId_);
    return opened != mpeg::kOk ? opened : decoder_->inputStart();
  }
  Decoded decodeFile(const std::string& path) {
    decoder_->inputClose();
    EXPECT_EQ(decoder_->inputOpen(path.c_str(), fileId_), mpeg::kOk) << path;
    EXPECT_EQ(decoder_->inputStart(), mpeg::kOk);
    return decodeAll(*decoder_);
  }

  std::unique_ptr<Decoder> decoder_;
  MemoryInput memory_;
  int32_t fileId_ = -1;
  int32_t memoryId_ = -1;
  std::vector<std::string> errors_;
};

// Return: the 16-bit values the stream's frames hold, walking header to header.
int64_t streamValues(const std::vector<uint8_t>& b) {
  int64_t values = 0;
  size_t pos = 0;
  while (pos + 4 <= b.size()) {
    FrameHeader h;
    if (parseFrameHeader(headerWord(&b[pos]), h) && pos + size_t(h.frameBytes()) <= b.size()) {
      values += h.samplesPerChannel() * h.channels();
      pos += size_t(h.frameBytes());
    } else {
      ++pos;
    }
  }
  return values;
}

std::vector<std::string> conformanceStreams() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(test::mpegTestData())) {
    if (e.path().extension() == ".bit") names.push_back(e.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Every conformance stream decodes to its reference at 96 dB or better, with
// the count rules of the set: at most two frames' values beyond the
// reference, and for the Layer I/II streams cut short, what their frames hold
// less at most 2304 values. The free-format stream is refused cleanly.
TEST_F(DecoderTest, EveryConformanceStreamMatchesItsReference) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams at " << test::mpegTestData();
  const std::vector<std::string> names = conformanceStreams();
  ASSERT_GE(names.size(), 34u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::string base = test::mpegTestData() + "/" + name;
    const Decoded d = decodeFile(base + ".bit");
    EXPECT_EQ(d.last, mpeg::kEndOfStream);
    if (name == "l3-he_free") {
      EXPECT_EQ(d.frames, 0);  // bitrate index 0: no header is accepted
      continue;
    }
    const std::vector<int16_t> ref = test::readPcm(base + ".pcm");
    const int64_t produced = int64_t(d.pcm.size());
    const int64_t held = streamValues(test::readBytes(base + ".bit"));
    if (int64_t(ref.size()) > held) {
      EXPECT_GE(produced, held - 2304);
      EXPECT_LE(produced, held);
    } else {
      const int64_t extra = produced - int64_t(ref.size());
      EXPECT_TRUE(extra == 0 || extra == 1152 || extra == 2304) << "extra values " << extra;
    }
    EXPECT_GE(test::psnr(d.pcm, ref), 96.0);
  }
}

// l3-sin1k0db decoded from byte 633 on: the frames whose main data lies
// before that point are abandoned, the rest match the reference.
TEST_F(DecoderTest, StartingMidStreamDropsFramesWithoutTheirReservoir) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams";
  const std::string base = test::mpegTestData() + "/l3-sin1k0db";
  std::vector<uint8_t> bytes = test::readBytes(base + ".bit");
  bytes.erase(bytes.begin(), bytes.begin() + 633);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  const Decoded d = decodeAll(*decoder_);
  const std::vector<int16_t> ref = test::readPcm(base + "_ofs633.pcm");
  EXPECT_GT(d.lost, 0);
  const int64_t extra = int64_t(d.pcm.size()) - int64_t(ref.size());
  EXPECT_TRUE(extra == 0 || extra == 1152 || extra == 2304) << extra;
  EXPECT_GE(test::psnr(d.pcm, ref), 96.0);
}

TEST_F(DecoderTest, FormatChangeFlagMarksTheFirstFrameOfANewRate) {
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(0), 4);
  test::append(bytes, test::silentFrame(1), 4);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  std::vector<bool> flags;
  std::vector<int32_t> rates;
  while (decoder_->decode(nullptr) == mpeg::kOk) {
    flags.push_back(decoder_->status().formatChanged);
    rates.push_back(decoder_->status().format.sampleRate);
  }
  EXPECT_EQ(flags, (std::vector<bool>{true, false, false, false, true, false, false, false}));
  EXPECT_EQ(rates.back(), 48000);
  EXPECT_EQ(decoder_->status().frames, 8u);
}

// MPEG-2.5 Layer III at 8000 Hz: 576 samples per frame, like MPEG-2.
TEST_F(DecoderTest, Mpeg25LayerIIIFramesHold576Samples) {
  std::vector<uint8_t> frame(72, 0);  // 8 kbit/s at 8000 Hz, mono, silent
  frame[0] = 0xFF;
  frame[1] = 0xE3;
  frame[2] = 0x18;
  frame[3] = 0xC0;
  std::vector<uint8_t> bytes;
  test::append(bytes, frame, 5);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  const Decoded d = decodeAll(*decoder_);
  EXPECT_EQ(d.frames, 5);
  EXPECT_EQ(d.pcm.size(), 5u * 576u);
  EXPECT_EQ(decoder_->output().sampleRate, 8000);
  EXPECT_EQ(decoder_->status().format.version, 2);
}

// A "Xing" frame and silence: the duration comes from the frame count, not
// from the bytes, and stays so while frames decode.
TEST_F(DecoderTest, XingFrameCountGivesTheDuration) {
  std::vector<uint8_t> bytes = test::xingFrame(1000, 0, {});
  test::append(bytes, test::silentFrame(), 10);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  EXPECT_EQ(decoder_->status().duration, 26);  // 1000 × 1152 / 44100 = 26.1 s
  ASSERT_EQ(decoder_->decode(nullptr), mpeg::kOk);
  ASSERT_EQ(decoder_->decode(nullptr), mpeg::kOk);
  EXPECT_EQ(decoder_->status().duration, 26);
}

TEST_F(DecoderTest, WithoutXingTheDurationFollowsTheBitrate) {
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), 120);  // 50040 bytes at 128 kbit/s
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  EXPECT_EQ(decoder_->status().duration, 3);
  ASSERT_EQ(decoder_->decode(nullptr), mpeg::kOk);
  EXPECT_EQ(decoder_->status().bitrate, 128);
  EXPECT_EQ(decoder_->status().duration, 3);
  EXPECT_FLOAT_EQ(decoder_->status().position, 417.0f / 50040.0f);
}

// The seek table maps time to bytes; past its last entry the pair is
// (table[99], 256), so 1.0 lands on the end of the stream.
TEST_F(DecoderTest, SeekTableInterpolatesAndEndsWithEntry99And256) {
  std::vector<uint8_t> toc(100);
  for (size_t i = 0; i < 100; ++i) toc[i] = uint8_t(2 * i);
  std::vector<uint8_t> bytes = test::xingFrame(10, 4587, toc);
  test::append(bytes, test::silentFrame(), 10);  // 11 × 417 = 4587 bytes
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  ASSERT_TRUE(decoder_->status().seekTable);
  ASSERT_EQ(decoder_->inputSeek(1.0f), mpeg::kOk);
  EXPECT_FLOAT_EQ(decoder_->status().position, 1.0f);
  ASSERT_EQ(decoder_->inputSeek(0.995f), mpeg::kOk);
  // (198 + (256 − 198) × 0.5) / 256 × 4587 = 4067.4 → byte 4067
  EXPECT_EQ(memory_.offset(), 4067);
  EXPECT_FLOAT_EQ(decoder_->status().position, 4067.0f / 4587.0f);
  ASSERT_EQ(decoder_->inputSeek(0.25f), mpeg::kOk);
  EXPECT_EQ(memory_.offset(), int64_t(50.0 / 256.0 * 4587.0));
  EXPECT_FLOAT_EQ(seekTableFraction(toc.data(), 2.0f), 1.0f);
}

// A header that claims four billion frames and a table of noise: the numbers
// stay finite and every seek stays inside the stream.
TEST_F(DecoderTest, LyingXingHeaderKeepsSeeksInsideTheStream) {
  std::vector<uint8_t> toc(100);
  for (size_t i = 0; i < 100; ++i) toc[i] = uint8_t(i * 97 + 13);
  std::vector<uint8_t> bytes = test::xingFrame(0xFFFFFFFFu, 7, toc);
  test::append(bytes, test::silentFrame(), 3);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  EXPECT_GE(decoder_->status().duration, 0);
  for (float x : {0.0f, 0.3f, 0.77f, 0.999f, 1.0f}) {
    ASSERT_EQ(decoder_->inputSeek(x), mpeg::kOk);
    EXPECT_GE(memory_.offset(), 0);
    EXPECT_LE(memory_.offset(), int64_t(bytes.size()));
    decodeAll(*decoder_);
  }
}

// Garbage between two frames: the frame before it is not followed by a
// header and is dropped as a false sync; the garbage is skipped and the
// frames after it decode as in the clean stream.
TEST_F(DecoderTest, GarbageBetweenFramesCostsOnlyTheFrameBeforeIt) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams";
  const std::vector<uint8_t> clean = test::readBytes(test::mpegTestData() + "/l3-si.bit");
  ASSERT_EQ(openBytes(clean), mpeg::kOk);
  const Decoded reference = decodeAll(*decoder_);
  FrameHeader h;
  size_t cut = 0;
  for (int32_t f = 0; f < 10; ++f) {
    ASSERT_TRUE(parseFrameHeader(headerWord(&clean[cut]), h));
    cut += size_t(h.frameBytes());
  }
  std::vector<uint8_t> damaged(clean.begin(), clean.begin() + long(cut));
  for (int32_t i = 0; i < 300; ++i) damaged.push_back(uint8_t(i * 7 % 251));
  damaged.insert(damaged.end(), clean.begin() + long(cut), clean.end());
  ASSERT_EQ(openBytes(damaged), mpeg::kOk);
  const Decoded d = decodeAll(*decoder_);
  EXPECT_EQ(d.lost, 1);
  ASSERT_EQ(d.frames, reference.frames - 1);
  const auto& r = reference.pcm;
  EXPECT_TRUE(std::equal(r.begin(), r.begin() + 9 * 1152, d.pcm.begin()));
  const long tail = 100 * 1152;
  EXPECT_TRUE(std::equal(r.end() - tail, r.end(), d.pcm.end() - tail));
}

// A frame cut short is dropped as a false sync; decoding picks up again.
TEST_F(DecoderTest, TruncatedFrameIsDroppedAndDecodingResumes) {
  if (!test::haveMpegTestData()) GTEST_SKIP() << "no conformance streams";
  std::vector<uint8_t> bytes = test::readBytes(test::mpegTestData() + "/l2-fl16.bit");
  const size_t frameBytes = 768;  // 256 kbit/s at 48 kHz
  bytes.erase(bytes.begin() + long(10 * frameBytes + 100), bytes.begin() + long(11 * frameBytes));
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  const Decoded d = decodeAll(*decoder_);
  EXPECT_GT(d.lost, 0);
  EXPECT_EQ(d.frames, 62);  // 63 frames less the damaged one
  EXPECT_EQ(d.last, mpeg::kEndOfStream);
}

// Information frames carry no audio: a "Xing", "Info" or "VBRI" first frame
// gives no output, also after a seek back to the start, while the "Xing"
// frame still gives the duration. Its bytes still count in the positions.
TEST_F(DecoderTest, InformationFramesGiveNoOutput) {
  for (const char* tag : {"Xing", "Info", "VBRI"}) {
    SCOPED_TRACE(tag);
    std::vector<uint8_t> bytes = tag[0] == 'X' ? test::xingFrame(1000, 0, {}) : test::infoFrame(tag);
    test::append(bytes, test::silentFrame(), 10);
    ASSERT_EQ(openBytes(bytes), mpeg::kOk);
    EXPECT_EQ(decoder_->status().duration, tag[0] == 'X' ? 26 : 0);
    const Decoded d = decodeAll(*decoder_);
    EXPECT_EQ(d.frames, 10);
    EXPECT_EQ(d.lost, 0);
    EXPECT_EQ(d.pcm.size(), 10u * 1152u);
    EXPECT_EQ(decoder_->status().frames, 10u);
    ASSERT_EQ(decoder_->inputSeek(0.0f), mpeg::kOk);
    ASSERT_EQ(decoder_->decode(nullptr), mpeg::kOk);
    EXPECT_FLOAT_EQ(decoder_->status().position, 2.0f / 11.0f);
    EXPECT_EQ(decodeAll(*decoder_).frames, 9);
  }
}

// A file that ends inside its last frame, or inside that frame's header,
// reports the frame lost once before the end; a whole stream never does.
TEST_F(DecoderTest, LastFrameCutShortIsReportedLostOnce) {
  for (size_t kept : {size_t(0), size_t(2), size_t(200), size_t(416)}) {
    SCOPED_TRACE(kept);  // bytes of the sixth frame in the file
    std::vector<uint8_t> bytes;
    test::append(bytes, test::silentFrame(), 5);
    const std::vector<uint8_t> sixth = test::silentFrame();
    bytes.insert(bytes.end(), sixth.begin(), sixth.begin() + long(kept));
    ASSERT_EQ(openBytes(bytes), mpeg::kOk);
    std::vector<int32_t> results;
    for (int32_t i = 0; i < 8; ++i) results.push_back(decoder_->decode(nullptr));
    std::vector<int32_t> want(5, mpeg::kOk);
    if (kept != 0) want.push_back(mpeg::kFrameLost);
    want.resize(8, mpeg::kEndOfStream);
    EXPECT_EQ(results, want);
  }
}

// Sync words in PCM are no frames: those in a WAV file's samples, and
// planted ones that another header follows where the frame would end but
// with another sample rate, layer or channel count, decode nothing, either
// at the start or after damage between frames.
TEST_F(DecoderTest, SyncWordsThatNoFrameConfirmsDecodeNothing) {
  std::vector<uint8_t> pcm = test::toBytes(test::stereoSine(44100, 441.0, 613.0, 30000.0));
  std::vector<uint8_t> planted = test::noise(4000);
  test::plantUnconfirmedSyncs(planted, 500);
  pcm.insert(pcm.begin() + 20000, planted.begin(), planted.end());
  ASSERT_EQ(openBytes(test::makeWav(test::WavSpec{}, pcm)), mpeg::kOk);
  Decoded d = decodeAll(*decoder_);
  EXPECT_EQ(d.frames, 0);
  EXPECT_EQ(d.lost, 0);

  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), 8);
  test::append(bytes, planted);
  test::append(bytes, test::silentFrame(), 8);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  d = decodeAll(*decoder_);
  EXPECT_EQ(d.frames, 15);  // the frame before the damage is lost
  EXPECT_EQ(d.lost, 1);
}

TEST_F(DecoderTest, RandomBytesEndWithoutAFaultOrAHang) {
  std::vector<uint8_t> bytes(200000);
  uint32_t x = 12345;
  for (uint8_t& b : bytes) {
    x = x * 1664525u + 1013904223u;
    b = uint8_t(x >> 24);
  }
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  const Decoded d = decodeAll(*decoder_);
  EXPECT_EQ(d.last, mpeg::kEndOfStream);
  EXPECT_EQ(d.frames, 0);
}

TEST_F(DecoderTest, InputFailuresBecomeResultCodes) {
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), 4);
  memory_.setFail(MemoryInput::Fail::kOpen);
  EXPECT_EQ(openBytes(bytes), mpeg::kOpenFailed);
  EXPECT_EQ(decoder_->decode(nullptr), mpeg::kWrongState);
  EXPECT_EQ(errors_.back(), "internal error: input not open");
  memory_.setFail(MemoryInput::Fail::kNone);
  ASSERT_EQ(openBytes(bytes), mpeg::kOk);
  memory_.setFail(MemoryInput::Fail::kSeek);
  EXPECT_EQ(decoder_->inputSeek(0.5f), mpeg::kWrongState);
  memory_.setFail(MemoryInput::Fail::kRead);
  EXPECT_EQ(decoder_->decode(nullptr), mpeg::kEndOfStream);
}

TEST_F(DecoderTest, ModulesMissingAnOperationAreRefused) {
  InputModule broken = memory_.module();
  broken.read = nullptr;
  EXPECT_EQ(decoder_->registerInput(broken), mpeg::kWrongState);
  EXPECT_EQ(errors_.back(), "internal error: null 'read' method in module");
  broken = memory_.module();
  broken.create = nullptr;
  EXPECT_EQ(decoder_->registerInput(broken), mpeg::kWrongState);
  EXPECT_EQ(errors_.back(), "internal error: null 'new' method in module");
  EXPECT_EQ(decoder_->inputOpen("x", 7), mpeg::kUnknownModule);
}

TEST_F(DecoderTest, FileInputReportsItsFailuresAndDescribesItself) {
  EXPECT_EQ(decoder_->inputOpen("/nonexistent/zarnel.mp3", fileId_), mpeg::kFileNotFound);
  EXPECT_EQ(errors_.back(), "cannot open input file: file not found");
  EXPECT_EQ(decoder_->inputOpen("", fileId_), mpeg::kBadParameter);
  EXPECT_EQ(errors_.back(), "internal error: null params or null/empty input name");
  InputInfo info;
  ASSERT_EQ(decoder_->queryInput(fileId_, 1, info), mpeg::kOk);
  EXPECT_STREQ(info.name, "Input From File");
  EXPECT_STREQ(info.version, "Version 1.2");
  EXPECT_STREQ(info.description, "standard input");
  EXPECT_EQ(decoder_->queryInput(fileId_, 2, info), mpeg::kUnknownModule);
  EXPECT_EQ(decoder_->queryInput(9, 0, info), mpeg::kUnknownModule);
}

// With module id −1 the first module whose new accepts the name takes it.
TEST_F(DecoderTest, AnyModuleOpenTakesTheFirstThatAcceptsTheName) {
  const std::string path = ::testing::TempDir() + "/zarnel-any-module.mp2";
  std::vector<uint8_t> bytes;
  test::append(bytes, test::silentFrame(), 3);
  test::writeBytes(path, bytes);
  ASSERT_EQ(decoder_->inputOpen(path.c_str(), -1), mpeg::kOk);
  ASSERT_EQ(decoder_->inputStart(), mpeg::kOk);
  EXPECT_EQ(decodeAll(*decoder_).frames, 3);
  EXPECT_EQ(decoder_->streamSize(), int64_t(bytes.size()));
  std::remove(path.c_str());
}

}  // namespace
}  // namespace zarnel
