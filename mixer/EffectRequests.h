#pragma once
// The effects' timed requests: a request an effect makes while processing a
// block (pause, seek, pitch, switch off) waits until the sound card plays
// the frame it names, then goes to the main window as message 1073, so that
// what the DJ hears and what the desk does stay together and no desk command
// ever runs on the audio thread.
//
// Audio thread only: effects call back from process, and the cursor update
// fires the requests. A fixed table, so nothing allocates there.

#include <array>
#include <cstdint>

namespace zarnel {

class MessagePoster;

constexpr int32_t kEffectRequestCapacity = 64;

class EffectRequests {
 public:
  // Queues command with value for slot, due when desk's heard index reaches
  // due (an index of the desk's output ring). Return: false when 64 wait
  // already (the request is refused).
  bool addRt(int32_t desk, int32_t due, int32_t slot, int32_t command, int32_t value);
  // desk's heard index moved from previous to heard: every request of that
  // desk due in (previous, heard], ring wrap included, is posted to poster
  // and leaves the queue; the others keep their order.
  void fireRt(int32_t desk, int32_t previous, int32_t heard, MessagePoster& poster);
  // The desk re-renders its output: its waiting requests are dropped.
  void dropRt(int32_t desk);
  // Posts the request now. Return: true.
  static bool postNowRt(int32_t slot, int32_t command, int32_t value, MessagePoster& poster);

  int32_t waiting() const { return count_; }

 private:
  struct Request {
    int32_t desk, due, slot, command, value;
  };
  std::array<Request, kEffectRequestCapacity> queue_{};
  int32_t count_ = 0;
};

// Return: whether index lies in (from, to] going forward around a ring of
// size frames.
bool reachedInRing(int32_t from, int32_t to, int32_t index, int32_t frames);

}  // namespace zarnel
