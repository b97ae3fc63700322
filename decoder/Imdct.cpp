#include "decoder/Imdct.h"

#include <array>
#include <cstring>

#include "decoder/ConstMath.h"

namespace zarnel {

namespace {

// Alias reduction butterflies from the published c[i] (table B.9):
// cs = 1 / sqrt(1 + c²), ca = c / sqrt(1 + c²).
constexpr double kAliasC[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};

struct Butterfly {
  float cs[8];
  float ca[8];
};

constexpr Butterfly makeButterfly() {
  Butterfly b{};
  for (int32_t i = 0; i < 8; ++i) {
    const double root = cmath::sqrt(1.0 + kAliasC[i] * kAliasC[i]);
    b.cs[i] = float(1.0 / root);
    b.ca[i] = float(kAliasC[i] / root);
  }
  return b;
}
constexpr Butterfly kButterfly = makeButterfly();

// Window shapes by block type (0 normal, 1 start, 3 stop; 2 is the short
// window in its first 12 entries).
constexpr std::array<std::array<float, 36>, 4> makeWindows() {
  std::array<std::array<float, 36>, 4> w{};
  for (int32_t n = 0; n < 36; ++n) w[0][n] = float(cmath::sin(cmath::kPi / 36.0 * (n + 0.5)));
  for (int32_t n = 0; n < 18; ++n) w[1][n] = w[0][n];
  for (int32_t n = 18; n < 24; ++n) w[1][n] = 1.0f;
  for (int32_t n = 24; n < 30; ++n) w[1][n] = float(cmath::sin(cmath::kPi / 12.0 * (n - 18 + 0.5)));
  for (int32_t n = 6; n < 12; ++n) w[3][n] = float(cmath::sin(cmath::kPi / 12.0 * (n - 6 + 0.5)));
  for (int32_t n = 12; n < 18; ++n) w[3][n] = 1.0f;
  for (int32_t n = 18; n < 36; ++n) w[3][n] = w[0][n];
  for (int32_t n = 0; n < 12; ++n) w[2][n] = float(cmath::sin(cmath::kPi / 12.0 * (n + 0.5)));
  return w;
}
constexpr auto kWindows = makeWindows();

// The 36-point IMDCT is an 18-point DCT-IV, y[m] = Σ X[k]·cos(π/72·(2m+1)(2k+1)),
// unfolded; the matrix is stored by k, rows padded to 20 so that the sum over
// m runs in whole vectors.
constexpr int32_t kDct4Row = 20;

constexpr std::array<std::array<float, kDct4Row>, 18> makeDct4() {
  std::array<std::array<float, kDct4Row>, 18> t{};
  for (int32_t k = 0; k < 18; ++k) {
    for (int32_t m = 0; m < 18; ++m) t[k][m] = float(cmath::cos(cmath::kPi / 72.0 * (2 * m + 1) * (2 * k + 1)));
  }
  return t;
}
constexpr auto kDct4 = makeDct4();

// 12-point IMDCT: x[n] = Σ X[k]·cos(π/24·(2n + 7)(2k + 1)), stored by k.
constexpr std::array<std::array<float, 12>, 6> makeShortCos() {
  std::array<std::array<float, 12>, 6> t{};
  for (int32_t k = 0; k < 6; ++k) {
    for (int32_t n = 0; n < 12; ++n) t[k][n] = float(cmath::cos(cmath::kPi / 24.0 * (2 * n + 7) * (2 * k + 1)));
  }
  return t;
}
constexpr auto kShortCos = makeShortCos();

void reorderShort(const BandLayout& layout, int32_t firstBand, float* xr) {
  float tmp[576];
  const int32_t first = 3 * layout.shortStart[firstBand];
  for (int32_t b = firstBand; b < kShortBands; ++b) {
    const int32_t start = 3 * layout.shortStart[b];
    const int32_t width = layout.shortStart[b + 1] - layout.shortStart[b];
    for (int32_t w = 0; w < 3; ++w) {
      for (int32_t k = 0; k < width; ++k) tmp[start + 3 * k + w] = xr[start + w * width + k];
    }
  }
  std::memcpy(xr + first, tmp + first, sizeof(float) * size_t(576 - first));
}

void aliasReduce(float* xr, int32_t boundaries) {
  for (int32_t sb = 1; sb <= boundaries; ++sb) {
    float* lo = xr + 18 * sb - 1;
    float* hi = xr + 18 * sb;
    for (int32_t i = 0; i < 8; ++i) {
      const float a = lo[-i];
      const float b = hi[i];
      lo[-i] = a * kButterfly.cs[i] - b * kButterfly.ca[i];
      hi[i] = b * kButterfly.cs[i] + a * kButterfly.ca[i];
    }
  }
}

// The DCT-IV is most of the hybrid synthesis' work. On x86 with GCC or
// Clang it is also built for AVX2 and chosen once by what the processor
// supports; the sums run in the same order either way.
#define ZARNEL_DCT4_BODY                                                   \
  float acc[kDct4Row];                                                     \
  for (int32_t m = 0; m < kDct4Row; ++m) acc[m] = in[0] * kDct4[0][m];     \
  for (int32_t k = 1; k < 18; ++k) {                                       \
    const float x = in[k];                                                 \
    for (int32_t m = 0; m < kDct4Row; ++m) acc[m] += x * kDct4[k][m];      \
  }                                                                        \
  for (int32_t m = 0; m < kDct4Row; ++m) y[m] = acc[m];

using Dct4Fn = void (*)(const float* in, float* y);

void dct4Plain(const float* in, float* y) { ZARNEL_DCT4_BODY }

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
[[gnu::target("avx2")]] void dct4Avx2(const float* in, float* y) { ZARNEL_DCT4_BODY }

Dct4Fn chooseDct4() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? dct4Avx2 : dct4Plain;
}
#else
Dct4Fn chooseDct4() { return dct4Plain; }
#endif

#undef ZARNEL_DCT4_BODY

const Dct4Fn dct4 = chooseDct4();

void imdctLong(const float* in, int32_t blockType, float* z) {
  float y[kDct4Row];
  dct4(in, y);
  const auto& w = kWindows[blockType];
  for (int32_t n = 0; n < 9; ++n) z[n] = y[n + 9] * w[n];
  for (int32_t n = 9; n < 27; ++n) z[n] = -y[26 - n] * w[n];
  for (int32_t n = 27; n < 36; ++n) z[n] = -y[n - 27] * w[n];
}

void imdctShort(const float* in, float* z) {
  for (int32_t n = 0; n < 36; ++n) z[n] = 0.0f;
  for (int32_t w = 0; w < 3; ++w) {
    float x[12] = {};
    for (int32_t k = 0; k < 6; ++k) {
      const float v = in[3 * k + w];
      for (int32_t n = 0; n < 12; ++n) x[n] += v * kShortCos[k][n];
    }
    for (int32_t n = 0; n < 12; ++n) z[6 + 6 * w + n] += x[n] * kWindows[2][n];
  }
}

}  // namespace

namespace {

// Reorders short windows and reduces aliasing.
// Return: the subbands that may hold nonzero lines afterwards.
int32_t prepareSpectrum(const GranuleInfo& g, const BandLayout& layout, float* xr, int32_t count) {
  if (g.shortBlocks()) {
    reorderShort(layout, g.mixed ? 3 : 0, xr);
    // Reordering spreads a short band's first window over the whole band.
    int32_t band = 0;
    while (band < kShortBands && 3 * layout.shortStart[band + 1] < count) ++band;
    if (count > 36 || !g.mixed) count = 3 * layout.shortStart[band < kShortBands ? band + 1 : kShortBands];
  }
  int32_t active = (count + 17) / 18;
  if (!g.shortBlocks() || g.mixed) {
    aliasReduce(xr, g.shortBlocks() ? 1 : (active < 31 ? active : 31));
    // The butterflies reach into the subband above the last nonzero one.
    active = active + 1 < 32 ? active + 1 : 32;
    if (g.shortBlocks() && active < 2) active = 2;
  }
  return active;
}

// Overlap-adds z (null: silence) onto subband sb's kept half, writes the 18
// time slots with odd samples of odd subbands negated (frequency inversion)
// and keeps z's second half.
void emit(const float* z, int32_t sb, float* keep, float (*out)[32]) {
  const float odd = (sb & 1) ? -1.0f : 1.0f;
  for (int32_t n = 0; n < 18; n += 2) {
    out[n][sb] = (z != nullptr ? z[n] : 0.0f) + keep[n];
    out[n + 1][sb] = ((z != nullptr ? z[n + 1] : 0.0f) + keep[n + 1]) * odd;
  }
  for (int32_t n = 0; n < 18; ++n) keep[n] = z != nullptr ? z[n + 18] : 0.0f;
}

}  // namespace

void hybridSynthesis(const GranuleInfo& g, const BandLayout& layout, float* xr, int32_t count,
                     OverlapState& overlap, float (*out)[32]) {
  const int32_t active = prepareSpectrum(g, layout, xr, count);
  for (int32_t sb = 0; sb < 32; ++sb) {
    if (sb >= active) {
      emit(nullptr, sb, overlap.samples[sb], out);
      continue;
    }
    float z[36];
    // A mixed block's two lowest subbands take the normal window whatever
    // the block type.
    const bool lowMixed = g.mixed && sb < 2;
    if (!g.shortBlocks() || lowMixed) {
      imdctLong(xr + 18 * sb, lowMixed ? 0 : g.blockType, z);
    } else {
      imdctShort(xr + 18 * sb, z);
    }
    emit(z, sb, overlap.samples[sb], out);
  }
}

}  // namespace zarnel
