#pragma once
// Layer III hybrid synthesis: short-block reordering, alias reduction, IMDCT
// with windowing and overlap-add, and frequency inversion (ISO/IEC 11172-3
// 2.4.3.4.10 to 2.4.3.4.12).

#include <cstdint>

#include "decoder/LayerIIISideInfo.h"
#include "decoder/LayerIIITables.h"

namespace zarnel {

// Per channel: the second half of the last IMDCT of each subband.
struct OverlapState {
  float samples[32][18];
};

// Turns one granule of one channel, xr[0..576) of which lines from count on
// are zero, into 18 time slots of 32 subband samples, out[slot][subband].
// xr is used as scratch.
void hybridSynthesis(const GranuleInfo& g, const BandLayout& layout, float* xr, int32_t count,
                     OverlapState& overlap, float (*out)[32]);

}  // namespace zarnel
