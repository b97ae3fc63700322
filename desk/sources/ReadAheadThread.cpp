#include "desk/sources/ReadAheadThread.h"

#include <chrono>
#include <system_error>

#include "desk/sources/ReadAhead.h"

namespace zarnel {

ReadAheadThread::~ReadAheadThread() { stop(); }

void ReadAheadThread::add(ReadAhead& ahead) {
  if (count_ < kMaxReadAheads && !running()) aheads_[count_++] = &ahead;
}

bool ReadAheadThread::start() {
  if (running()) return true;
  for (int32_t i = 0; i < count_; ++i) aheads_[i]->setThreaded(true);
  stop_.store(false, std::memory_order_relaxed);
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    for (int32_t i = 0; i < count_; ++i) aheads_[i]->setThreaded(false);
    return false;
  }
  return true;
}

void ReadAheadThread::stop() {
  if (!running()) return;
  stop_.store(true, std::memory_order_relaxed);
  thread_.join();
  for (int32_t i = 0; i < count_; ++i) aheads_[i]->setThreaded(false);
}

void ReadAheadThread::run() {
  while (!stop_.load(std::memory_order_relaxed)) {
    bool busy = false;
    for (int32_t i = 0; i < count_; ++i) busy = aheads_[i]->serviceReader() || busy;
    if (!busy) std::this_thread::sleep_for(std::chrono::milliseconds(kIdleSleepMs));
  }
}

}  // namespace zarnel
