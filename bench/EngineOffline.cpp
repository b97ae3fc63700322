// A two-desk mix rendered as the offline renderer does: the mode-0 engine
// opened on the virtual sound system, which records everything it plays.
// Both desks play at normal speed with master tempo and the equaliser on.

#include <benchmark/benchmark.h>

#include "app/Settings.h"
#include "bench/BenchRig.h"
#include "mixer/OutputEngines.h"
#include "platform/FloatMode.h"
#include "platform/Services.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"

namespace zarnel {
namespace {

void BM_EngineOffline(benchmark::State& state) {
  setAudioThreadFloatMode();
  settings().resetToDefaults();
  bench::BenchDesks rig;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  sound.addCard("bench");
  PlatformServices services;
  services.sound = &sound;
  services.threads = &threads;
  std::unique_ptr<OutputEngine> engine = createOutputEngine(0, *rig.desk1, *rig.desk2);
  if (!engine->open(services)) {
    state.SkipWithError("the virtual card did not open");
    return;
  }
  rig.desk1->setEngine(engine.get());
  rig.desk2->setEngine(engine.get());
  rig.mixer.attach(engine.get(), nullptr);
  rig.mixer.sendAll();
  rig.loadAndPlay(4096);

  constexpr int32_t kStep = 256;
  int64_t frames = 0;
  for (auto _ : state) {
    sound.advance(kStep);
    engine->updateCursorsRt();
    rig.desk1->serviceRt();
    rig.desk2->serviceRt();
    engine->mixRt();
    frames += kStep;
    if (rig.done() || frames % (44100 * 60) < kStep) {
      state.PauseTiming();
      rig.rewindIfDone();
      for (VirtualSoundBuffer* b : sound.openDevices()[0]->buffers()) b->clearRecorded();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(frames);
}
BENCHMARK(BM_EngineOffline);

}  // namespace
}  // namespace zarnel
