#pragma once
// The audio thread's tag. In debug builds the audio thread marks itself, and
// the platform's helpers that do I/O, lock or allocate assert that they are
// not running on it; release builds compile the checks away.

#include <cassert>

namespace zarnel {

namespace detail {
inline thread_local bool onAudioThread = false;
}  // namespace detail

// Marks the calling thread as the audio thread for the object's life.
// Construct it at the top of the audio thread's loop (or of a test's loop
// that stands in for it).
class AudioThreadTag {
 public:
  AudioThreadTag() : previous_(detail::onAudioThread) { detail::onAudioThread = true; }
  ~AudioThreadTag() { detail::onAudioThread = previous_; }
  AudioThreadTag(const AudioThreadTag&) = delete;
  AudioThreadTag& operator=(const AudioThreadTag&) = delete;

 private:
  bool previous_;
};

// Return: true on a thread that carries the tag. Any thread.
inline bool onAudioThread() { return detail::onAudioThread; }

}  // namespace zarnel

// Put at the top of every helper that does I/O, takes a lock or allocates.
#define ZARNEL_NOT_ON_AUDIO_THREAD() \
  assert(!::zarnel::onAudioThread() && "I/O, a lock or an allocation on the audio thread")
