#include "app/FatalError.h"

#include <atomic>

namespace zarnel {

namespace {
std::atomic<int32_t> gFatalError{kErrorNone};
}  // namespace

int32_t fatalError() { return gFatalError.load(std::memory_order_relaxed); }

void setFatalError(int32_t code) {
  int32_t none = kErrorNone;
  gFatalError.compare_exchange_strong(none, code, std::memory_order_relaxed);
}

void clearFatalError() { gFatalError.store(kErrorNone, std::memory_order_relaxed); }

}  // namespace zarnel
