#pragma once
// A DeskDisplay the tests set field by field; curves are constant heights
// or given per column.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include "skin/DeskDisplay.h"

namespace zarnel::test {

struct FakeDisplay : DeskDisplay {
  int32_t active = 0;
  bool plays[2] = {false, false};
  float positions[2] = {-1.0f, -1.0f};
  int32_t lengths[2] = {-1, -1};
  int32_t meters[2] = {0, 0};
  // A curve per desk: column i gets curves[d][i % size]; empty gives 0.
  std::vector<int32_t> curves[2];
  mutable std::atomic<int32_t> curveCalls{0};
  mutable int32_t lastCount = 0;

  int32_t activeDesk() const override { return active; }
  bool playing(int32_t d) const override { return plays[d]; }
  float position(int32_t d) const override { return positions[d]; }
  int32_t length(int32_t d) const override { return lengths[d]; }
  int32_t beatMeter(int32_t d) const override { return meters[d]; }
  void strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const override {
    curveCalls.fetch_add(1);
    lastCount = count;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t v = curves[d].empty() ? 0 : curves[d][size_t(i) % curves[d].size()];
      values[i] = std::clamp(v, 0, height - 1);
    }
  }
};

}  // namespace zarnel::test
