// Both desks playing with master tempo at pitch 4300 and the equaliser on,
// through the resampler and the mode-0 mixing pass on a virtual sound card.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/FloatMode.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualSoundBuffer.h"

namespace zarnel {
namespace {

std::vector<uint8_t> benchWav(int32_t seconds, double freq) {
  const uint32_t frames = uint32_t(seconds) * 44100;
  const uint32_t dataBytes = frames * 4;
  std::vector<uint8_t> f;
  auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) f.push_back(uint8_t(v >> (8 * i))); };
  auto put16 = [&](uint16_t v) { f.push_back(uint8_t(v)); f.push_back(uint8_t(v >> 8)); };
  f.insert(f.end(), {'R', 'I', 'F', 'F'});
  put32(36 + dataBytes);
  f.insert(f.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(16); put16(1); put16(2); put32(44100); put32(176400); put16(4); put16(16);
  f.insert(f.end(), {'d', 'a', 't', 'a'});
  put32(dataBytes);
  for (uint32_t i = 0; i < frames; ++i) {
    // A tone with a beat-like envelope, so the splice search has real work.
    double env = 0.5 + 0.5 * std::cos(2 * M_PI * 2.0 * i / 44100.0);
    auto s = int16_t(12000 * env * std::sin(2 * M_PI * freq * i / 44100.0));
    put16(uint16_t(s));
    put16(uint16_t(s));
  }
  return f;
}

void BM_TwoDeskMix(benchmark::State& state) {
  setAudioThreadFloatMode();
  settings().resetToDefaults();
  settings().masterTempo = 1;
  settings().equalizer = 1;
  VirtualFileSystem files;
  files.put("a.wav", benchWav(30, 440));
  files.put("b.wav", benchWav(30, 660));
  DeskLinks links;
  links.services.files = &files;
  Desk desk1(0, links), desk2(1, links);
  auto owned = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, 441);
  VirtualSoundBuffer* card = owned.get();
  card->setRecording(false);
  SingleCardMasterEngine engine(desk1, desk2, std::move(owned));
  desk1.setEngine(&engine);
  desk2.setEngine(&engine);
  MixerState mixer;
  mixer.attach(&engine, nullptr);
  mixer.sendAll();
  mixer.setBand(0, Band::high, 3000);
  mixer.setBand(1, Band::bass, 1000);
  desk1.load("a", "", "a.wav", nullptr);
  desk2.load("b", "", "b.wav", nullptr);
  desk1.setPitch(4300);
  desk2.setPitch(4300);
  desk1.play();
  desk2.play();

  constexpr int32_t kStep = 441;  // 10 ms of audio per audio-thread loop
  int64_t frames = 0;
  for (auto _ : state) {
    card->advance(kStep);
    engine.updateCursorsRt();
    desk1.serviceRt();
    desk2.serviceRt();
    engine.mixRt();
    frames += kStep;
    if (desk1.position() > 0.9f || desk1.position() < 0) {
      state.PauseTiming();
      desk1.stopAndSeek(0.0f);
      desk2.stopAndSeek(0.0f);
      desk1.play();
      desk2.play();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(frames);
  desk1.setEngine(nullptr);
  desk2.setEngine(nullptr);
}
BENCHMARK(BM_TwoDeskMix);

}  // namespace
}  // namespace zarnel

BENCHMARK_MAIN();
