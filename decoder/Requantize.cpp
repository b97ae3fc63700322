#include "decoder/Requantize.h"

#include <array>

#include "decoder/ConstMath.h"

namespace zarnel {

namespace {

// The largest magnitude a code word can carry: 15 plus 13 escape bits.
constexpr int32_t kMaxValue = 15 + 8191;

constexpr std::array<float, kMaxValue + 1> makePow43() {
  std::array<float, kMaxValue + 1> t{};
  for (int32_t i = 0; i <= kMaxValue; ++i) t[i] = float(double(i) * cmath::cbrt(double(i)));
  return t;
}
constexpr auto kPow43 = makePow43();

// 2^(q / 4) for every exponent the fields can produce: global gain 0..255
// less 210, sub-block gain up to 7 × 8, scale factors up to (31 + 3) × 4
// (the MPEG-2 intensity-coded channel has 5-bit scale factors).
constexpr int32_t kGainLow = -210 - 56 - 136;
constexpr int32_t kGainHigh = 255 - 210;

constexpr std::array<float, kGainHigh - kGainLow + 1> makeGains() {
  std::array<float, kGainHigh - kGainLow + 1> t{};
  for (int32_t q = kGainLow; q <= kGainHigh; ++q) t[q - kGainLow] = float(cmath::pow2Quarter(q));
  return t;
}
constexpr auto kGains = makeGains();

inline float gain(int32_t q) { return kGains[q - kGainLow]; }

void scaleLines(const int32_t* values, int32_t begin, int32_t end, float g, float* xr) {
  for (int32_t i = begin; i < end; ++i) {
    const int32_t v = values[i];
    const float m = kPow43[v < 0 ? -v : v] * g;
    xr[i] = v < 0 ? -m : m;
  }
}

// Return: the line after the long bands, which covers everything for long
// blocks and the first two subbands of a mixed block.
int32_t requantizeLong(const GranuleInfo& g, const ScaleFactors& sf, const BandLayout& layout,
                       const int32_t* values, int32_t count, int32_t endLine, float* xr) {
  const int32_t shift = g.scalefacScale ? 2 : 1;
  int32_t band = 0;
  for (; band < kLongBands && layout.longStart[band] < endLine; ++band) {
    const int32_t begin = layout.longStart[band];
    if (begin >= count) break;
    const int32_t end = layout.longStart[band + 1] < count ? layout.longStart[band + 1] : count;
    const int32_t s = sf.longBand[band] + (g.preflag ? kPretab[band] : 0);
    scaleLines(values, begin, end, gain(g.globalGain - 210 - (s << shift)), xr);
  }
  return endLine;
}

void requantizeShort(const GranuleInfo& g, const ScaleFactors& sf, const BandLayout& layout,
                     const int32_t* values, int32_t count, int32_t firstBand, float* xr) {
  const int32_t shift = g.scalefacScale ? 2 : 1;
  for (int32_t band = firstBand; band < kShortBands; ++band) {
    const int32_t width = layout.shortStart[band + 1] - layout.shortStart[band];
    for (int32_t w = 0; w < 3; ++w) {
      const int32_t begin = 3 * layout.shortStart[band] + w * width;
      if (begin >= count) return;
      const int32_t end = begin + width < count ? begin + width : count;
      const int32_t q = g.globalGain - 210 - 8 * g.subblockGain[w] - (sf.shortBand[band][w] << shift);
      scaleLines(values, begin, end, gain(q), xr);
    }
  }
}

}  // namespace

void requantize(const GranuleInfo& g, const ScaleFactors& sf, const BandLayout& layout, const int32_t* values,
                int32_t count, float* xr) {
  if (!g.shortBlocks()) {
    requantizeLong(g, sf, layout, values, count, 576, xr);
  } else if (g.mixed) {
    requantizeLong(g, sf, layout, values, count, 36, xr);
    requantizeShort(g, sf, layout, values, count, 3, xr);
  } else {
    requantizeShort(g, sf, layout, values, count, 0, xr);
  }
  for (int32_t i = count; i < 576; ++i) xr[i] = 0.0f;
}

}  // namespace zarnel
