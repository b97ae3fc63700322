#include "support/mix/EngineRig.h"

#include <cmath>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "support/WavBuilder.h"

namespace zarnel::test {

EngineRig::EngineRig() {
  settings().resetToDefaults();
  settings().equalizer = 0;
  clearFatalError();
  services.files = &files;
  services.sound = &sound;
  services.threads = &threads;
  DeskLinks links;
  links.services = services;
  for (int32_t d = 0; d < 2; ++d) desk[d] = std::make_unique<Desk>(d, links);
  files.put("one.wav", makeWav({}, toBytes(stereoSine(44100 * 20, kFrequencies[0], kFrequencies[1], kAmplitude))));
  files.put("two.wav", makeWav({}, toBytes(stereoSine(44100 * 20, kFrequencies[2], kFrequencies[3], kAmplitude))));
}

EngineRig::~EngineRig() {
  for (auto& d : desk) d->setEngine(nullptr);
}

bool EngineRig::open(int32_t mode) {
  for (auto& d : desk) d->setEngine(nullptr);
  engine = createOutputEngine(mode, *desk[0], *desk[1]);
  const bool ok = engine->open(services);
  for (auto& d : desk) d->setEngine(engine.get());
  mixer.attach(engine.get(), nullptr);
  mixer.sendAll();
  return ok;
}

void EngineRig::playBoth() {
  desk[0]->load("one", "", "one.wav", nullptr);
  desk[1]->load("two", "", "two.wav", nullptr);
  mixer.setCrossfaderMode(1);
  desk[0]->play();
  desk[1]->play();
}

void EngineRig::run(int32_t frames, int32_t step) {
  for (; frames > 0; frames -= step) {
    sound.advance(step);
    engine->updateCursorsRt();
    desk[0]->serviceRt();
    desk[1]->serviceRt();
    engine->mixRt();
  }
}

std::vector<std::vector<int16_t>> EngineRig::channels() const {
  std::vector<std::vector<int16_t>> out;
  for (const VirtualSoundDevice* device : sound.openDevices()) {
    for (const VirtualSoundBuffer* buffer : device->buffers()) {
      const int32_t n = buffer->channels();
      const auto& rec = buffer->recorded();
      for (int32_t c = 0; c < n; ++c) {
        std::vector<int16_t> mono;
        for (size_t i = size_t(c); i < rec.size(); i += size_t(n)) mono.push_back(rec[i]);
        out.push_back(std::move(mono));
      }
    }
  }
  return out;
}

double amplitude(const std::vector<int16_t>& mono, double freq, size_t from) {
  const double w = 2 * M_PI * freq / 44100.0;
  double re = 0, im = 0;
  for (size_t i = from; i < mono.size(); ++i) {
    re += mono[i] * std::cos(w * double(i));
    im -= mono[i] * std::sin(w * double(i));
  }
  return 2.0 * std::hypot(re, im) / double(mono.size() - from);
}

}  // namespace zarnel::test
