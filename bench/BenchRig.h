#pragma once
// Two desks on synthetic tracks for the benchmarks.

#include <cstdint>
#include <memory>
#include <vector>

#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel::bench {

// Return: a RIFF WAVE file of interleaved 16-bit stereo frames at 44100 Hz.
std::vector<uint8_t> stereoWav(const std::vector<int16_t>& stereo);

// Return: a stereo WAV file of a tone under a two-beats-a-second envelope, so
// the splice search has real work.
std::vector<uint8_t> toneWav(int32_t seconds, double freq);

struct BenchDesks {
  BenchDesks();
  ~BenchDesks();
  // Loads both tracks, sets their pitch and plays them.
  void loadAndPlay(int32_t pitch);
  // Return: whether desk 1 nears its end.
  bool done() const { return desk1->position() > 0.9f || desk1->position() < 0; }
  // Starts both tracks again when desk 1 nears its end.
  void rewindIfDone();

  VirtualFileSystem files;
  std::unique_ptr<Desk> desk1, desk2;
  MixerState mixer;
};

}  // namespace zarnel::bench
