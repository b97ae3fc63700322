// The decoder module over a whole MP3, read through the file input module:
// ZARNEL_BENCH_MP3 names the file (a 5-minute 320 kbit/s stereo file is the
// yardstick), else a joint stereo conformance stream of the shared test data.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "decoder/Decoder.h"
#include "decoder/FileInput.h"

namespace zarnel {
namespace {

std::string benchFile() {
  const char* named = std::getenv("ZARNEL_BENCH_MP3");
  return named != nullptr ? named : std::string(ZARNEL_MPEG_TESTDATA) + "/l3-sin1k0db.bit";
}

void BM_DecodeMp3(benchmark::State& state) {
  std::unique_ptr<Decoder> decoder;
  Decoder::create(decoder);
  const int32_t id = decoder->registerInput(fileInputModule());
  const std::string path = benchFile();
  if (decoder->inputOpen(path.c_str(), id) != mpeg::kOk) {
    state.SkipWithError(("cannot open " + path).c_str());
    return;
  }
  int64_t frames = 0;
  for (auto _ : state) {
    decoder->inputStart();
    for (int32_t r = 0; r != mpeg::kEndOfStream;) {
      r = decoder->decode(nullptr);
      if (r == mpeg::kOk) ++frames;
    }
    benchmark::DoNotOptimize(decoder->output().samples);
  }
  state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeMp3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zarnel
