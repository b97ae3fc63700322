#pragma once
// Thread control for tests: priorities are noted, waits return at once.

#include <atomic>

#include "platform/ThreadControl.h"

namespace zarnel {

class VirtualThreadControl : public ThreadControl {
 public:
  bool setTimeCritical() override {
    timeCritical.fetch_add(1);
    return true;
  }
  void sleepMs(int32_t ms) override { slept.fetch_add(ms); }

  std::atomic<int32_t> timeCritical{0};
  std::atomic<int32_t> slept{0};
};

}  // namespace zarnel
