#include "mixer/RecorderNames.h"

#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(RecorderNames, BaseDropsOneFinalWavExtensionInAnyCase) {
  EXPECT_EQ(recordBaseName("mix.wav"), "mix");
  EXPECT_EQ(recordBaseName("/sets/Friday.WaV"), "/sets/Friday");
  EXPECT_EQ(recordBaseName("mix"), "mix");
  EXPECT_EQ(recordBaseName("mix.wav.wav"), "mix.wav");
  EXPECT_EQ(recordBaseName("mix.wave"), "mix.wave");
  EXPECT_EQ(recordBaseName(".wav"), "");
}

TEST(RecorderNames, BaseIsCutTo507BytesAtACharacterBoundary) {
  EXPECT_EQ(recordBaseName(std::string(600, 'a') + ".wav"), std::string(507, 'a'));
  // "é" is two bytes; the one that would straddle byte 507 is left out whole.
  const std::string name = std::string(506, 'a') + "\xC3\xA9" + "tail";
  EXPECT_EQ(recordBaseName(name), std::string(506, 'a'));
  const std::string fits = std::string(505, 'a') + "\xC3\xA9" + "tail";
  EXPECT_EQ(recordBaseName(fits), std::string(505, 'a') + "\xC3\xA9");
}

TEST(RecorderNames, FirstFileIsNumberedOnlyWithAutoCut) {
  EXPECT_EQ(recordFileName("mix", 0, false), "mix.wav");
  EXPECT_EQ(recordFileName("mix", 0, true), "mix000.wav");
  EXPECT_EQ(recordFileName("mix", 1, false), "mix001.wav");
  EXPECT_EQ(recordFileName("mix", 42, true), "mix042.wav");
  EXPECT_EQ(recordFileName("mix", 1000, false), "mix1000.wav");
}

TEST(RecorderNames, PluginLibraryNamesChooseBroadcast) {
  EXPECT_TRUE(isBroadcastName("C:\\Program Files\\dsp_stream.dll"));
  EXPECT_TRUE(isBroadcastName("dsp_stream.DLL"));
  EXPECT_TRUE(isBroadcastName("dsp.Dll"));
  EXPECT_FALSE(isBroadcastName("mix.wav"));
  EXPECT_FALSE(isBroadcastName("mix.dll.wav"));
  EXPECT_FALSE(isBroadcastName("mixdll"));
  EXPECT_FALSE(isBroadcastName(""));
  // The platform's own library ending: ".so" on Linux, nothing more on Windows.
  EXPECT_TRUE(isBroadcastName("plug-ins/libstream" + std::string(kNativeLibraryExtension)));
  EXPECT_EQ(isBroadcastName("plug-ins/libstream.SO"), kNativeLibraryExtension == ".so");
  EXPECT_FALSE(isBroadcastName("plug-ins/libstream.so.wav"));
}

}  // namespace
}  // namespace zarnel
