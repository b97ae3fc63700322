// The sample players' sounds: the files in home/samples are what the
// synthesiser renders, and each is short, loud without clipping and shaped
// like what it is named.

#include "tools/synth/SoundSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/tools/ToolProcess.h"
#include "tools/synth/DemoSong.h"

namespace zarnel::tools {
namespace {

const std::filesystem::path kSamples = std::filesystem::path(ZARNEL_TEST_SOURCE_DIR) / ".." / "home" / "samples";

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Return: the largest |value| of channel c over frames [from, to).
int32_t peak(const std::vector<int16_t>& stereo, int c, size_t from, size_t to) {
  int32_t top = 0;
  for (size_t i = from; i < to && 2 * i + size_t(c) < stereo.size(); ++i)
    top = std::max(top, std::abs(int32_t(stereo[2 * i + size_t(c)])));
  return top;
}

// Return: sign changes of the left channel per second over [from, to).
double crossingsPerSecond(const std::vector<int16_t>& stereo, size_t from, size_t to) {
  int32_t n = 0;
  for (size_t i = from + 1; i < to; ++i) n += (stereo[2 * i] >= 0) != (stereo[2 * i - 2] >= 0);
  return n * 44100.0 / double(to - from);
}

size_t ms(int32_t millis) { return size_t(millis) * 441 / 10; }

const SoundSample& find(const std::vector<SoundSample>& all, const std::string& name) {
  for (const SoundSample& s : all)
    if (s.name == name) return s;
  static const SoundSample none;
  ADD_FAILURE() << "no sample " << name;
  return none;
}

TEST(SoundSamples, TheShippedFilesAreWhatTheSynthesiserRenders) {
  test::TempFolder dir;
  const std::vector<SoundSample> all = renderSoundSamples();
  ASSERT_EQ(all.size(), 5u);
  for (const SoundSample& s : all) {
    std::string error;
    const std::string path = dir / (s.name + ".wav");
    ASSERT_TRUE(writeWav(path, s.stereo, error)) << error;
    EXPECT_TRUE(readFile(path) == readFile(kSamples / (s.name + ".wav")))
        << "home/samples/" << s.name << ".wav is not what the synthesiser renders";
  }
}

TEST(SoundSamples, EachIsShortPeaksBelowClippingAndStartsAndEndsQuietly) {
  for (const SoundSample& s : renderSoundSamples()) {
    const size_t frames = s.stereo.size() / 2;
    EXPECT_GT(frames, ms(300)) << s.name;
    EXPECT_LT(frames, ms(3000)) << s.name;
    EXPECT_EQ(std::max(peak(s.stereo, 0, 0, frames), peak(s.stereo, 1, 0, frames)), kSamplePeak) << s.name;
    EXPECT_LT(peak(s.stereo, 0, 0, 1), 2000) << s.name << ": a click at the start";
    EXPECT_LT(peak(s.stereo, 0, frames - 1, frames), 500) << s.name << ": a click at the end";
  }
}

TEST(SoundSamples, EachSoundsLikeWhatItIsNamed) {
  const std::vector<SoundSample> all = renderSoundSamples();
  // The air horn: three blasts with silence between them.
  const SoundSample& horn = find(all, "Air Horn");
  EXPECT_GT(peak(horn.stereo, 0, ms(50), ms(200)), 10000);
  EXPECT_EQ(peak(horn.stereo, 0, ms(230), ms(290)), 0);
  EXPECT_EQ(peak(horn.stereo, 0, ms(530), ms(590)), 0);
  EXPECT_GT(peak(horn.stereo, 0, ms(700), ms(1700)), 10000);
  // The siren: its pitch climbs to the top of the sweep and falls again.
  const SoundSample& siren = find(all, "Siren");
  const double low = crossingsPerSecond(siren.stereo, ms(30), ms(130));
  const double high = crossingsPerSecond(siren.stereo, ms(600), ms(700));
  EXPECT_GT(high, 1.5 * low);
  EXPECT_GT(crossingsPerSecond(siren.stereo, ms(600), ms(700)), crossingsPerSecond(siren.stereo, ms(1200), ms(1300)));
  // The clap: its energy is in the first tenth of a second.
  const SoundSample& clap = find(all, "Clap");
  EXPECT_GT(peak(clap.stereo, 0, 0, ms(60)), 4 * peak(clap.stereo, 0, ms(300), clap.stereo.size() / 2));
  // The stab: a short chord that dies away.
  const SoundSample& stab = find(all, "Stab");
  EXPECT_GT(peak(stab.stereo, 0, 0, ms(100)), 3 * peak(stab.stereo, 0, ms(600), ms(800)));
  // The rewind: the music spins back ever faster, so it brightens.
  const SoundSample& rewind = find(all, "Rewind");
  EXPECT_GT(crossingsPerSecond(rewind.stereo, ms(1100), ms(1300)),
            2 * crossingsPerSecond(rewind.stereo, ms(50), ms(250)));
}

}  // namespace
}  // namespace zarnel::tools
