#include "tools/play/OfflineMix.h"

#include <algorithm>
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
constexpr int64_t kFirstFrame = kStep + kLatency;  // the card frame the mix begins at

class CollectingSink : public MixSink {
 public:
  explicit CollectingSink(std::vector<int16_t>& into) : into_(into) {}
  bool write(const int16_t* stereo, size_t frames, std::string&) override {
    into_.insert(into_.end(), stereo, stereo + frames * 2);
    return true;
  }

 private:
  std::vector<int16_t>& into_;
};

// The mix played on a virtual card as fast as the machine allows; this
// thread plays the audio thread's part.
class OfflineSession {
 public:
  OfflineSession(const PlatformServices& services, MixSink& sink) : plan_(services), sink_(sink) {
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

  OfflineMixResult run(const std::vector<std::string>& files, const OfflineMixOptions& options);

 private:
  bool loopOnce(int64_t keepBefore, std::string& error) {
    card_->advance(kStep);
    engine_->updateCursorsRt();
    plan_.desk(0).serviceRt();
    plan_.desk(1).serviceRt();
    engine_->mixRt();
    return drain(keepBefore, error);
  }
  bool drain(int64_t keepBefore, std::string& error);
  bool playThrough(const OfflineMixOptions& options, int64_t bound, OfflineMixResult& result);
  void printStatus(bool show, bool last) const;

  MixPlan plan_;
  MixSink& sink_;
  VirtualSoundBuffer* card_ = nullptr;
  std::unique_ptr<SingleCardMasterEngine> engine_;
  int64_t mixed_ = 0;   // card frames the loop has mixed
  int64_t played_ = 0;  // card frames taken from the recording
  int64_t given_ = 0;   // frames given to the sink
};

// Hands what the card played since the last call to the sink, keeping the
// card frames from kFirstFrame up to keepBefore, and empties the recording
// so it never holds more than one step.
bool OfflineSession::drain(int64_t keepBefore, std::string& error) {
  const std::vector<int16_t>& played = card_->recorded();
  const int64_t count = int64_t(played.size() / 2);
  const int64_t from = std::clamp(kFirstFrame - played_, int64_t(0), count);
  const int64_t to = std::clamp(keepBefore - played_, from, count);
  bool ok = true;
  if (to > from) {
    ok = sink_.write(played.data() + from * 2, size_t(to - from), error);
    given_ += to - from;
  }
  played_ += count;
  card_->clearRecorded();
  return ok;
}

bool OfflineSession::playThrough(const OfflineMixOptions& options, int64_t bound, OfflineMixResult& result) {
  const int64_t open = INT64_MAX;
  while (!plan_.finished()) {
    if (options.stop != nullptr && options.stop->load()) {
      result.error = "interrupted";
      return false;
    }
    if (given_ > bound) {
      result.error = "the mix did not end within " + std::to_string(bound / 44100) +
                     " s, more than its tracks can last; stopped";
      return false;
    }
    // The crossfader moves in 100 ms steps, as a hand would: each move
    // re-mixes the buffer from the write cursor.
    if (mixed_ % 4410 < kStep) plan_.step();
    if (!loopOnce(open, result.error)) return false;
    mixed_ += kStep;
    printStatus(options.showStatus && mixed_ % (44100 * 4) < kStep, false);
  }
  return true;
}

OfflineMixResult OfflineSession::run(const std::vector<std::string>& files, const OfflineMixOptions& options) {
  OfflineMixResult result;
  if (!plan_.load(files, result.error)) return result;
  int64_t bound = plan_.frameBound();
  if (options.maxFrames >= 0) bound = std::min(bound, options.maxFrames);
  sink_.expect(bound + kFirstFrame + kStep);
  plan_.start();
  if (!playThrough(options, bound, result)) return result;
  // The mix began at the write cursor of the first loop, and the end was
  // detected at the write cursor of the last: play out what the card holds
  // up to there and keep just that stretch.
  for (int32_t left = kLatency; left > 0; left -= kStep) {
    if (!loopOnce(mixed_ + kLatency, result.error)) return result;
  }
  printStatus(options.showStatus, true);
  result.frames = given_;
  result.ok = true;
  return result;
}

void OfflineSession::printStatus(bool show, bool last) const {
  if (!show) return;
  plan_.printStatus(double(mixed_) / 44100.0);
  if (last) std::fputc('\n', stderr);
}

}  // namespace

OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           const OfflineMixOptions& options, MixSink& sink) {
  if (files.empty() || files.size() > 2) return {false, "one or two files", {}, 0};
  setAudioThreadFloatMode();
  OfflineSession session(services, sink);
  return session.run(files, options);
}

OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           bool showStatus) {
  std::vector<int16_t> stereo;
  CollectingSink sink(stereo);
  OfflineMixOptions options;
  options.showStatus = showStatus;
  OfflineMixResult result = renderMix(services, files, options, sink);
  result.stereo = std::move(stereo);
  return result;
}

}  // namespace zarnel::tools
