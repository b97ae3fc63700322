#include "tools/play/OfflineMix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "app/Settings.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/WavBuilder.h"
#include "tools/synth/DemoSong.h"

namespace zarnel {
namespace {

TEST(OfflineMix, OneTrackRendersToItsOwnLength) {
  settings().resetToDefaults();
  VirtualFileSystem files;
  const int32_t frames = 1152 * 120;  // whole blocks: nothing is cut at the end
  files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(frames, 500, 700, 9000))));
  PlatformServices services;
  services.files = &files;
  tools::OfflineMixResult mix = tools::renderMix(services, {"a.wav"}, false);
  ASSERT_TRUE(mix.ok) << mix.error;
  EXPECT_NEAR(double(mix.stereo.size() / 2), double(frames), 256.0);
}

TEST(OfflineMix, TwoTracksOverlapByTheLastThirdOfTheFirst) {
  settings().resetToDefaults();
  VirtualFileSystem files;
  tools::SongRecipe recipe{"demo", 128.0, 4, 45, 0, 3};
  const std::vector<int16_t> song = tools::renderSong(recipe);
  const double seconds = double(song.size() / 2) / 44100.0;
  files.put("a.wav", test::makeWav({}, test::toBytes(song)));
  files.put("b.wav", test::makeWav({}, test::toBytes(song)));
  PlatformServices services;
  services.files = &files;
  tools::OfflineMixResult mix = tools::renderMix(services, {"a.wav", "b.wav"}, false);
  ASSERT_TRUE(mix.ok) << mix.error;
  EXPECT_NEAR(double(mix.stereo.size() / 2) / 44100.0, seconds * 5 / 3, 0.15);
  EXPECT_FALSE(tools::renderMix(services, {"a.wav", "missing.wav"}, false).ok);
}

// Keeps what it is given and the largest piece.
class PieceSink : public tools::MixSink {
 public:
  void expect(int64_t maxFrames) override { expected = maxFrames; }
  bool write(const int16_t* stereo, size_t frames, std::string&) override {
    got.insert(got.end(), stereo, stereo + frames * 2);
    largest = std::max(largest, frames);
    return true;
  }
  std::vector<int16_t> got;
  size_t largest = 0;
  int64_t expected = -1;
};

TEST(OfflineMix, AStreamedRenderGivesTheSameFramesInSmallPieces) {
  settings().resetToDefaults();
  VirtualFileSystem files;
  tools::SongRecipe recipe{"demo", 124.0, 2, 45, 0, 5};
  files.put("a.wav", test::makeWav({}, test::toBytes(tools::renderSong(recipe))));
  files.put("b.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 3, 300, 450, 7000))));
  PlatformServices services;
  services.files = &files;
  const tools::OfflineMixResult whole = tools::renderMix(services, {"a.wav", "b.wav"}, false);
  ASSERT_TRUE(whole.ok) << whole.error;
  PieceSink sink;
  const tools::OfflineMixResult streamed = tools::renderMix(services, {"a.wav", "b.wav"}, {}, sink);
  ASSERT_TRUE(streamed.ok) << streamed.error;
  EXPECT_EQ(streamed.frames, int64_t(sink.got.size() / 2));
  EXPECT_TRUE(sink.got == whole.stereo);
  EXPECT_LE(sink.largest, 256u);  // one card step: nothing accumulates
  EXPECT_GE(sink.expected, streamed.frames);
}

TEST(OfflineMix, ARenderPastItsBoundStopsWithAnError) {
  settings().resetToDefaults();
  VirtualFileSystem files;
  files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 5, 500, 700, 9000))));
  PlatformServices services;
  services.files = &files;
  PieceSink sink;
  tools::OfflineMixOptions options;
  options.maxFrames = 44100;
  const tools::OfflineMixResult r = tools::renderMix(services, {"a.wav"}, options, sink);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("did not end"), std::string::npos) << r.error;
  EXPECT_LE(sink.got.size() / 2, size_t(44100 + 512));
  EXPECT_GE(sink.got.size() / 2, size_t(44100));

  std::atomic<bool> stop{true};
  options = {};
  options.stop = &stop;
  EXPECT_EQ(tools::renderMix(services, {"a.wav"}, options, sink).error, "interrupted");
}

}  // namespace
}  // namespace zarnel
