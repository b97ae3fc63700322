#include "tools/play/OfflineMix.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarnel
