#include "bench/BenchRig.h"

#include <cmath>

namespace zarnel::bench {

std::vector<uint8_t> stereoWav(const std::vector<int16_t>& stereo) {
  const uint32_t dataBytes = uint32_t(stereo.size() * 2);
  std::vector<uint8_t> f;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) f.push_back(uint8_t(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) {
    f.push_back(uint8_t(v));
    f.push_back(uint8_t(v >> 8));
  };
  for (char c : {'R', 'I', 'F', 'F'}) f.push_back(uint8_t(c));
  put32(36 + dataBytes);
  for (char c : {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '}) f.push_back(uint8_t(c));
  put32(16);
  put16(1);
  put16(2);
  put32(44100);
  put32(176400);
  put16(4);
  put16(16);
  for (char c : {'d', 'a', 't', 'a'}) f.push_back(uint8_t(c));
  put32(dataBytes);
  for (int16_t s : stereo) put16(uint16_t(s));
  return f;
}

std::vector<uint8_t> toneWav(int32_t seconds, double freq) {
  const uint32_t frames = uint32_t(seconds) * 44100;
  std::vector<int16_t> stereo;
  stereo.reserve(size_t(frames) * 2);
  for (uint32_t i = 0; i < frames; ++i) {
    double env = 0.5 + 0.5 * std::cos(2 * M_PI * 2.0 * i / 44100.0);
    auto s = int16_t(12000 * env * std::sin(2 * M_PI * freq * i / 44100.0));
    stereo.push_back(s);
    stereo.push_back(s);
  }
  return stereoWav(stereo);
}

BenchDesks::BenchDesks() {
  files.put("a.wav", toneWav(30, 440));
  files.put("b.wav", toneWav(30, 660));
  DeskLinks links;
  links.services.files = &files;
  desk1 = std::make_unique<Desk>(0, links);
  desk2 = std::make_unique<Desk>(1, links);
}

BenchDesks::~BenchDesks() {
  desk1->setEngine(nullptr);
  desk2->setEngine(nullptr);
}

void BenchDesks::loadAndPlay(int32_t pitch) {
  desk1->load("a", "", "a.wav", nullptr);
  desk2->load("b", "", "b.wav", nullptr);
  desk1->setPitch(pitch);
  desk2->setPitch(pitch);
  desk1->play();
  desk2->play();
}

void BenchDesks::rewindIfDone() {
  if (!done()) return;
  desk1->stopAndSeek(0.0f);
  desk2->stopAndSeek(0.0f);
  desk1->play();
  desk2->play();
}

}  // namespace zarnel::bench
