#pragma once
// Layer III band layouts and scale factor tables (ISO/IEC 11172-3 tables
// B.8 and B.6, ISO/IEC 13818-3 tables B.2 and the LSF scale factor partitions).

#include <cstdint>

namespace zarnel {

constexpr int32_t kLongBands = 22;   // scale factor bands of a long block
constexpr int32_t kShortBands = 13;  // scale factor bands of one short window

struct BandLayout {
  int16_t longStart[kLongBands + 1];    // first line of each band; last entry 576
  int16_t shortStart[kShortBands + 1];  // first line within one window; last 192
};

// Return: the band layout of a sampling frequency (version 0..2 for MPEG-1,
// MPEG-2, MPEG-2.5; rate index 0..2).
const BandLayout& bandLayout(int32_t version, int32_t rateIndex);

// Pre-emphasis added to long-band scale factors when preflag is set.
extern const uint8_t kPretab[kLongBands];

// MPEG-1 scale factor lengths by scalefac_compress: slen1 (bands 0..10,
// short 0..5) and slen2 (bands 11..20, short 6..11).
extern const uint8_t kSlen[2][16];

// MPEG-2 scale factor partitions: bands per partition, by table (0..5:
// three for the normal channel, three for the intensity-coded right one) and
// block kind (0 long, 1 short, 2 mixed).
extern const uint8_t kLsfBandsPerPartition[6][3][4];

}  // namespace zarnel
