#pragma once
// Stalls of a virtual disk or drive, on a clock of their own that the test
// moves: a read that starts inside a stall waits, on its reader's thread,
// until the clock passes the stall's end, as a read from a drive spinning up
// or a sleeping disk would. Any thread.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace zarnel {

class VirtualReadStall {
 public:
  // Every read from now until ms more of the clock waits for that point.
  void stallFor(int64_t ms);
  // The next read to start waits ms of the clock from its start.
  void stallNextRead(int64_t ms);
  // Moves the clock on by ms, releasing the reads whose stall has ended.
  void advance(int64_t ms);
  // Ends every stall at once (before the readers are stopped).
  void release();
  // Return: the clock, in milliseconds from 0.
  int64_t nowMs() const;
  // Return: the reads waiting inside a stall that has not ended.
  int32_t waiting() const;
  // Return: the reads that have waited, finished or not.
  int32_t stalledReads() const;

  // Called by a read before it touches its data: blocks while stalled.
  void holdRead();

 private:
  mutable std::mutex lock_;
  std::condition_variable wake_;
  int64_t now_ = 0;
  int64_t until_ = -1;      // reads wait until then
  int64_t nextDelay_ = -1;  // the next read's stall; -1: none
  int32_t waiting_ = 0;
  int32_t stalled_ = 0;
};

}  // namespace zarnel
