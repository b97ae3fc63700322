#pragma once
// An output engine: a hardware layout mixed by a route.

#include <algorithm>

#include "mixer/MixRoutes.h"
#include "mixer/OutputEngine.h"

namespace zarnel {

template <class Route, class Hardware>
class RoutedEngine : public Hardware {
 public:
  using Hardware::Hardware;

  int32_t outputs() const override { return Route::kOutputs; }
  RecordConversion recordConversion() const override { return Route::kRecord; }

 protected:
  bool headphones() const override { return Route::kHeadphones; }
  SampleRouteFn sampleRoute() const override { return &Route::sample; }

  void mixRunRt(const int16_t* const src[2], int32_t at, int32_t count) override {
    for (int32_t i = 0; i < count; ++i) {
      int32_t d[2][2], raw[2][2], out[2][2] = {};
      this->stripsRt(src, i, raw, d);
      Route::route(d, raw, this->preview_, out);
      const int32_t s = (at + i) * 2;
      for (int32_t o = 0; o < Route::kOutputs; ++o) {
        this->out_[o][s] = this->fadeRt(o, s, std::clamp(out[o][0], -32768, 32767));
        this->out_[o][s + 1] = this->fadeRt(o, s + 1, std::clamp(out[o][1], -32768, 32767));
      }
      this->stepFadeRt();
    }
  }
};

}  // namespace zarnel
