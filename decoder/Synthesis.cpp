#include "decoder/Synthesis.h"

#include <array>

#include "decoder/ConstMath.h"

namespace zarnel {

namespace {

// The synthesis window D[i] of ISO/IEC 11172-3 table B.3, in units of 2^-16
// (every published value is a whole multiple of that step).
constexpr int32_t kWindowUnits[512] = {
    0, -1, -1, -1, -1, -1, -1, -2, -2, -2, -2, -3, -3, -4, -4, -5,
    -5, -6, -7, -7, -8, -9, -10, -11, -13, -14, -16, -17, -19, -21, -24, -26,
    -29, -31, -35, -38, -41, -45, -49, -53, -58, -63, -68, -73, -79, -85, -91, -97,
    -104, -111, -117, -125, -132, -139, -147, -154, -161, -169, -176, -183, -190, -196, -202, -208,
    213, 218, 222, 225, 227, 228, 228, 227, 224, 221, 215, 208, 200, 189, 177, 163,
    146, 127, 106, 83, 57, 29, -2, -36, -72, -111, -153, -197, -244, -294, -347, -401,
    -459, -519, -581, -645, -711, -779, -848, -919, -991, -1064, -1137, -1210, -1283, -1356, -1428, -1498,
    -1567, -1634, -1698, -1759, -1817, -1870, -1919, -1962, -2001, -2032, -2057, -2075, -2085, -2087, -2080, -2063,
    2037, 2000, 1952, 1893, 1822, 1739, 1644, 1535, 1414, 1280, 1131, 970, 794, 605, 402, 185,
    -45, -288, -545, -814, -1095, -1388, -1692, -2006, -2330, -2663, -3004, -3351, -3705, -4063, -4425, -4788,
    -5153, -5517, -5879, -6237, -6589, -6935, -7271, -7597, -7910, -8209, -8491, -8755, -8998, -9219, -9416, -9585,
    -9727, -9838, -9916, -9959, -9966, -9935, -9863, -9750, -9592, -9389, -9139, -8840, -8492, -8092, -7640, -7134,
    6574, 5959, 5288, 4561, 3776, 2935, 2037, 1082, 70, -998, -2122, -3300, -4533, -5818, -7154, -8540,
    -9975, -11455, -12980, -14548, -16155, -17799, -19478, -21189, -22929, -24694, -26482, -28289, -30112, -31947, -33791, -35640,
    -37489, -39336, -41176, -43006, -44821, -46617, -48390, -50137, -51853, -53534, -55178, -56778, -58333, -59838, -61289, -62684,
    -64019, -65290, -66494, -67629, -68692, -69679, -70590, -71420, -72169, -72835, -73415, -73908, -74313, -74630, -74856, -74992,
    75038, 74992, 74856, 74630, 74313, 73908, 73415, 72835, 72169, 71420, 70590, 69679, 68692, 67629, 66494, 65290,
    64019, 62684, 61289, 59838, 58333, 56778, 55178, 53534, 51853, 50137, 48390, 46617, 44821, 43006, 41176, 39336,
    37489, 35640, 33791, 31947, 30112, 28289, 26482, 24694, 22929, 21189, 19478, 17799, 16155, 14548, 12980, 11455,
    9975, 8540, 7154, 5818, 4533, 3300, 2122, 998, -70, -1082, -2037, -2935, -3776, -4561, -5288, -5959,
    6574, 7134, 7640, 8092, 8492, 8840, 9139, 9389, 9592, 9750, 9863, 9935, 9966, 9959, 9916, 9838,
    9727, 9585, 9416, 9219, 8998, 8755, 8491, 8209, 7910, 7597, 7271, 6935, 6589, 6237, 5879, 5517,
    5153, 4788, 4425, 4063, 3705, 3351, 3004, 2663, 2330, 2006, 1692, 1388, 1095, 814, 545, 288,
    45, -185, -402, -605, -794, -970, -1131, -1280, -1414, -1535, -1644, -1739, -1822, -1893, -1952, -2000,
    2037, 2063, 2080, 2087, 2085, 2075, 2057, 2032, 2001, 1962, 1919, 1870, 1817, 1759, 1698, 1634,
    1567, 1498, 1428, 1356, 1283, 1210, 1137, 1064, 991, 919, 848, 779, 711, 645, 581, 519,
    459, 401, 347, 294, 244, 197, 153, 111, 72, 36, 2, -29, -57, -83, -106, -127,
    -146, -163, -177, -189, -200, -208, -215, -221, -224, -227, -228, -228, -227, -225, -222, -218,
    213, 208, 202, 196, 190, 183, 176, 169, 161, 154, 147, 139, 132, 125, 117, 111,
    104, 97, 91, 85, 79, 73, 68, 63, 58, 53, 49, 45, 41, 38, 35, 31,
    29, 26, 24, 21, 19, 17, 16, 14, 13, 11, 10, 9, 8, 7, 7, 6,
    5, 5, 4, 4, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1,
};

// The window scaled to 16-bit full scale and regrouped by output sample:
// row 2i holds D[64i + j] (newest-but-2i vector, front half), row 2i + 1
// holds D[64i + 32 + j] (vector 2i + 1, back half), for j = 0..31.
constexpr std::array<std::array<float, 32>, 16> makeWindow() {
  std::array<std::array<float, 32>, 16> w{};
  for (int32_t i = 0; i < 8; ++i) {
    for (int32_t j = 0; j < 32; ++j) {
      w[2 * i][j] = float(kWindowUnits[64 * i + j]) * (32768.0f / 65536.0f);
      w[2 * i + 1][j] = float(kWindowUnits[64 * i + 32 + j]) * (32768.0f / 65536.0f);
    }
  }
  return w;
}
constexpr auto kWindow = makeWindow();

// DCT-II of size n, X[m] = Σ x[k]·cos(π·m·(2k+1) / 2n), by Lee's recursion:
// the sums x[k] + x[n-1-k] give the even outputs, the differences scaled by
// 1 / (2·cos(π·(2k+1) / 2n)) the odd ones, each through a DCT of half size.
template <int32_t N>
struct LeeScale {
  float v[N / 2];
  constexpr LeeScale() : v() {
    for (int32_t k = 0; k < N / 2; ++k) v[k] = float(0.5 / cmath::cos(cmath::kPi * (2 * k + 1) / (2.0 * N)));
  }
};

template <int32_t N>
inline constexpr LeeScale<N> kLeeScale{};

// Four time slots side by side: the DCT runs on all four at once, which the
// compiler turns into vector arithmetic.
struct Lanes {
  float v[4];
};

inline Lanes operator+(const Lanes& a, const Lanes& b) {
  return {{a.v[0] + b.v[0], a.v[1] + b.v[1], a.v[2] + b.v[2], a.v[3] + b.v[3]}};
}
inline Lanes operator-(const Lanes& a, const Lanes& b) {
  return {{a.v[0] - b.v[0], a.v[1] - b.v[1], a.v[2] - b.v[2], a.v[3] - b.v[3]}};
}
inline Lanes operator*(const Lanes& a, float k) { return {{a.v[0] * k, a.v[1] * k, a.v[2] * k, a.v[3] * k}}; }

template <int32_t N>
inline void dct(const Lanes* x, Lanes* out) {
  if constexpr (N == 1) {
    out[0] = x[0];
  } else {
    Lanes sum[N / 2];
    Lanes diff[N / 2];
    for (int32_t k = 0; k < N / 2; ++k) {
      sum[k] = x[k] + x[N - 1 - k];
      diff[k] = (x[k] - x[N - 1 - k]) * kLeeScale<N>.v[k];
    }
    Lanes even[N / 2];
    Lanes odd[N / 2];
    dct<N / 2>(sum, even);
    dct<N / 2>(diff, odd);
    for (int32_t k = 0; k < N / 2; ++k) out[2 * k] = even[k];
    for (int32_t k = 0; k < N / 2 - 1; ++k) out[2 * k + 1] = odd[k] + odd[k + 1];
    out[N - 1] = odd[N / 2 - 1];
  }
}

#if defined(__GNUC__)
#define ZARNEL_FLATTEN [[gnu::flatten]]
#else
#define ZARNEL_FLATTEN
#endif

// DCT-II of up to four consecutive slots: x[m].v[lane] for slot first + lane.
// Flattened: the whole recursion inlined into one straight body.
ZARNEL_FLATTEN void dctSlots(const float (*subbands)[32], int32_t count, Lanes* x) {
  Lanes s[32];
  for (int32_t k = 0; k < 32; ++k) {
    for (int32_t lane = 0; lane < 4; ++lane) s[k].v[lane] = lane < count ? subbands[lane][k] : 0.0f;
  }
  dct<32>(s, x);
}

// The 64 matrixed values V[i] = Σ S[k]·cos((16 + i)(2k + 1)·π / 64) are
// X[16 + i] of the 32-point DCT-II, by the symmetries X[32] = 0,
// X[64 − m] = −X[m] and X[m + 64] = −X[m].
void unfold(const Lanes* x, int32_t lane, float* front, float* back) {
  for (int32_t j = 0; j < 16; ++j) front[j] = x[16 + j].v[lane];
  front[16] = 0.0f;
  for (int32_t j = 17; j < 32; ++j) front[j] = -x[48 - j].v[lane];
  for (int32_t j = 0; j < 16; ++j) back[j] = -x[16 - j].v[lane];
  for (int32_t j = 16; j < 32; ++j) back[j] = -x[j - 16].v[lane];
}

// Rounds half away from zero and clips, without branches so it vectorises.
inline int16_t toPcm(float v) {
  float r = v + (v >= 0.0f ? 0.5f : -0.5f);
  r = r > 32767.0f ? 32767.0f : r;
  r = r < -32768.0f ? -32768.0f : r;
  return int16_t(int32_t(r));
}

// The windowing sums 512 products per slot, the bulk of the filter's work.
// On x86 with GCC or Clang it is also built for AVX2 (eight lanes instead of
// four) and chosen once by what the processor supports; the sums run in the
// same order either way, so both give the same samples.
#define ZARNEL_WINDOW_BODY                                                              \
  float out[32] = {};                                                                   \
  for (int32_t i = 0; i < 8; ++i) {                                                     \
    const float* f = state.front[(state.newest + 2 * i) & 15];                          \
    const float* b = state.back[(state.newest + 2 * i + 1) & 15];                       \
    const float* wf = kWindow[2 * i].data();                                            \
    const float* wb = kWindow[2 * i + 1].data();                                        \
    for (int32_t j = 0; j < 32; ++j) out[j] += wf[j] * f[j] + wb[j] * b[j];             \
  }                                                                                     \
  for (int32_t j = 0; j < 32; ++j) pcm[j * stride] = toPcm(out[j]);

using WindowFn = void (*)(const SynthesisState&, int16_t*, int32_t);

void windowPlain(const SynthesisState& state, int16_t* pcm, int32_t stride) { ZARNEL_WINDOW_BODY }

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
[[gnu::target("avx2")]] void windowAvx2(const SynthesisState& state, int16_t* pcm, int32_t stride) {
  ZARNEL_WINDOW_BODY
}

WindowFn chooseWindow() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? windowAvx2 : windowPlain;
}
#else
WindowFn chooseWindow() { return windowPlain; }
#endif

#undef ZARNEL_WINDOW_BODY

const WindowFn window = chooseWindow();

}  // namespace

void synthesize(SynthesisState& state, const float (*subbands)[32], int32_t slots, int16_t* pcm,
                int32_t stride) {
  for (int32_t first = 0; first < slots; first += 4) {
    const int32_t count = slots - first < 4 ? slots - first : 4;
    Lanes x[32];
    dctSlots(subbands + first, count, x);
    for (int32_t lane = 0; lane < count; ++lane) {
      state.newest = (state.newest + 15) & 15;
      unfold(x, lane, state.front[state.newest], state.back[state.newest]);
      window(state, pcm + (first + lane) * 32 * stride, stride);
    }
  }
}

}  // namespace zarnel
