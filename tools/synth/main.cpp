// zarnel-synth FOLDER: renders the demo tracks into FOLDER.

#include <cstdio>
#include <string>

#include "tools/common/CommandLine.h"
#include "tools/synth/DemoSong.h"

namespace {

const zarnel::tools::ToolInfo kTool{"zarnel-synth",
                                    "usage: zarnel-synth [--] FOLDER\n"
                                    "  renders the demo songs into FOLDER as WAV files\n",
                                    {},
                                    1,
                                    1};

}  // namespace

int main(int argc, char** argv) {
  zarnel::tools::CommandLine line;
  if (const int status = zarnel::tools::parseCommandLine(kTool, argc, argv, line); status >= 0) return status;
  using zarnel::tools::SongRecipe;
  const SongRecipe songs[] = {
      {"Zarnel Demo - Night Drive (124 BPM)", 124.0, 48, 45, 0, 7},
      {"Zarnel Demo - Copper Lines (128 BPM)", 128.0, 48, 50, 1, 11},
      {"Zarnel Demo - Slow Tide (118 BPM)", 118.0, 40, 52, 2, 23},
  };
  for (const SongRecipe& song : songs) {
    const std::string path = line.operands[0] + "/" + song.name + ".wav";
    std::string error;
    if (!zarnel::tools::writeWav(path, zarnel::tools::renderSong(song), error)) {
      std::fprintf(stderr, "zarnel-synth: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
