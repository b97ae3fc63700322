#include "tools/play/OfflineMix.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "app/Settings.h"
#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/FloatMode.h"
#include "platform/MessagePoster.h"
#include "platform/virtual/VirtualSoundBuffer.h"

namespace zarnel::tools {

namespace {

constexpr int32_t kLatency = 441;
constexpr int32_t kStep = 256;

class EndWatcher : public MessagePoster {
 public:
  void post(uint32_t message, int32_t wparam, int32_t) override {
    if (message == kMsgTrackEnded && (wparam == 0 || wparam == 1)) ended[wparam] = true;
  }
  std::atomic<bool> ended[2] = {false, false};
};

class OfflineSession {
 public:
  explicit OfflineSession(const PlatformServices& services) {
    DeskLinks links;
    links.services = services;
    links.poster = &watcher_;
    desks_[0] = std::make_unique<Desk>(0, links);
    desks_[1] = std::make_unique<Desk>(1, links);
    auto card = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, kLatency);
    card_ = card.get();
    engine_ = std::make_unique<SingleCardMasterEngine>(*desks_[0], *desks_[1], std::move(card));
    for (auto& desk : desks_) desk->setEngine(engine_.get());
    mixer_.attach(engine_.get(), nullptr);
    mixer_.sendAll();
    mixer_.setCrossfader(0);
  }
  ~OfflineSession() {
    for (auto& desk : desks_) desk->setEngine(nullptr);
  }

  OfflineMixResult run(const std::vector<std::string>& files, bool showStatus);

 private:
  void loopOnce() {
    card_->advance(kStep);
    engine_->updateCursorsRt();
    desks_[0]->serviceRt();
    desks_[1]->serviceRt();
    engine_->mixRt();
  }
  void moveCrossfader();
  void status(int64_t frames);

  EndWatcher watcher_;
  std::unique_ptr<Desk> desks_[2];
  VirtualSoundBuffer* card_ = nullptr;
  std::unique_ptr<SingleCardMasterEngine> engine_;
  MixerState mixer_;
  bool secondStarted_ = false;
  float fadeFrom_ = 0.0f;
};

void OfflineSession::moveCrossfader() {
  Desk& first = *desks_[0];
  if (!secondStarted_) {
    if (first.position() < 2.0f / 3.0f) return;
    desks_[1]->play();
    secondStarted_ = true;
    fadeFrom_ = first.position();
  }
  // Across the last third of desk 1's track, from desk 1 to desk 2.
  float p = first.position() < 0 ? 1.0f : (first.position() - fadeFrom_) / (1.0f - fadeFrom_);
  mixer_.setCrossfader(int32_t(4096 * std::min(std::max(p, 0.0f), 1.0f)));
}

void OfflineSession::status(int64_t frames) {
  std::fprintf(stderr, "\r%6.1f s  desk 1 %5.1f%%  desk 2 %5.1f%%  crossfader %4d  pitch %d/%d ",
               double(frames) / 44100.0, 100.0 * std::max(0.0f, desks_[0]->position()),
               100.0 * std::max(0.0f, desks_[1]->position()), mixer_.crossfader(),
               desks_[0]->pitch(), desks_[1]->pitch());
}

OfflineMixResult OfflineSession::run(const std::vector<std::string>& files, bool showStatus) {
  OfflineMixResult result;
  const size_t count = std::min<size_t>(files.size(), 2);
  for (size_t d = 0; d < count; ++d) {
    if (!desks_[d]->load(files[d].c_str(), "", files[d].c_str(), nullptr)) {
      result.error = "cannot open " + files[d];
      return result;
    }
  }
  desks_[0]->play();
  int64_t frames = 0;
  auto finished = [&] {
    return watcher_.ended[0] && (count < 2 || (secondStarted_ && watcher_.ended[1]));
  };
  while (!finished()) {
    // The crossfader moves in 100 ms steps, as a hand would: each move
    // re-mixes the buffer from the write cursor.
    if (count == 2 && frames % 4410 < kStep) moveCrossfader();
    loopOnce();
    frames += kStep;
    if (showStatus && frames % (44100 * 4) < kStep) status(frames);
  }
  // The end was detected at the write cursor; play out what the card still holds.
  for (int32_t left = kLatency; left > 0; left -= kStep) loopOnce();
  if (showStatus) {
    status(frames);
    std::fputc('\n', stderr);
  }
  const std::vector<int16_t>& played = card_->recorded();
  const size_t skip = std::min(played.size(), size_t(kLatency) * 2);
  const size_t keep = std::min(played.size(), size_t(frames) * 2);
  result.stereo.assign(played.begin() + skip, played.begin() + std::max(skip, keep));
  result.ok = true;
  return result;
}

}  // namespace

OfflineMixResult renderMix(const PlatformServices& services, const std::vector<std::string>& files,
                           bool showStatus) {
  if (files.empty() || files.size() > 2) return {false, "one or two files", {}};
  setAudioThreadFloatMode();  // this thread plays the audio thread's part
  OfflineSession session(services);
  return session.run(files, showStatus);
}

}  // namespace zarnel::tools
