#include "tools/synth/DemoSong.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/common/WavWriter.h"

namespace zarnel::tools {

namespace {

constexpr double kRate = 44100.0;
constexpr double kTwoPi = 2.0 * M_PI;

double noteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

struct Mix {
  std::vector<float> left, right;
  explicit Mix(size_t frames) : left(frames), right(frames) {}
  void add(size_t at, float value, float pan) {
    if (at >= left.size()) return;
    left[at] += value * (1.0f - pan);
    right[at] += value * (1.0f + pan);
  }
};

class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
  float next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return float(int32_t(state_)) / 2147483648.0f;
  }

 private:
  uint32_t state_;
};

// Kick: a sine falling from 150 to 45 Hz with a fast decay.
void kick(Mix& mix, size_t at) {
  double phase = 0;
  for (int i = 0; i < 12000; ++i) {
    double t = i / kRate;
    double f = 45.0 + 105.0 * std::exp(-t * 30.0);
    phase += kTwoPi * f / kRate;
    mix.add(at + i, float(0.9 * std::sin(phase) * std::exp(-t * 7.0)), 0.0f);
  }
}

// Snare: a noise burst over a 190 Hz body.
void snare(Mix& mix, size_t at, Noise& noise) {
  for (int i = 0; i < 9000; ++i) {
    double t = i / kRate;
    double body = 0.3 * std::sin(kTwoPi * 190.0 * t) * std::exp(-t * 25.0);
    double hiss = 0.35 * noise.next() * std::exp(-t * 18.0);
    mix.add(at + i, float(body + hiss), 0.05f);
  }
}

// Hat: differentiated noise, short.
void hat(Mix& mix, size_t at, Noise& noise, bool open) {
  float last = 0;
  const double decay = open ? 12.0 : 60.0;
  for (int i = 0; i < (open ? 8000 : 2500); ++i) {
    float n = noise.next();
    float high = n - last;
    last = n;
    mix.add(at + i, float(0.12 * high * std::exp(-i / kRate * decay)), 0.25f);
  }
}

// Bass: a filtered saw with a plucked envelope.
void bass(Mix& mix, size_t at, size_t frames, double note) {
  const double f = noteHz(note);
  double phase = 0, low = 0;
  for (size_t i = 0; i < frames; ++i) {
    double t = i / kRate;
    phase += f / kRate;
    phase -= std::floor(phase);
    double saw = 2.0 * phase - 1.0;
    double cutoff = 0.02 + 0.15 * std::exp(-t * 8.0);
    low += cutoff * (saw - low);
    double env = std::min(1.0, t * 400.0) * std::exp(-t * 2.5);
    mix.add(at + i, float(0.45 * low * env), -0.05f);
  }
}

// Chord: three soft triangle voices, spread across the stereo field.
void chord(Mix& mix, size_t at, size_t frames, const int* notes) {
  for (int v = 0; v < 3; ++v) {
    const double f = noteHz(notes[v]);
    const float pan = float(v - 1) * 0.4f;
    for (size_t i = 0; i < frames; ++i) {
      double t = i / kRate;
      double p = std::fmod(f * t, 1.0);
      double tri = 4.0 * std::abs(p - 0.5) - 1.0;
      double env = std::min(1.0, t * 20.0) * std::min(1.0, double(frames - i) / 2000.0);
      mix.add(at + i, float(0.06 * tri * env), pan);
    }
  }
}

constexpr int kProgressions[3][4][3] = {
    {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}},  // Am F C G
    {{50, 53, 57}, {46, 50, 53}, {48, 52, 55}, {45, 49, 52}},  // Dm Bb C A
    {{52, 55, 59}, {48, 52, 55}, {50, 54, 57}, {47, 50, 54}},  // Em C D Bm
};
constexpr int kBassOffsets[3][4] = {{0, -4, -9, -2}, {0, -4, -2, -5}, {0, -4, -2, -5}};

void renderBar(Mix& mix, const SongRecipe& r, int32_t bar, Noise& noise) {
  const double beat = 60.0 / r.bpm * kRate;
  const size_t start = size_t(bar * 4 * beat);
  const int32_t section = (bar / 8) % 4;  // intro, groove, break, full
  const int32_t step = bar % 4;
  const int32_t prog = std::clamp(r.progression, 0, 2);
  for (int b = 0; b < 4; ++b) {
    size_t at = start + size_t(b * beat);
    if (section != 2) kick(mix, at);
    if (section >= 1 && (b == 1 || b == 3)) snare(mix, at, noise);
    hat(mix, at + size_t(beat / 2), noise, b == 3 && section == 3);
    if (section == 3) hat(mix, at, noise, false);
  }
  if (section >= 1) {
    const double root = r.rootNote + kBassOffsets[prog][step];
    for (int e = 0; e < 8; ++e) {
      double note = root + ((e % 4) == 3 ? 12 : 0);
      bass(mix, start + size_t(e * beat / 2), size_t(beat / 2 * 0.9), note);
    }
  }
  if (section >= 2) chord(mix, start, size_t(4 * beat), kProgressions[prog][step]);
}

}  // namespace

std::vector<int16_t> renderSong(const SongRecipe& r) {
  const double beat = 60.0 / r.bpm * kRate;
  const size_t frames = size_t(r.bars * 4 * beat) + 4410;
  Mix mix(frames);
  Noise noise(r.seed);
  for (int32_t bar = 0; bar < r.bars; ++bar) renderBar(mix, r, bar, noise);
  float top = 1e-6f;
  for (size_t i = 0; i < frames; ++i) top = std::max({top, std::abs(mix.left[i]), std::abs(mix.right[i])});
  const float scale = 29000.0f / top;  // normalise to about -1 dBFS
  std::vector<int16_t> out(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    out[2 * i] = int16_t(std::lround(mix.left[i] * scale));
    out[2 * i + 1] = int16_t(std::lround(mix.right[i] * scale));
  }
  return out;
}

bool writeWav(const std::string& path, const std::vector<int16_t>& stereo, std::string& error) {
  WavWriter wav(2, 44100);
  const size_t frames = stereo.size() / 2;
  if (!wav.open(path, {}, error)) return false;
  wav.expectFrames(int64_t(frames));
  return wav.write(stereo.data(), frames, error) &&
         wav.close(error);
}

}  // namespace zarnel::tools
