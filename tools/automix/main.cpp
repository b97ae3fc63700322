// zarnel-automix PLAYLIST --out MIX.wav [--log STEPS.csv] [settings]
// Runs the program's AutoMix over a playlist on a virtual clock, as fast as
// the machine allows, and writes what the sound card would have played, as
// the recorder writes it. The AutoMix settings are the user's unless given.

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "library/PlaylistText.h"
#include "platform/posix/PosixPlatform.h"
#include "tools/automix/AutoMixRender.h"
#include "tools/common/CommandLine.h"
#include "tools/common/OutputFile.h"

namespace {

using zarnel::tools::ToolInfo;

const ToolInfo kTool{
    "zarnel-automix",
    "usage: zarnel-automix [options] [--] PLAYLIST --out MIX.wav\n"
    "  mixes the tracks of PLAYLIST (.m3u or .pls) with AutoMix into MIX.wav\n"
    "  --log STEPS.csv      one row per 200 ms tick: time, step, crossfader, each desk's track,\n"
    "                       heard position and pitch\n"
    "  --long-mix N         AutoMix length: -1 no mix, 0 (5 s), 16 (10 s), 40 (15 s), 64 (20 s), 112 (30 s)\n"
    "  --start-mix N        where a track starts: 0 cue, 1 first beat, 2 beginning\n"
    "  --end-mix N          where a track mixes out: 0 last beat, 1 end, 2 cue 1\n"
    "  --auto-bpm 0|1, --auto-sync 0|1, --auto-zpitch 0|1\n"
    "                       tempo matching, beat matching, and the pitch's return to 0 after a mix\n",
    {{"--out", true},
     {"--log", true},
     {"--long-mix", true},
     {"--start-mix", true},
     {"--end-mix", true},
     {"--auto-bpm", true},
     {"--auto-sync", true},
     {"--auto-zpitch", true}},
    1,
    1};

struct IntOption {
  const char* name;
  std::optional<int32_t> zarnel::tools::AutoMixOverrides::*field;
  int32_t low, high;
};

const IntOption kIntOptions[] = {
    {"--long-mix", &zarnel::tools::AutoMixOverrides::longMix, -1, 112},
    {"--start-mix", &zarnel::tools::AutoMixOverrides::startMix, 0, 2},
    {"--end-mix", &zarnel::tools::AutoMixOverrides::endMix, 0, 2},
    {"--auto-bpm", &zarnel::tools::AutoMixOverrides::autoBpm, 0, 1},
    {"--auto-sync", &zarnel::tools::AutoMixOverrides::autoSync, 0, 1},
    {"--auto-zpitch", &zarnel::tools::AutoMixOverrides::autoZPitch, 0, 1},
};

int fail(const std::string& message) {
  std::fprintf(stderr, "zarnel-automix: %s\n", message.c_str());
  return 1;
}

bool parseInt(const std::string& text, int32_t low, int32_t high, int32_t& value) {
  try {
    size_t used = 0;
    const long v = std::stol(text, &used);
    if (used != text.size() || v < low || v > high) return false;
    value = int32_t(v);
    return true;
  } catch (...) {
    return false;
  }
}

bool readOverrides(const zarnel::tools::CommandLine& line, zarnel::tools::AutoMixOverrides& overrides,
                   std::string& error) {
  for (const IntOption& o : kIntOptions) {
    const std::string* text = line.value(o.name);
    if (!text) continue;
    int32_t value = 0;
    if (!parseInt(*text, o.low, o.high, value)) {
      error = std::string(o.name) + " takes a number from " + std::to_string(o.low) + " to " + std::to_string(o.high);
      return false;
    }
    overrides.*o.field = value;
  }
  return true;
}

// A progress bar over itself on standard error.
void showProgress(double seconds, int32_t started, int32_t tracks) {
  constexpr int kWidth = 30;
  const int filled = tracks > 0 ? std::min(kWidth, started * kWidth / tracks) : 0;
  std::fprintf(stderr, "\r[%s%s] track %d of %d, %d:%02d mixed", std::string(size_t(filled), '#').c_str(),
               std::string(size_t(kWidth - filled), '.').c_str(), started, tracks, int(seconds) / 60,
               int(seconds) % 60);
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  zarnel::tools::CommandLine line;
  if (const int status = zarnel::tools::parseCommandLine(kTool, argc, argv, line); status >= 0) return status;
  const std::string* out = line.value("--out");
  if (!out || out->empty()) return zarnel::tools::usageError(kTool, "--out MIX.wav is required");
  zarnel::tools::AutoMixRenderOptions options;
  options.playlist = line.operands[0];
  std::string error;
  if (!readOverrides(line, options.overrides, error)) return zarnel::tools::usageError(kTool, error);
  if (zarnel::tools::sameFile(*out, options.playlist)) return fail(*out + " is the playlist; not written");

  zarnel::PosixPlatform platform;
  if (!zarnel::loadSettings(platform.services()))
    return fail("the program's settings are missing: run scripts/run.sh once to set Zarnel up");

  // The log goes to a safe file too: beside its target, renamed at the end.
  zarnel::tools::OutputFile logFile;
  if (const std::string* log = line.value("--log")) {
    if (!logFile.open(*log, {options.playlist, *out}, error)) return fail(error);
    options.log = [&logFile](const std::string& row) { std::fprintf(logFile.stream(), "%s\n", row.c_str()); };
  }
  // The recorder writes beside the target; a finished mix replaces it.
  const std::string partial = *out + ".partial.wav";
  options.out = partial;
  options.progress = showProgress;
  options.analysing = [](const std::string& path, int32_t count) {
    (void)count;
    std::fprintf(stderr, "analysing %s\n", path.c_str());
  };
  const zarnel::tools::AutoMixRenderResult result = zarnel::tools::renderAutoMix(platform.services(), options);
  std::fputc('\n', stderr);
  if (!result.ok) {
    std::remove(partial.c_str());
    return fail(result.error + "; " + *out + " is not written");
  }
  if (std::rename(partial.c_str(), out->c_str()) != 0) {
    std::remove(partial.c_str());
    return fail("cannot write " + *out);
  }
  if (logFile.isOpen() && !logFile.commit(error)) return fail(error);
  std::printf("wrote %s (%.1f s, %d transition%s)\n", out->c_str(), double(result.frames) / 44100.0,
              result.transitions, result.transitions == 1 ? "" : "s");
  if (result.beats.ticks > 0)
    std::printf("beats through the transitions: %.1f ms apart at most, %.1f ms on average (%d ticks)\n",
                result.beats.worstMs, result.beats.meanMs, result.beats.ticks);
  return 0;
}
