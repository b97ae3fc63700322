// zarnel-play [--out MIX.wav] FILE1 [FILE2]
// Loads FILE1 on desk 1 and FILE2 on desk 2 and mixes them: desk 1 plays,
// desk 2 comes in at two thirds of desk 1 with a slow crossfade. Without
// --out it plays on the default sound output until the end or Ctrl-C; with
// --out it renders the mix to a WAV file as fast as the machine allows,
// streaming it to disk; MIX.wav is replaced only by a finished mix.

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/posix/PosixPlatform.h"
#include "tools/common/CommandLine.h"
#include "tools/common/WavWriter.h"
#include "tools/play/LiveMix.h"
#include "tools/play/OfflineMix.h"

namespace {

std::atomic<bool> gStop{false};

void onInterrupt(int) { gStop.store(true); }

const zarnel::tools::ToolInfo kTool{
    "zarnel-play",
    "usage: zarnel-play [--out MIX.wav] [--] FILE1 [FILE2]\n"
    "  mixes FILE1 into FILE2 on the sound output, or renders the mix to MIX.wav\n",
    {{"--out", true}},
    1,
    2};

class WavSink : public zarnel::tools::MixSink {
 public:
  explicit WavSink(zarnel::tools::WavWriter& wav) : wav_(wav) {}
  void expect(int64_t maxFrames) override { wav_.expectFrames(maxFrames); }
  bool write(const int16_t* stereo, size_t frames, std::string& error) override {
    return wav_.write(stereo, frames, error);
  }

 private:
  zarnel::tools::WavWriter& wav_;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "zarnel-play: %s\n", message.c_str());
  return 1;
}

int render(zarnel::PosixPlatform& platform, const std::vector<std::string>& files, const std::string& out) {
  zarnel::tools::WavWriter wav(2, 44100);
  std::string error;
  if (!wav.open(out, files, error)) return fail(error);
  WavSink sink(wav);
  zarnel::tools::OfflineMixOptions options;
  options.showStatus = true;
  options.stop = &gStop;
  const zarnel::tools::OfflineMixResult mix = zarnel::tools::renderMix(platform.services(), files, options, sink);
  if (!mix.ok) return fail(mix.error + "; " + out + " is not written");
  if (!wav.close(error)) return fail(error);
  if (wav.rf64()) {
    std::fprintf(stderr, "zarnel-play: the mix is longer than a WAV file's 32-bit sizes allow: %s is written as "
                 "RF64 (64-bit sizes), which some programs cannot read\n", out.c_str());
  }
  std::printf("wrote %s (%.1f s)\n", out.c_str(), double(mix.frames) / 44100.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  zarnel::tools::CommandLine line;
  if (const int status = zarnel::tools::parseCommandLine(kTool, argc, argv, line); status >= 0) return status;
  std::signal(SIGINT, onInterrupt);
  std::signal(SIGTERM, onInterrupt);
  zarnel::PosixPlatform platform;
  if (const std::string* out = line.value("--out")) {
    if (out->empty()) return zarnel::tools::usageError(kTool, "--out needs a file name");
    return render(platform, line.operands, *out);
  }
  std::string error;
  const int status = zarnel::tools::playLive(platform.services(), line.operands, gStop, error);
  if (status != 0) std::fprintf(stderr, "zarnel-play: %s\n", error.c_str());
  return status;
}
