#include "tools/play/OfflineMix.h"

#include <cstdio>
#include <memory>

#include "mixer/OutputEngines.h"
#include "platform/FloatMode.h"
#include "platform/virtual/VirtualSoundBuffer.h"
#include "tools/play/MixPlan.h"

namespace zarnel::tools {

namespace {

constexpr int32_t kLatency = 441;
constexpr int32_t kStep = 256;

// The mix played on a virtual card as fast as the machine allows; this
// thread plays the audio thread's part.
class OfflineSession {
 public:
  explicit OfflineSession(const PlatformServices& services) : plan_(services) {
    auto card = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, kLatency);
    card_ = card.get();
    engine_ = std::make_unique<SingleCardMasterEngine>(plan_.desk(0), plan_.desk(1), std::move(card));
    for (int32_t d = 0; d < 2; ++d) plan_.desk(d).setEngine(engine_.get());
    plan_.mixer().attach(engine_.get(), nullptr);
    plan_.mixer().sendAll();
  }
  ~OfflineSession() {
    for (int32_t d = 0; d < 2; ++d) plan_.desk(d).setEngine(nullptr);
  }

  OfflineMixResult run(const std::vector<std::string>& files, bool showStatus);

 private:
  void loopOnce() {
    card_->advance(kStep);
    engine_->updateCursorsRt();
    plan_.desk(0).serviceRt();
    plan_.desk(1).serviceRt();
    engine_->mixRt();
  }

  MixPlan plan_;
  VirtualSoundBuffer* card_ = nullptr;
  std::unique_ptr<SingleCardMasterEngine> engine_;
};

OfflineMixResult OfflineSession::run(const std::vector<std::string>& files, bool showStatus) {
  OfflineMixResult result;
  if (!plan_.load(files, result.error)) return result;
  plan_.start();
  int64_t frames = 0;
  while (!plan_.finished()) {
    // The crossfader moves in 100 ms steps, as a hand would: each move
    // re-mixes the buffer from the write cursor.
    if (frames % 4410 < kStep) plan_.step();
    loopOnce();
    frames += kStep;
    if (showStatus && frames % (44100 * 4) < kStep) plan_.printStatus(double(frames) / 44100.0);
  }
  // The mix began at the write cursor of the first loop, and the end was
  // detected at the write cursor of the last: play out what the card holds
  // up to there and keep just that stretch.
  for (int32_t left = kLatency; left > 0; left -= kStep) loopOnce();
  if (showStatus) {
    plan_.printStatus(double(frames) / 44100.0);
    std::fputc('\n', stderr);
  }
  const std::vector<int16_t>& played = card_->recorded();
  const size_t begin = std::min(played.size(), size_t(kStep + kLatency) * 2);
  const size_t end = std::min(played.size(), size_t(frames + kLatency) * 2);
  result.stereo.assign(played.begin() + long(begin), played.begin() + long(std::max(begin, end)));
  result.ok = true;
  return result;
}

}  // namespace

OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           bool showStatus) {
  if (files.empty() || files.size() > 2) return {false, "one or two files", {}};
  setAudioThreadFloatMode();
  OfflineSession session(services);
  return session.run(files, showStatus);
}

}  // namespace zarnel::tools
