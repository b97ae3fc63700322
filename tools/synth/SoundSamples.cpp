#include "tools/synth/SoundSamples.h"

#include <algorithm>

namespace zarnel::tools {

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;

// A sine of the phase in turns, from a polynomial on a quarter wave
// (error under 1e-6 of full scale).
double sine(double turns) {
  double x = turns - double(int64_t(turns));
  if (x < 0) x += 1.0;
  const double sign = x < 0.5 ? 1.0 : -1.0;
  if (x >= 0.5) x -= 0.5;
  if (x > 0.25) x = 0.5 - x;
  const double r = x * 2.0 * kPi, r2 = r * r;
  double term = r, sum = r;
  for (int n = 1; n < 8; ++n) {
    term *= -r2 / double((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sign * sum;
}

// Return: e^(-rate × t) per sample as one factor, from its series.
double decayFactor(double perSecond) {
  const double x = -perSecond / kRate;
  double term = 1.0, sum = 1.0;
  for (int n = 1; n < 10; ++n) {
    term *= x / double(n);
    sum += term;
  }
  return sum;
}

double saw(double phase) { return 2.0 * (phase - double(int64_t(phase))) - 1.0; }

class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(int32_t(state_)) / 2147483648.0;
  }

 private:
  uint32_t state_;
};

// A state-variable filter (Chamberlin): low-pass and band-pass outputs.
struct Svf {
  double low = 0, band = 0;
  // f: 2 sin(pi fc / rate); q: damping (2 = none, small = resonant).
  void step(double in, double f, double q) {
    low += f * band;
    band += f * (in - low - q * band);
  }
};

double svfCoefficient(double hz) { return 2.0 * sine(hz / kRate / 2.0); }

struct Track {
  std::vector<double> left, right;
  explicit Track(double seconds) : left(size_t(seconds * kRate)), right(size_t(seconds * kRate)) {}
  size_t frames() const { return left.size(); }
};

// A gain from 0 to 1 over `rise` seconds at the start and back over `fall` at the end.
double edges(size_t i, size_t frames, double rise, double fall) {
  const double t = double(i) / kRate, left = double(frames - i) / kRate;
  return std::min({1.0, t / rise, left / fall});
}

// Three blasts of a detuned brass chord, squashed for its bite.
Track airHorn() {
  Track out(1.9);
  const double blasts[3][2] = {{0.0, 0.22}, {0.30, 0.52}, {0.60, 1.85}};
  const double voices[4] = {415.0, 418.5, 523.0, 527.0};
  double phase[4] = {0, 0, 0, 0};
  double lowL = 0, lowR = 0;
  for (size_t i = 0; i < out.frames(); ++i) {
    const double t = double(i) / kRate;
    double gain = 0, since = 0;
    for (const auto& b : blasts) {
      if (t >= b[0] && t < b[1]) {
        since = t - b[0];
        gain = std::min({1.0, since / 0.008, (b[1] - t) / 0.03});
      }
    }
    const double bend = since < 0.04 ? 0.97 + 0.03 * since / 0.04 : 1.0;  // the reed comes up to pitch
    double l = 0, r = 0;
    for (int v = 0; v < 4; ++v) {
      phase[v] += voices[v] * bend / kRate;
      const double s = saw(phase[v]);
      (v % 2 == 0 ? l : r) += 0.8 * s;
      (v % 2 == 0 ? r : l) += 0.2 * s;
    }
    lowL += 0.35 * (l - lowL);
    lowR += 0.35 * (r - lowR);
    out.left[i] = gain * lowL / (1.0 + (lowL < 0 ? -lowL : lowL));
    out.right[i] = gain * lowR / (1.0 + (lowR < 0 ? -lowR : lowR));
  }
  return out;
}

// A wailing siren: the pitch sweeps 650..1200 Hz up and down twice, with a
// third harmonic for its hard edge.
Track siren() {
  Track out(2.6);
  double phase = 0;
  for (size_t i = 0; i < out.frames(); ++i) {
    const double t = double(i) / kRate;
    double cycle = t / 1.3 - double(int64_t(t / 1.3));
    const double sweep = cycle < 0.5 ? cycle * 2.0 : 2.0 - cycle * 2.0;
    phase += (650.0 + 550.0 * sweep) / kRate;
    const double v = (sine(phase) + 0.3 * sine(3.0 * phase)) * edges(i, out.frames(), 0.02, 0.08);
    out.left[i] = v;
    out.right[i] = 0.9 * v;
  }
  return out;
}

// One bar of a little groove (kick, hat and a minor chord), the rewind's source.
std::vector<double> groove(double seconds) {
  std::vector<double> src(size_t(seconds * kRate));
  Noise noise(17);
  const double beat = 0.375;  // 160 BPM
  double chordPhase[3] = {0, 0, 0};
  const double chord[3] = {220.0, 261.6, 329.6};
  for (size_t i = 0; i < src.size(); ++i) {
    const double t = double(i) / kRate;
    const double inBeat = t - beat * double(int64_t(t / beat));
    const double kickEnv = inBeat < 0.15 ? 1.0 - inBeat / 0.15 : 0.0;
    const double kick = kickEnv * kickEnv * sine(50.0 * inBeat + 40.0 * inBeat * (1.0 - inBeat / 0.3));
    const double off = inBeat - beat / 2;
    const double hat = off >= 0 && off < 0.04 ? noise.next() * (1.0 - off / 0.04) * 0.3 : 0.0;
    double pad = 0;
    for (int v = 0; v < 3; ++v) {
      chordPhase[v] += chord[v] / kRate;
      pad += 0.15 * saw(chordPhase[v]);
    }
    src[i] = 0.8 * kick + hat + pad;
  }
  return src;
}

// The groove played backwards, the tape speeding up from half to eight
// times as it spins back, with hiss that rises with the speed.
Track rewind() {
  const std::vector<double> src = groove(4.8);  // more than the 4.5 s the spin covers
  Track out(1.5);
  Noise hiss(5);
  double at = double(src.size()) - 2.0;
  for (size_t i = 0; i < out.frames() && at >= 1.0; ++i) {
    const double u = double(i) / double(out.frames());
    const double speed = 0.5 + 7.5 * u * u;
    const size_t k = size_t(at);
    const double f = at - double(k);
    const double v = src[k] * (1.0 - f) + src[k + 1] * f;
    const double h = hiss.next() * 0.05 * speed / 8.0;
    const double g = edges(i, out.frames(), 0.01, 0.15);
    out.left[i] = g * (v + h);
    out.right[i] = g * (v - h);
    at -= speed;
  }
  return out;
}

// A hand clap: four quick band-passed noise bursts, then the room's tail.
Track clap() {
  Track out(0.6);
  Noise nl(101), nr(202);
  Svf fl, fr;
  const double f = svfCoefficient(1300.0);
  const double burst = decayFactor(250.0), tail = decayFactor(18.0);
  double envBurst = 0, envTail = 0;
  const size_t starts[4] = {0, size_t(0.011 * kRate), size_t(0.022 * kRate), size_t(0.034 * kRate)};
  for (size_t i = 0; i < out.frames(); ++i) {
    for (size_t s : starts)
      if (i == s) envBurst = 1.0;
    if (i == starts[3]) envTail = 0.6;
    envBurst *= burst;
    envTail *= tail;
    const double e = envBurst + envTail;
    fl.step(nl.next() * e, f, 0.7);
    fr.step(nr.next() * e, f, 0.7);
    out.left[i] = fl.band;
    out.right[i] = fr.band;
  }
  return out;
}

// A minor-seventh synth chord through a resonant low-pass that closes fast.
Track stab() {
  Track out(0.9);
  const double notes[5] = {130.81, 261.63, 311.13, 392.0, 466.16};  // C3, C4 Eb4 G4 Bb4
  double pl[5] = {}, pr[5] = {};
  Svf fl, fr;
  const double cutoffFall = decayFactor(9.0), ampFall = decayFactor(4.5);
  double cutoff = 5000.0, amp = 1.0;
  for (size_t i = 0; i < out.frames(); ++i) {
    double l = 0, r = 0;
    for (int v = 0; v < 5; ++v) {
      pl[v] += notes[v] * 0.998 / kRate;
      pr[v] += notes[v] * 1.002 / kRate;
      l += saw(pl[v]);
      r += saw(pr[v]);
    }
    const double f = svfCoefficient(cutoff + 300.0);
    fl.step(l * 0.2, f, 0.5);
    fr.step(r * 0.2, f, 0.5);
    const double g = amp * edges(i, out.frames(), 0.003, 0.05);
    out.left[i] = g * fl.low;
    out.right[i] = g * fr.low;
    cutoff *= cutoffFall;
    amp *= ampFall;
  }
  return out;
}

// Scales the track so that its peak is kSamplePeak, rounding half away from zero.
std::vector<int16_t> toPcm(const Track& t) {
  double top = 1e-9;
  for (size_t i = 0; i < t.frames(); ++i) {
    top = std::max({top, t.left[i] < 0 ? -t.left[i] : t.left[i], t.right[i] < 0 ? -t.right[i] : t.right[i]});
  }
  const double scale = kSamplePeak / top;
  auto round = [](double v) { return int16_t(v < 0 ? int32_t(v - 0.5) : int32_t(v + 0.5)); };
  std::vector<int16_t> out(t.frames() * 2);
  for (size_t i = 0; i < t.frames(); ++i) {
    out[2 * i] = round(t.left[i] * scale);
    out[2 * i + 1] = round(t.right[i] * scale);
  }
  return out;
}

}  // namespace

std::vector<SoundSample> renderSoundSamples() {
  std::vector<SoundSample> out;
  out.push_back({"Air Horn", toPcm(airHorn())});
  out.push_back({"Siren", toPcm(siren())});
  out.push_back({"Rewind", toPcm(rewind())});
  out.push_back({"Clap", toPcm(clap())});
  out.push_back({"Stab", toPcm(stab())});
  return out;
}

}  // namespace zarnel::tools
