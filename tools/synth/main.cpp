// zarnel-synth FOLDER: renders the demo tracks into FOLDER.

#include <cstdio>
#include <string>

#include "tools/synth/DemoSong.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnel-synth FOLDER\n");
    return 2;
  }
  using zarnel::tools::SongRecipe;
  const SongRecipe songs[] = {
      {"Zarnel Demo - Night Drive (124 BPM)", 124.0, 48, 45, 0, 7},
      {"Zarnel Demo - Copper Lines (128 BPM)", 128.0, 48, 50, 1, 11},
      {"Zarnel Demo - Slow Tide (118 BPM)", 118.0, 40, 52, 2, 23},
  };
  for (const SongRecipe& song : songs) {
    std::string path = std::string(argv[1]) + "/" + song.name + ".wav";
    if (!zarnel::tools::writeWav(path, zarnel::tools::renderSong(song))) {
      std::fprintf(stderr, "zarnel-synth: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%s\n", path.c_str());
  }
  return 0;
}
