// The AutoMix render of a three-song set on the default skin, the way
// zarnel-automix runs it: the tracks analysed first (the store does not know
// them), then the whole set mixed on the virtual clock and recorded. Reports
// how many times faster than real time the set renders.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "bench/BenchRig.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "skin/SkinFiles.h"
#include "tools/automix/AutoMixRender.h"
#include "tools/synth/DemoSong.h"

namespace zarnel {
namespace {

bool putFile(VirtualFileSystem& files, const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  files.put(to, std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  return true;
}

void BM_AutoMixRender(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> songs;
  const double tempos[3] = {122.0, 125.0, 128.0};
  for (int i = 0; i < 3; ++i) {
    tools::SongRecipe recipe;
    recipe.name = "song" + std::to_string(i);
    recipe.bpm = tempos[i];
    recipe.bars = 32;
    recipe.progression = i;
    recipe.seed = uint32_t(i + 1);
    songs.push_back(bench::stereoWav(tools::renderSong(recipe)));
  }
  double mixedSeconds = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    settings().resetToDefaults();
    VirtualFileSystem files;
    const std::string skins = std::string(ZARNEL_SOURCE_DIR) + "/home/skins/default";
    if (!putFile(files, skins + ".xml", skinXmlPath(settings().homeFolder, "default")) ||
        !putFile(files, skins + ".bmp", skinBitmapPath(settings().homeFolder, "default"))) {
      state.SkipWithError("no default skin in home/skins");
      return;
    }
    std::string list;
    for (size_t i = 0; i < songs.size(); ++i) {
      files.put("song" + std::to_string(i) + ".wav", songs[i]);
      list += "song" + std::to_string(i) + ".wav\n";
    }
    files.put("set.m3u", std::vector<uint8_t>(list.begin(), list.end()));
    PlatformServices services;
    services.files = &files;
    tools::AutoMixRenderOptions options;
    options.playlist = "set.m3u";
    options.out = "mix.wav";
    state.ResumeTiming();
    const tools::AutoMixRenderResult result = tools::renderAutoMix(services, options);
    if (!result.ok) {
      state.SkipWithError(result.error.c_str());
      return;
    }
    mixedSeconds += double(result.frames) / 44100.0;
  }
  state.counters["x_real_time"] = benchmark::Counter(mixedSeconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AutoMixRender)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zarnel
