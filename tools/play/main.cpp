// zarnel-play [--out MIX.wav] FILE1 [FILE2]
// Loads FILE1 on desk 1 and FILE2 on desk 2 and mixes them: desk 1 plays,
// desk 2 comes in at two thirds of desk 1 with a slow crossfade.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/PosixPlatform.h"
#include "tools/play/OfflineMix.h"
#include "tools/synth/DemoSong.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: zarnel-play --out MIX.wav FILE1 [FILE2]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
    } else if (argv[i][0] == '-') {
      return usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.empty() || files.size() > 2) return usage();
  if (out.empty()) {
    std::fprintf(stderr, "zarnel-play: live output to the sound card is not available yet; use --out\n");
    return 2;
  }
  zarnel::PosixPlatform platform;
  zarnel::tools::OfflineMixResult mix = zarnel::tools::renderMix(platform.services(), files, true);
  if (!mix.ok) {
    std::fprintf(stderr, "zarnel-play: %s\n", mix.error.c_str());
    return 1;
  }
  if (!zarnel::tools::writeWav(out, mix.stereo)) {
    std::fprintf(stderr, "zarnel-play: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("wrote %s (%.1f s)\n", out.c_str(), double(mix.stereo.size() / 2) / 44100.0);
  return 0;
}
