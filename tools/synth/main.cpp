// zarnel-synth [--samples] FOLDER: renders the demo tracks, or the sample
// players' sounds, into FOLDER.

#include <cstdio>
#include <string>

#include "tools/common/CommandLine.h"
#include "tools/synth/DemoSong.h"
#include "tools/synth/SoundSamples.h"

namespace {

const zarnel::tools::ToolInfo kTool{"zarnel-synth",
                                    "usage: zarnel-synth [--samples] [--] FOLDER\n"
                                    "  renders the demo songs into FOLDER as WAV files\n"
                                    "  --samples  renders the sample players' sounds instead\n",
                                    {{"--samples", false}},
                                    1,
                                    1};

// Writes one rendered file and names it. Return: false after saying why.
bool writeOne(const std::string& path, const std::vector<int16_t>& stereo) {
  std::string error;
  if (!zarnel::tools::writeWav(path, stereo, error)) {
    std::fprintf(stderr, "zarnel-synth: %s\n", error.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

int writeSamples(const std::string& folder) {
  for (const zarnel::tools::SoundSample& sample : zarnel::tools::renderSoundSamples()) {
    if (!writeOne(folder + "/" + sample.name + ".wav", sample.stereo)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  zarnel::tools::CommandLine line;
  if (const int status = zarnel::tools::parseCommandLine(kTool, argc, argv, line); status >= 0) return status;
  if (line.has("--samples")) return writeSamples(line.operands[0]);
  using zarnel::tools::SongRecipe;
  const SongRecipe songs[] = {
      {"Zarnel Demo - Night Drive (124 BPM)", 124.0, 48, 45, 0, 7},
      {"Zarnel Demo - Copper Lines (128 BPM)", 128.0, 48, 50, 1, 11},
      {"Zarnel Demo - Slow Tide (118 BPM)", 118.0, 40, 52, 2, 23},
  };
  for (const SongRecipe& song : songs) {
    if (!writeOne(line.operands[0] + "/" + song.name + ".wav", zarnel::tools::renderSong(song))) return 1;
  }
  return 0;
}
