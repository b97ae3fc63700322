#include "mixer/SoundOutput.h"

#include <chrono>
#include <system_error>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/AudioThread.h"
#include "platform/FloatMode.h"
#include "platform/ThreadControl.h"

namespace zarnel {

SoundOutput::SoundOutput(Desk& desk1, Desk& desk2, const PlatformServices& services)
    : desks_{&desk1, &desk2}, services_(services) {}

SoundOutput::~SoundOutput() { stop(); }

bool SoundOutput::start() {
  stop();
  clearFatalError();
  std::unique_ptr<OutputEngine> engine = createOutputEngine(settings().outputMode, *desks_[0], *desks_[1]);
  if (!engine->open(services_)) return false;
  return startEngine(std::move(engine));
}

bool SoundOutput::startOrFallBack() {
  if (start()) return true;
  const int32_t first = fatalError();
  settings().outputMode = 0;
  settings().soundCardGuid.reset();
  std::unique_ptr<OutputEngine> engine = createOutputEngine(0, *desks_[0], *desks_[1]);
  const bool ok = engine->open(services_) && startEngine(std::move(engine));
  clearFatalError();
  setFatalError(first);
  return ok;
}

bool SoundOutput::startEngine(std::unique_ptr<OutputEngine> engine) {
  engine_ = std::move(engine);
  engine_->attachSamples(samples_);
  attachDesks(engine_.get(), !byCaller_);
  stop_.store(false);
  if (byCaller_) return true;
  try {
    thread_ = std::thread([this] { runRt(); });
  } catch (const std::system_error&) {
    attachDesks(nullptr, false);
    engine_.reset();
    setFatalError(kErrorMultiThread);
    return false;
  }
  return true;
}

void SoundOutput::stop() {
  if (thread_.joinable()) {
    stop_.store(true);
    thread_.join();
  }
  if (engine_) attachDesks(nullptr, false);
  engine_.reset();
}

void SoundOutput::attachDesks(OutputEngine* engine, bool serviced) {
  for (Desk* desk : desks_) {
    desk->setServiced(serviced);
    desk->setEngine(engine);
  }
}

void SoundOutput::resendParameters(MixerState& mixer) {
  mixer.setEngine(engine_.get());
  mixer.sendAll();
  if (!engine_) return;
  for (Desk* desk : desks_)
    if (desk->playing()) engine_->deskStarted(desk->index());
}

void SoundOutput::stepRt() {
  if (!engine_) return;
  engine_->updateCursorsRt();
  desks_[0]->serviceRt();
  desks_[1]->serviceRt();
  engine_->mixRt();
}

// The audio thread: cursors, desk services, mixing pass, then a 1 ms rest.
void SoundOutput::runRt() {
  const AudioThreadTag tag;  // debug builds: I/O, locks and allocations below assert
  if (services_.threads) services_.threads->setTimeCritical();
  setAudioThreadFloatMode();
  OutputEngine& engine = *engine_;
  while (!stop_.load(std::memory_order_relaxed)) {
    engine.updateCursorsRt();
    desks_[0]->serviceRt();
    desks_[1]->serviceRt();
    engine.mixRt();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace zarnel
