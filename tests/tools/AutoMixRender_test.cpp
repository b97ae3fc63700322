#include "tools/automix/AutoMixRender.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "mixer/RecordedWav.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "skin/SkinFiles.h"
#include "skin/support/RenderTestSkin.h"
#include "skin/support/SkinTestKit.h"
#include "support/WavBuilder.h"
#include "tools/automix/MixLog.h"
#include "tools/synth/DemoSong.h"

namespace zarnel::tools {
namespace {

constexpr double kTempos[3] = {122.0, 125.0, 128.0};

// Three short songs at three tempos in a playlist, with a plain skin in the
// home folder: what the render needs of a DJ's machine.
struct RenderRig {
  // bars: each song's length; a transition must fit in the last fifth of a
  // track, where AutoMix starts looking for its mix point.
  explicit RenderRig(int32_t bars = 20, int32_t songs = 3) {
    settings().resetToDefaults();
    settings().longMix = 0;  // 6.4 s transitions
    settings().endMix = 1;   // mix out at the end
    files.put(skinXmlPath(settings().homeFolder, "default"), test::textBytes(test::skinXml("")));
    files.put(skinBitmapPath(settings().homeFolder, "default"), test::makeBmp(test::solidImage(800, 600, 0x303030)));
    std::string list = "#EXTM3U\n";
    for (int i = 0; i < songs; ++i) {
      SongRecipe song;
      song.name = "song" + std::to_string(i);
      song.bpm = kTempos[i];
      song.bars = bars;
      song.rootNote = 43 + i * 2;
      song.progression = i;
      song.seed = uint32_t(i + 1);
      const std::string path = "music/" + song.name + ".wav";
      files.put(path, test::makeWav({}, test::toBytes(renderSong(song))));
      list += path + "\n";
    }
    files.put("set.m3u", test::textBytes(list));
    services.files = &files;
  }

  AutoMixRenderResult render(AutoMixRenderOptions options = {}) {
    options.playlist = "set.m3u";
    options.out = "mix.wav";
    options.keepPlayed = true;
    options.log = [this](const std::string& line) { log.push_back(line); };
    return renderAutoMix(services, options);
  }

  VirtualFileSystem files;
  PlatformServices services;
  std::vector<std::string> log;
};

std::vector<std::string> fields(const std::string& line);

// The heard distance between the two desks' nearest beats on a log row,
// from the songs' own beat grids (their beats start at 0); negative when a
// desk has no track.
double trueBeatDistanceMs(const std::vector<std::string>& f) {
  MixLog::Row row;
  for (int d = 0; d < 2; ++d) {
    const std::string& file = f[size_t(3 + 3 * d)];
    if (file.size() < 5) return -1.0;
    MixLog::DeskRow& desk = row.desks[d];
    desk.loaded = true;
    desk.bpm = float(kTempos[file[4] - '0']);
    desk.positionS = std::stod(f[size_t(4 + 3 * d)]);
    desk.pitch = std::stoi(f[size_t(5 + 3 * d)]);
    desk.firstBeatS = 1e-9;  // beat 0 at the start
  }
  return MixLog::beatDistanceMs(row);
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream s(line);
  std::string f;
  while (std::getline(s, f, ',')) out.push_back(f);
  if (!line.empty() && line.back() == ',') out.push_back("");
  return out;
}

TEST(AutoMixRender, MixesThePlaylistAndRecordsExactlyWhatTheCardPlayed) {
  RenderRig rig;
  const AutoMixRenderResult result = rig.render();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.transitions, 2);

  // The recording is the end of what the card played, sample for sample,
  // and nothing before it was heard.
  const test::RecordedWav wav = test::readRecordedWav(rig.files.bytes("mix.wav"));
  test::expectValidWav(wav);
  ASSERT_GT(wav.samples.size(), size_t(44100 * 2 * 95));  // three 38 s songs, two 6.4 s overlaps
  EXPECT_EQ(int64_t(wav.samples.size() / 2), result.frames);
  ASSERT_LE(wav.samples.size(), result.played.size());
  const size_t before = result.played.size() - wav.samples.size();
  EXPECT_TRUE(std::equal(wav.samples.begin(), wav.samples.end(), result.played.begin() + ptrdiff_t(before)));
  for (size_t i = 0; i < before; ++i) ASSERT_EQ(result.played[i], 0) << "sample " << i << " was heard, not recorded";

  // Through the transitions both desks play at the same heard tempo; how
  // close their beats come is measured on the songs' own beat grids (from
  // the tick after the beat match: its seek is heard after its own tick).
  double worst = 0.0, sum = 0.0;
  int32_t ticks = 0;
  for (size_t i = 1; i < rig.log.size(); ++i) {
    const std::vector<std::string> f = fields(rig.log[i]);
    if (f[1].empty() || f[3].empty() || f[6].empty()) continue;
    const double heard[2] = {kTempos[f[3][4] - '0'] * std::stoi(f[5]) / 4096.0,
                             kTempos[f[6][4] - '0'] * std::stoi(f[8]) / 4096.0};
    EXPECT_NEAR(heard[0], heard[1], heard[0] * 0.003) << rig.log[i];
    if (f[1] == "1") continue;
    const double ms = trueBeatDistanceMs(f);
    worst = std::max(worst, ms);
    sum += ms;
    ++ticks;
  }
  ASSERT_GT(ticks, 50);
  ::testing::Test::RecordProperty("beats_apart_worst_ms", std::to_string(worst));
  ::testing::Test::RecordProperty("beats_apart_mean_ms", std::to_string(sum / ticks));
}

// A track of kicks alone, the first at offset seconds: one onset per beat,
// so every beat search finds the same beat a listener hears.
std::vector<int16_t> kickTrack(double bpm, double offset, double seconds) {
  const size_t frames = size_t(seconds * 44100);
  std::vector<int16_t> stereo(frames * 2);
  for (double at = offset; at < seconds; at += 60.0 / bpm) {
    const size_t first = size_t(at * 44100);
    for (size_t i = 0; i < 5292 && first + i < frames; ++i) {
      const double t = double(i) / 44100;
      const double v = 20000 * std::exp(-t * 30) * std::sin(2 * M_PI * (60 + 120 * std::exp(-t * 40)) * t);
      stereo[(first + i) * 2] = stereo[(first + i) * 2 + 1] = int16_t(v);
    }
  }
  return stereo;
}

// On tracks whose beats the analyser finds without doubt, AutoMix keeps the
// two desks' beats within 20 ms through every transition once its first
// corrections are heard (step 4 on; the crossfader is still near the
// outgoing desk then).
TEST(AutoMixRender, KeepsTheBeatsOfKickTracksWithin20Ms) {
  RenderRig rig(1, 0);
  const double tempos[3] = {122.0, 126.0, 124.0}, offsets[3] = {0.0, 0.1, 0.05};
  std::string list;
  for (int i = 0; i < 3; ++i) {
    const std::string path = "kicks/song" + std::to_string(i) + ".wav";
    rig.files.put(path, test::makeWav({}, test::toBytes(kickTrack(tempos[i], offsets[i], 60.0))));
    list += path + "\n";
  }
  rig.files.put("set.m3u", test::textBytes(list));
  const AutoMixRenderResult result = rig.render();
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.transitions, 2);
  int32_t ticks = 0;
  for (size_t i = 1; i < rig.log.size(); ++i) {
    const std::vector<std::string> f = fields(rig.log[i]);
    if (f[1].empty() || f[3].empty() || f[6].empty() || std::stoi(f[1]) < 4) continue;
    MixLog::Row row;
    for (int d = 0; d < 2; ++d) {
      const int song = f[size_t(3 + 3 * d)][4] - '0';
      row.desks[d] = {true, "", std::stod(f[size_t(4 + 3 * d)]) - offsets[song] + 1.0, std::stoi(f[size_t(5 + 3 * d)]),
                      float(tempos[song]), 1.0};
    }
    EXPECT_LT(MixLog::beatDistanceMs(row), 20.0) << rig.log[i];
    ++ticks;
  }
  EXPECT_GT(ticks, 50);
}

TEST(AutoMixRender, LogsEveryTickOfEachTransition) {
  RenderRig rig(28, 3);  // 55 s songs: room for a 9.6 s transition
  AutoMixRenderOptions options;
  options.overrides.longMix = 16;  // 9.6 s: 48 ticks, 16 of them held at the centre
  const AutoMixRenderResult result = rig.render(options);
  ASSERT_TRUE(result.ok) << result.error;
  ASSERT_FALSE(rig.log.empty());
  EXPECT_EQ(rig.log.front(), kAutoMixLogHeader);
  std::vector<std::vector<int32_t>> faders(1);  // per transition, the crossfader at each tick
  std::string lastStep;
  for (size_t i = 1; i < rig.log.size(); ++i) {
    const std::vector<std::string> f = fields(rig.log[i]);
    ASSERT_EQ(f.size(), 9u) << rig.log[i];
    if (!f[1].empty()) faders.back().push_back(std::stoi(f[2]));
    if (f[1].empty() && !lastStep.empty()) faders.emplace_back();
    lastStep = f[1];
    if (!f[3].empty()) {
      EXPECT_EQ(f[3].rfind("song", 0), 0u) << rig.log[i];
    }
  }
  std::erase_if(faders, [](const std::vector<int32_t>& t) { return t.empty(); });
  ASSERT_EQ(faders.size(), 2u);
  for (const std::vector<int32_t>& t : faders) {
    // The last tick ends the transition with the fader at an end.
    EXPECT_EQ(t.size(), 47u);
    EXPECT_EQ(std::count(t.begin(), t.end(), 2048), 17);
  }
}

TEST(AutoMixRender, TheSameSetRendersTheSameMix) {
  RenderRig first(12, 2), second(12, 2);
  ASSERT_TRUE(first.render().ok);
  ASSERT_TRUE(second.render().ok);
  EXPECT_TRUE(first.files.bytes("mix.wav") == second.files.bytes("mix.wav"));
  EXPECT_EQ(first.log, second.log);
}

TEST(AutoMixRender, AnEmptyOrMissingPlaylistIsRefusedAndWritesNothing) {
  RenderRig rig(2, 1);
  rig.files.put("set.m3u", test::textBytes("# nothing\n"));
  AutoMixRenderResult result = rig.render();
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("no track"), std::string::npos) << result.error;
  EXPECT_FALSE(rig.files.exists("mix.wav"));
}

TEST(MixLog, BeatDistanceFollowsPitchAndWrapsToTheNearestBeat) {
  MixLog::Row row;
  row.transition = true;
  for (MixLog::DeskRow& d : row.desks) {
    d.loaded = true;
    d.bpm = 120.0f;  // 0.5 s beats
    d.firstBeatS = 0.25;
  }
  row.desks[0].positionS = 10.25;
  row.desks[1].positionS = 30.26;  // 10 ms of track later
  EXPECT_NEAR(MixLog::beatDistanceMs(row), 10.0, 1e-6);
  row.desks[1].positionS = 30.74;  // 10 ms before the next beat
  EXPECT_NEAR(MixLog::beatDistanceMs(row), 10.0, 1e-6);
  row.desks[0].pitch = row.desks[1].pitch = 8192;  // twice as fast: half the heard time
  EXPECT_NEAR(MixLog::beatDistanceMs(row), 5.0, 1e-6);
  row.desks[1].bpm = 0.0f;
  EXPECT_LT(MixLog::beatDistanceMs(row), 0.0);
  EXPECT_EQ(csvField("a,b \"c\""), "\"a,b \"\"c\"\"\"");
}

}  // namespace
}  // namespace zarnel::tools
