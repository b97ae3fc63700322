// zarnel-play [--out MIX.wav] FILE1 [FILE2]
// Loads FILE1 on desk 1 and FILE2 on desk 2 and mixes them: desk 1 plays,
// desk 2 comes in at two thirds of desk 1 with a slow crossfade. Without
// --out it plays on the default sound output until the end or Ctrl-C; with
// --out it renders the mix to a WAV file as fast as the machine allows.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/PosixPlatform.h"
#include "tools/play/LiveMix.h"
#include "tools/play/OfflineMix.h"
#include "tools/synth/DemoSong.h"

namespace {

std::atomic<bool> gStop{false};

void onInterrupt(int) { gStop.store(true); }

int usage() {
  std::fprintf(stderr, "usage: zarnel-play [--out MIX.wav] FILE1 [FILE2]\n");
  return 2;
}

int render(zarnel::PosixPlatform& platform, const std::vector<std::string>& files, const std::string& out) {
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
  zarnel::PosixPlatform platform;
  if (!out.empty()) return render(platform, files, out);
  std::signal(SIGINT, onInterrupt);
  std::signal(SIGTERM, onInterrupt);
  std::string error;
  int status = zarnel::tools::playLive(platform.services(), files, gStop, error);
  if (status != 0) std::fprintf(stderr, "zarnel-play: %s\n", error.c_str());
  return status;
}
