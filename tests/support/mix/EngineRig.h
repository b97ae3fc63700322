#pragma once
// Two desks on tones, a virtual sound system and an engine of any mode,
// driven on the test's thread by the virtual clock.

#include <cstdint>
#include <memory>
#include <vector>

#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/Services.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"

namespace zarnel::test {

// Desk 1 plays 1 kHz left and 1.5 kHz right, desk 2 3 kHz and 4 kHz, all at
// amplitude 8000, with the equaliser off so the strips are exact.
class EngineRig {
 public:
  static constexpr double kFrequencies[4] = {1000, 1500, 3000, 4000};
  static constexpr double kAmplitude = 8000;

  EngineRig();
  ~EngineRig();

  // Creates and opens the engine of mode. Return: open's result.
  bool open(int32_t mode);
  // Loads both tones and plays them, the crossfader in the centre of the
  // full curve so both desks are at 4096.
  void playBoth();
  // Runs the audio loop while the cards play frames.
  void run(int32_t frames, int32_t step = 256);
  // Return: what every output channel of every open card played, in the order
  // card, buffer, channel.
  std::vector<std::vector<int16_t>> channels() const;

  VirtualFileSystem files;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  PlatformServices services;
  std::unique_ptr<Desk> desk[2];
  std::unique_ptr<OutputEngine> engine;
  MixerState mixer;
};

// Return: the amplitude of freq in samples[from..], one channel.
double amplitude(const std::vector<int16_t>& mono, double freq, size_t from);

}  // namespace zarnel::test
