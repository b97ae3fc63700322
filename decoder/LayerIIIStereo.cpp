#include "decoder/LayerIIIStereo.h"

#include <array>

#include "decoder/ConstMath.h"

namespace zarnel {

namespace {

constexpr float kInvSqrt2 = 0.70710678118654752440f;

struct Weights {
  float left;
  float right;
};

// MPEG-1: left = tan(p·π/12) / (1 + tan), right = 1 / (1 + tan), p = 0..6.
constexpr std::array<Weights, 7> makeMpeg1Weights() {
  std::array<Weights, 7> t{};
  for (int32_t p = 0; p < 7; ++p) {
    const double s = cmath::sin(p * cmath::kPi / 12.0);
    const double c = cmath::cos(p * cmath::kPi / 12.0);
    t[p] = {float(s / (s + c)), float(c / (s + c))};
  }
  return t;
}
constexpr auto kMpeg1Weights = makeMpeg1Weights();

// MPEG-2: odd p scales the right channel's copy by io^((p + 1) / 2), even p
// the left one by io^(p / 2), with io = 2^-0.25 or 2^-0.5 by intensity_scale.
constexpr std::array<std::array<Weights, 32>, 2> makeLsfWeights() {
  std::array<std::array<Weights, 32>, 2> t{};
  for (int32_t scale = 0; scale < 2; ++scale) {
    for (int32_t p = 0; p < 32; ++p) {
      const int32_t steps = (p + 1) / 2 * (scale + 1);
      const float k = float(cmath::pow2Quarter(-steps));
      t[scale][p] = p == 0 ? Weights{1.0f, 1.0f} : (p & 1) ? Weights{k, 1.0f} : Weights{1.0f, k};
    }
  }
  return t;
}
constexpr auto kLsfWeights = makeLsfWeights();

struct Context {
  bool lsf;
  bool midSide;
  bool intensity;
  const ScaleFactors* sf;
  float* left;
  float* right;
};

void midSide(float* l, float* r, int32_t begin, int32_t end) {
  for (int32_t i = begin; i < end; ++i) {
    const float m = l[i];
    const float s = r[i];
    l[i] = (m + s) * kInvSqrt2;
    r[i] = (m - s) * kInvSqrt2;
  }
}

// One band of lines [begin, end): intensity with position pos unless pos is
// illegal, which leaves the band to mid/side (when on) like the bands below.
void band(const Context& c, int32_t begin, int32_t end, bool aboveBound, int32_t pos, int32_t illegal) {
  if (!c.intensity || !aboveBound || pos >= illegal) {
    if (c.midSide) midSide(c.left, c.right, begin, end);
    return;
  }
  const Weights w = c.lsf ? kLsfWeights[c.sf->intensityScale][pos] : kMpeg1Weights[pos];
  for (int32_t i = begin; i < end; ++i) {
    const float v = c.left[i];
    c.left[i] = v * w.left;
    c.right[i] = v * w.right;
  }
}

bool anyNonzero(const float* x, int32_t begin, int32_t end) {
  for (int32_t i = begin; i < end; ++i) {
    if (x[i] != 0.0f) return true;
  }
  return false;
}

// The top band (long 21, short 12) has no scale factor of its own: it
// continues the band below when that band is intensity coded. Otherwise an
// MPEG-2 top band takes position 0 (both channels at full weight) and an
// MPEG-1 one the illegal position 7, keeping the stereo coding of the bands
// below.
struct Position {
  int32_t pos;
  int32_t illegal;
};

Position topBand(const Context& c, bool belowCoded, int32_t pos, int32_t illegal) {
  if (belowCoded) return Position{pos, illegal};
  return c.lsf ? Position{0, 1 << 30} : Position{7, 7};
}

// Long bands [0, endBand); intensity from the band after the right channel's
// last nonzero line (firstIntensity).
void longBands(const Context& c, const BandLayout& layout, int32_t endBand, int32_t firstIntensity) {
  for (int32_t b = 0; b < endBand; ++b) {
    constexpr int32_t kTop = kLongBands - 1;
    const Position p = b < kTop ? Position{c.sf->longBand[b], c.sf->illegalLong[b]}
                                : topBand(c, kTop - 1 >= firstIntensity, c.sf->longBand[kTop - 1],
                                          c.sf->illegalLong[kTop - 1]);
    band(c, layout.longStart[b], layout.longStart[b + 1], b >= firstIntensity, p.pos, p.illegal);
  }
}

// Short bands from firstBand, each window bounded by its own last nonzero band.
void shortBands(const Context& c, const BandLayout& layout, int32_t firstBand, bool allIntensity) {
  for (int32_t w = 0; w < 3; ++w) {
    int32_t bound = firstBand;
    for (int32_t b = kShortBands - 1; b >= firstBand && !allIntensity; --b) {
      const int32_t width = layout.shortStart[b + 1] - layout.shortStart[b];
      const int32_t begin = 3 * layout.shortStart[b] + w * width;
      if (anyNonzero(c.right, begin, begin + width)) {
        bound = b + 1;
        break;
      }
    }
    for (int32_t b = firstBand; b < kShortBands; ++b) {
      const int32_t width = layout.shortStart[b + 1] - layout.shortStart[b];
      const int32_t begin = 3 * layout.shortStart[b] + w * width;
      constexpr int32_t kTop = kShortBands - 1;
      const Position p = b < kTop ? Position{c.sf->shortBand[b][w], c.sf->illegalShort[b]}
                                  : topBand(c, kTop - 1 >= bound, c.sf->shortBand[kTop - 1][w],
                                            c.sf->illegalShort[kTop - 1]);
      band(c, begin, begin + width, b >= bound, p.pos, p.illegal);
    }
  }
}

// Return: the long band after the one holding line (0 when line < 0).
int32_t bandAfter(const BandLayout& layout, int32_t line) {
  if (line < 0) return 0;
  int32_t b = 0;
  while (b < kLongBands && layout.longStart[b + 1] <= line) ++b;
  return b + 1;
}

int32_t lastNonzero(const float* x, int32_t count) {
  int32_t i = count - 1;
  while (i >= 0 && x[i] == 0.0f) --i;
  return i;
}

}  // namespace

void jointStereo(const FrameHeader& header, const GranuleInfo& right, const ScaleFactors& rightSf,
                 const BandLayout& layout, float (*xr)[576], int32_t* count) {
  const Context c{header.lsf(), (header.modeExtension & 2) != 0, (header.modeExtension & 1) != 0, &rightSf,
                  xr[0], xr[1]};
  const int32_t last = lastNonzero(xr[1], count[1]);
  if (!right.shortBlocks()) {
    longBands(c, layout, kLongBands, bandAfter(layout, last));
  } else if (!right.mixed) {
    shortBands(c, layout, 0, false);
  } else {
    int32_t longCount = 0;
    while (layout.longStart[longCount + 1] <= 36) ++longCount;
    const bool shortPartZero = last < 36;
    longBands(c, layout, longCount, shortPartZero ? bandAfter(layout, last) : longCount);
    shortBands(c, layout, 3, shortPartZero);
  }
  const int32_t n = count[0] > count[1] ? count[0] : count[1];
  count[0] = count[1] = n;
}

}  // namespace zarnel
