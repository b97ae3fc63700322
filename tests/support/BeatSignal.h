#pragma once
// Steady beats for the beat analyser's tests: kick drums (a falling sine
// that dies away) or clicks (short square bursts) at a tempo, as
// interleaved 44100 Hz stereo. Left and right differ a little so that a
// channel mix-up would show.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace zarnel::test {

enum class Beat { kKick, kClick };

struct BeatTrack {
  double bpm = 120.0;
  double seconds = 20.0;
  double firstBeat = 0.25;  // seconds
  double amplitude = 24000.0;
  Beat beat = Beat::kKick;
  double lastBeat = 1e9;    // no beat starts after this (seconds)
};

inline void addKick(std::vector<int16_t>& out, int64_t start, double amplitude) {
  const int64_t frames = int64_t(out.size() / 2);
  double phase = 0.0;
  for (int64_t i = 0; i < 6615 && start + i < frames; ++i) {  // 150 ms
    const double t = double(i) / 44100.0;
    phase += 2.0 * M_PI * (50.0 + 100.0 * std::exp(-t / 0.03)) / 44100.0;
    const double v = amplitude * std::exp(-t / 0.05) * std::sin(phase);
    for (int32_t c = 0; c < 2; ++c) {
      const size_t at = size_t(2 * (start + i) + c);
      const double mixed = out[at] + v * (c == 0 ? 1.0 : 0.9);
      out[at] = int16_t(std::clamp(mixed, -32768.0, 32767.0));
    }
  }
}

inline void addClick(std::vector<int16_t>& out, int64_t start, double amplitude) {
  const int64_t frames = int64_t(out.size() / 2);
  for (int64_t i = 0; i < 132 && start + i < frames; ++i) {  // 3 ms
    out[size_t(2 * (start + i))] = int16_t(amplitude);
    out[size_t(2 * (start + i) + 1)] = int16_t(amplitude * 0.9);
  }
}

// Return: the whole track, a whole number of 1152-frame blocks long.
inline std::vector<int16_t> beatTrack(const BeatTrack& track) {
  const int64_t blocks = int64_t(track.seconds * 44100.0) / 1152;
  std::vector<int16_t> out(size_t(blocks * 1152 * 2), 0);
  const double period = 60.0 / track.bpm;
  for (double t = track.firstBeat; t < track.seconds && t <= track.lastBeat; t += period) {
    const int64_t start = std::llround(t * 44100.0);
    if (track.beat == Beat::kKick) addKick(out, start, track.amplitude);
    else addClick(out, start, track.amplitude);
  }
  return out;
}

}  // namespace zarnel::test
