#include "tools/play/MixPlan.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/WavBuilder.h"

namespace zarnel {
namespace {

TEST(MixPlan, TheFrameBoundIsTwiceTheTracksAndAMinute) {
  settings().resetToDefaults();
  VirtualFileSystem files;
  files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 3, 500, 700, 9000))));
  files.put("b.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 5 + 100, 500, 700, 9000))));
  PlatformServices services;
  services.files = &files;
  tools::MixPlan plan(services);
  std::string error;
  ASSERT_TRUE(plan.load({"a.wav", "b.wav"}, error)) << error;
  EXPECT_EQ(plan.frameBound(), (2 * (3 + 5) + 60) * 44100);
  tools::MixPlan one(services);
  ASSERT_TRUE(one.load({"a.wav"}, error));
  EXPECT_EQ(one.frameBound(), (2 * 3 + 60) * 44100);
  EXPECT_FALSE(one.load({"missing.wav"}, error));
  EXPECT_EQ(error, "cannot open missing.wav: file not found");
  std::vector<uint8_t> deep = test::makeWav({}, test::toBytes(test::stereoSine(4410, 500, 700, 9000)));
  deep[34] = 24;  // bits per sample
  files.put("deep.wav", deep);
  EXPECT_FALSE(one.load({"deep.wav"}, error));
  EXPECT_EQ(error, "cannot open deep.wav: 24-bit WAV is not supported");
}

}  // namespace
}  // namespace zarnel
