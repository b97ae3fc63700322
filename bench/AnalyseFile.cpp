// The extended analysis of one whole file, decoding included, as
// zarnel-analyse runs it: ZARNEL_BENCH_MP3 names the file (a 5-minute
// 320 kbit/s stereo MP3 is the yardstick: it must run at least 100 times
// real time on one core), else a conformance stream of the shared test data.
// "realtime" is track seconds analysed per second of wall time.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "desk/FileAnalysis.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

std::string analyseBenchFile() {
  const char* named = std::getenv("ZARNEL_BENCH_MP3");
  return named != nullptr ? named : std::string(ZARNEL_MPEG_TESTDATA) + "/l3-sin1k0db.bit";
}

void BM_AnalyseFile(benchmark::State& state) {
  VirtualFileSystem files;  // MPEG sources read through the decoder's own input
  FileAnalysis analysis(files, nullptr);
  AnalysisProgress progress;
  const std::string path = analyseBenchFile();
  double trackSeconds = 0.0;
  int64_t blocks = 0;
  for (auto _ : state) {
    const FileAnalysisResult result = analysis.analyseFile(path, progress);
    if (!result.opened) {
      state.SkipWithError(("cannot open " + path).c_str());
      return;
    }
    trackSeconds += double(result.length);
    blocks += result.blocks;
    benchmark::DoNotOptimize(result.bpm);
  }
  state.counters["realtime"] = benchmark::Counter(trackSeconds, benchmark::Counter::kIsRate);
  state.counters["blocks/s"] = benchmark::Counter(double(blocks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyseFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace zarnel
