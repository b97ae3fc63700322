#include "decoder/SubbandCommon.h"
#include "decoder/SubbandLayers.h"

namespace zarnel {

namespace {

// Quantisation classes (ISO/IEC 11172-3 table B.4): levels, and bits per
// sample, or per group of three samples for the grouped classes.
struct QuantClass {
  uint16_t levels;
  uint8_t bits;
  bool grouped;
};

constexpr QuantClass kClasses[17] = {
    {3, 5, true},     {5, 7, true},     {7, 3, false},    {9, 10, true},    {15, 4, false},
    {31, 5, false},   {63, 6, false},   {127, 7, false},  {255, 8, false},  {511, 9, false},
    {1023, 10, false}, {2047, 11, false}, {4095, 12, false}, {8191, 13, false}, {16383, 14, false},
    {32767, 15, false}, {65535, 16, false},
};

// One subband's row of an allocation table: allocation field width and the
// class of each nonzero allocation value.
struct AllocRow {
  uint8_t bits;
  uint8_t classes[15];
};

constexpr AllocRow kRowLow = {4, {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
constexpr AllocRow kRowMid = {4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 16}};
constexpr AllocRow kRowHigh = {3, {0, 1, 2, 3, 4, 5, 16}};
constexpr AllocRow kRowTop = {2, {0, 1, 16}};
constexpr AllocRow kRowNarrowLow = {4, {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}};
constexpr AllocRow kRowNarrowHigh = {3, {0, 1, 3, 4, 5, 6, 7}};
constexpr AllocRow kRowLsfLow = {4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}};
constexpr AllocRow kRowLsfMid = {3, {0, 1, 3, 4, 5, 6, 7}};
constexpr AllocRow kRowLsfHigh = {2, {0, 1, 3}};

struct AllocTable {
  int32_t sblimit;
  const AllocRow* rows[32];
};

#define ZARNEL_4(r) &r, &r, &r, &r
// Tables B.2a and B.2b: 27 or 30 subbands.
constexpr AllocTable kTableA = {27, {&kRowLow, &kRowLow, &kRowLow, ZARNEL_4(kRowMid), ZARNEL_4(kRowMid),
                                     ZARNEL_4(kRowHigh), ZARNEL_4(kRowHigh), ZARNEL_4(kRowHigh), ZARNEL_4(kRowTop)}};
constexpr AllocTable kTableB = {30, {&kRowLow, &kRowLow, &kRowLow, ZARNEL_4(kRowMid), ZARNEL_4(kRowMid),
                                     ZARNEL_4(kRowHigh), ZARNEL_4(kRowHigh), ZARNEL_4(kRowHigh), ZARNEL_4(kRowTop),
                                     &kRowTop, &kRowTop, &kRowTop}};
// Tables B.2c and B.2d: 8 or 12 subbands for the lowest bitrates.
constexpr AllocTable kTableC = {8, {&kRowNarrowLow, &kRowNarrowLow, ZARNEL_4(kRowNarrowHigh), &kRowNarrowHigh,
                                    &kRowNarrowHigh}};
constexpr AllocTable kTableD = {12, {&kRowNarrowLow, &kRowNarrowLow, ZARNEL_4(kRowNarrowHigh),
                                     ZARNEL_4(kRowNarrowHigh), &kRowNarrowHigh, &kRowNarrowHigh}};
// ISO/IEC 13818-3 table B.1: the lower sampling frequencies, 30 subbands.
constexpr AllocTable kTableLsf = {30, {ZARNEL_4(kRowLsfLow), ZARNEL_4(kRowLsfMid), &kRowLsfMid, &kRowLsfMid,
                                       &kRowLsfMid, ZARNEL_4(kRowLsfHigh), ZARNEL_4(kRowLsfHigh),
                                       ZARNEL_4(kRowLsfHigh), ZARNEL_4(kRowLsfHigh), &kRowLsfHigh, &kRowLsfHigh,
                                       &kRowLsfHigh}};
#undef ZARNEL_4

const AllocTable& chooseTable(const FrameHeader& h) {
  if (h.lsf()) return kTableLsf;
  const int32_t perChannel = h.bitrate() / h.channels();
  const int32_t rate = h.sampleRate();
  if (perChannel <= 48) return rate == 32000 ? kTableD : kTableC;
  if (perChannel <= 80) return kTableA;
  return rate == 48000 ? kTableA : kTableB;
}

struct Allocation {
  const QuantClass* cls[2][32] = {};
  uint8_t scale[2][32][3] = {};
};

void readAllocation(BitReader& r, const AllocTable& t, int32_t channels, int32_t bound, Allocation& a) {
  for (int32_t sb = 0; sb < t.sblimit; ++sb) {
    const AllocRow& row = *t.rows[sb];
    for (int32_t ch = 0; ch < channels; ++ch) {
      if (sb >= bound && ch == 1) {
        a.cls[1][sb] = a.cls[0][sb];
        continue;
      }
      const uint32_t v = r.read(row.bits);
      a.cls[ch][sb] = v == 0 ? nullptr : &kClasses[row.classes[v - 1]];
    }
  }
}

bool readScales(BitReader& r, int32_t sblimit, int32_t channels, Allocation& a) {
  uint8_t scfsi[2][32] = {};
  for (int32_t sb = 0; sb < sblimit; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      if (a.cls[ch][sb] != nullptr) scfsi[ch][sb] = uint8_t(r.read(2));
    }
  }
  for (int32_t sb = 0; sb < sblimit; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      if (a.cls[ch][sb] == nullptr) continue;
      uint8_t* s = a.scale[ch][sb];
      s[0] = uint8_t(r.read(6));
      switch (scfsi[ch][sb]) {
        case 0: s[1] = uint8_t(r.read(6)); s[2] = uint8_t(r.read(6)); break;
        case 1: s[1] = s[0]; s[2] = uint8_t(r.read(6)); break;
        case 2: s[1] = s[2] = s[0]; break;
        default: s[1] = s[2] = uint8_t(r.read(6)); break;
      }
      if (s[0] == kBadScaleIndex || s[1] == kBadScaleIndex || s[2] == kBadScaleIndex) return false;
    }
  }
  return true;
}

// Reads the three consecutive samples of one subband into levels[0..2].
void readTriple(BitReader& r, const QuantClass& c, float* levels) {
  if (c.grouped) {
    uint32_t code = r.read(c.bits);
    for (int32_t k = 0; k < 3; ++k) {
      levels[k] = requantizeLevel(code % c.levels, c.levels);
      code /= c.levels;
    }
    return;
  }
  for (int32_t k = 0; k < 3; ++k) levels[k] = requantizeLevel(r.read(c.bits), c.levels);
}

void readSamples(BitReader& r, int32_t sblimit, int32_t channels, int32_t bound, const Allocation& a,
                 SubbandFrame& out) {
  for (int32_t gr = 0; gr < 12; ++gr) {
    float levels[2][32][3] = {};
    for (int32_t sb = 0; sb < sblimit; ++sb) {
      for (int32_t ch = 0; ch < channels; ++ch) {
        if (sb >= bound && ch == 1) {
          for (int32_t k = 0; k < 3; ++k) levels[1][sb][k] = levels[0][sb][k];
        } else if (a.cls[ch][sb] != nullptr) {
          readTriple(r, *a.cls[ch][sb], levels[ch][sb]);
        }
      }
    }
    for (int32_t ch = 0; ch < channels; ++ch) {
      for (int32_t k = 0; k < 3; ++k) {
        float* slot = out[ch][gr * 3 + k];
        for (int32_t sb = 0; sb < 32; ++sb) {
          slot[sb] = a.cls[ch][sb] == nullptr ? 0.0f : levels[ch][sb][k] * kLayerScales[a.scale[ch][sb][gr / 4]];
        }
      }
    }
  }
}

}  // namespace

bool decodeLayerII(const FrameHeader& h, BitReader& r, SubbandFrame& out) {
  const AllocTable& t = chooseTable(h);
  const int32_t channels = h.channels();
  const int32_t bound = h.mode == kJointStereo ? (h.modeExtension + 1) * 4 : t.sblimit;
  Allocation a;
  readAllocation(r, t, channels, bound < t.sblimit ? bound : t.sblimit, a);
  if (!readScales(r, t.sblimit, channels, a)) return false;
  readSamples(r, t.sblimit, channels, bound, a, out);
  return true;
}

}  // namespace zarnel
