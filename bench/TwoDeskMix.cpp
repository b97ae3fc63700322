// Both desks playing with master tempo at pitch 4300 and the equaliser on,
// through the resampler and the mode-0 mixing pass on a virtual sound card.

#include <benchmark/benchmark.h>

#include "app/Settings.h"
#include "bench/BenchRig.h"
#include "mixer/OutputEngines.h"
#include "platform/FloatMode.h"
#include "platform/virtual/VirtualSoundBuffer.h"

namespace zarnel {
namespace {

void BM_TwoDeskMix(benchmark::State& state) {
  setAudioThreadFloatMode();
  settings().resetToDefaults();
  bench::BenchDesks rig;
  auto owned = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, 441);
  VirtualSoundBuffer* card = owned.get();
  card->setRecording(false);
  SingleCardMasterEngine engine(*rig.desk1, *rig.desk2, std::move(owned));
  rig.desk1->setEngine(&engine);
  rig.desk2->setEngine(&engine);
  rig.mixer.attach(&engine, nullptr);
  rig.mixer.sendAll();
  rig.mixer.setBand(0, Band::high, 3000);
  rig.mixer.setBand(1, Band::bass, 1000);
  rig.loadAndPlay(4300);

  constexpr int32_t kStep = 441;  // 10 ms of audio per audio-thread loop
  int64_t frames = 0;
  for (auto _ : state) {
    card->advance(kStep);
    engine.updateCursorsRt();
    rig.desk1->serviceRt();
    rig.desk2->serviceRt();
    engine.mixRt();
    frames += kStep;
    if (rig.done()) {
      state.PauseTiming();
      rig.rewindIfDone();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(frames);
}
BENCHMARK(BM_TwoDeskMix);

}  // namespace
}  // namespace zarnel

BENCHMARK_MAIN();
