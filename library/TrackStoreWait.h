#pragma once
// What opening the track store does while another program holds its file
// for writing: wait for it (a tool that must keep its results), or give up
// and open the store read-only (the program).

#include <cstdint>

namespace zarnel {

// UI thread: called by TrackStore::open between tries at the file's lock.
class TrackStoreWait {
 public:
  virtual ~TrackStoreWait() = default;
  // Another program holds the store's file for writing; waitedMs is how long
  // this open has waited so far (0 the first time). Return: true to wait up
  // to kWriterLockPollMs more and try again, false to open read-only.
  virtual bool keepWaiting(int32_t waitedMs) = 0;
};

}  // namespace zarnel
