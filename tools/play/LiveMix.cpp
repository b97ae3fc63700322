#include "tools/play/LiveMix.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "app/SystemVolumeGuard.h"
#include "mixer/SoundOutput.h"
#include "tools/play/MixPlan.h"

namespace zarnel::tools {

namespace {

const char* soundErrorText(int32_t code) {
  switch (code) {
    case kErrorMultiThread:
      return "the audio thread could not start";
    case kErrorDirectSoundUsed:
      return "the sound card is already used by another application";
    case kErrorDirectSoundMemory:
      return "the sound driver ran out of memory";
    default:
      return "the sound output could not be opened";
  }
}

}  // namespace

int playLive(const PlatformServices& services, const std::vector<std::string>& files,
             const std::atomic<bool>& stop, std::string& error) {
  SystemVolumeGuard volumes(services.mixer);
  MixPlan plan(services);
  settings().outputMode = 0;
  SoundOutput output(plan.desk(0), plan.desk(1), services);
  if (!output.start()) {
    error = soundErrorText(fatalError());
    return 1;
  }
  output.resendParameters(plan.mixer());
  if (!plan.load(files, error)) return 1;
  plan.start();
  const auto begin = std::chrono::steady_clock::now();
  int32_t ticks = 0;
  while (!plan.finished() && !stop.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (++ticks % 2 == 0) plan.step();  // 100 ms steps, as a hand would move it
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
    plan.printStatus(elapsed.count());
  }
  std::fputc('\n', stderr);
  output.stop();
  return 0;
}

}  // namespace zarnel::tools
