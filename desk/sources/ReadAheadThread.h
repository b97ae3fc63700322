#pragma once
// The reader thread of one desk: it keeps the read-aheads of the desk's
// sources filled, so that the audio thread never waits for a disk, a CD
// drive or a codec. It may block, lock and allocate; it never touches the
// decode ring or anything else of the audio thread's.

#include <atomic>
#include <cstdint>
#include <thread>

namespace zarnel {

class ReadAhead;

class ReadAheadThread {
 public:
  static constexpr int32_t kMaxReadAheads = 4;
  static constexpr int32_t kIdleSleepMs = 2;  // rest when every ring is full or ended

  ReadAheadThread() = default;
  // Stops the thread.
  ~ReadAheadThread();
  ReadAheadThread(const ReadAheadThread&) = delete;
  ReadAheadThread& operator=(const ReadAheadThread&) = delete;

  // Adds a read-ahead to service (at most kMaxReadAheads). UI thread, while
  // the thread is stopped.
  void add(ReadAhead& ahead);
  // Puts the read-aheads in threaded mode and starts the thread. UI thread.
  // Return: true if it runs (or already ran); false if no thread could
  // start, and the read-aheads stay filled by their consumer.
  bool start();
  // Stops and joins the thread, then lets the consumers fill the read-aheads
  // themselves again. UI thread. Post: no reader step runs.
  void stop();
  bool running() const { return thread_.joinable(); }

 private:
  void run();

  ReadAhead* aheads_[kMaxReadAheads] = {};
  int32_t count_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
};

}  // namespace zarnel
