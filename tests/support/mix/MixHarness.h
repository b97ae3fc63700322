#pragma once
// Two desks, the mode-0 engine and a virtual sound card, driven by a virtual
// clock exactly as the audio thread would drive them, but on the test's thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "desk/Desk.h"
#include "mixer/MixerState.h"
#include "mixer/OutputEngines.h"
#include "platform/MessagePoster.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualSoundBuffer.h"

namespace zarnel::test {

// Records posted messages.
class RecordingPoster : public MessagePoster {
 public:
  void postRt(uint32_t message, int32_t wparam, int32_t lparam) override {
    messages.push_back({message, wparam, lparam});
  }
  int count(uint32_t message) const {
    int n = 0;
    for (const auto& m : messages) n += m.message == message;
    return n;
  }
  struct Posted {
    uint32_t message;
    int32_t wparam, lparam;
  };
  std::vector<Posted> messages;
};

class MixHarness {
 public:
  static constexpr int32_t kLatency = 441;  // write cursor 10 ms ahead of play

  MixHarness();
  ~MixHarness();

  // Adds a WAV file of interleaved stereo samples at 44100 Hz.
  void addWav(const std::string& path, const std::vector<int16_t>& samples);
  // Loads path onto desk d. Return: the desk's load result.
  bool load(int32_t d, const std::string& path);

  // Runs the audio loop while the card plays frames, in steps of step frames;
  // what the card played is appended to played().
  void run(int32_t frames, int32_t step = 64);
  // One audio loop: cursor update, both desk services, mixing pass.
  void loopOnce();

  const std::vector<int16_t>& played() const { return card_->recorded(); }
  void clearPlayed() { card_->clearRecorded(); }

  VirtualFileSystem files;
  RecordingPoster poster;
  std::unique_ptr<Desk> desk[2];
  VirtualSoundBuffer* card_ = nullptr;
  std::unique_ptr<SingleCardMasterEngine> engine;
  MixerState mixer;
};

// Return: the frequency of one channel of interleaved stereo samples, from the
// positive-going zero crossings (interpolated) between frames from and to.
double measureFrequency(const std::vector<int16_t>& stereo, int32_t channel, size_t from, size_t to);

// Return: the amplitude of the freq component of one channel between frames
// from and to (Goertzel).
double toneAmplitude(const std::vector<int16_t>& stereo, int32_t channel, double freq, size_t from,
                     size_t to);

// Return: the largest absolute sample of one channel between frames from and to.
int32_t peak(const std::vector<int16_t>& stereo, int32_t channel, size_t from, size_t to);

}  // namespace zarnel::test
