#include "support/mix/MixHarness.h"

#include <cmath>
#include <cstdlib>

#include "app/Settings.h"
#include "support/WavBuilder.h"

namespace zarnel::test {

MixHarness::MixHarness() {
  settings().resetToDefaults();
  DeskLinks links;
  links.services.files = &files;
  links.poster = &poster;
  for (int32_t d = 0; d < 2; ++d) desk[d] = std::make_unique<Desk>(d, links);
  auto card = std::make_unique<VirtualSoundBuffer>(kMixRingFrames, 2, kLatency);
  card_ = card.get();
  engine = std::make_unique<SingleCardMasterEngine>(*desk[0], *desk[1], std::move(card));
  for (auto& d : desk) d->setEngine(engine.get());
  mixer.attach(engine.get(), nullptr);
  mixer.sendAll();
}

MixHarness::~MixHarness() {
  for (auto& d : desk) d->setEngine(nullptr);
}

void MixHarness::addWav(const std::string& path, const std::vector<int16_t>& samples) {
  files.put(path, makeWav(WavSpec{}, toBytes(samples)));
}

bool MixHarness::load(int32_t d, const std::string& path) {
  return desk[d]->load("title", "author", path.c_str(), nullptr);
}

void MixHarness::loopOnce() {
  engine->updateCursorsRt();
  desk[0]->serviceRt();
  desk[1]->serviceRt();
  engine->mixRt();
}

void MixHarness::run(int32_t frames, int32_t step) {
  while (frames > 0) {
    int32_t n = std::min(frames, step);
    card_->advance(n);
    loopOnce();
    frames -= n;
  }
}

double measureFrequency(const std::vector<int16_t>& stereo, int32_t channel, size_t from, size_t to) {
  double first = -1, last = -1;
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i) {
    int32_t a = stereo[2 * (i - 1) + channel], b = stereo[2 * i + channel];
    if (a < 0 && b >= 0) {
      double at = double(i - 1) + double(-a) / double(b - a);
      if (first < 0) first = at;
      last = at;
      ++crossings;
    }
  }
  if (crossings < 2) return 0.0;
  return (crossings - 1) * 44100.0 / (last - first);
}

double toneAmplitude(const std::vector<int16_t>& stereo, int32_t channel, double freq, size_t from,
                     size_t to) {
  const double w = 2 * M_PI * freq / 44100.0;
  double re = 0, im = 0;
  for (size_t i = from; i < to; ++i) {
    double x = stereo[2 * i + channel];
    re += x * std::cos(w * double(i));
    im -= x * std::sin(w * double(i));
  }
  return 2.0 * std::hypot(re, im) / double(to - from);
}

int32_t peak(const std::vector<int16_t>& stereo, int32_t channel, size_t from, size_t to) {
  int32_t best = 0;
  for (size_t i = from; i < to; ++i) best = std::max(best, std::abs(int32_t(stereo[2 * i + channel])));
  return best;
}

}  // namespace zarnel::test
