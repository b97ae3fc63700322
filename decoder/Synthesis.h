#pragma once
// Polyphase synthesis filterbank (ISO/IEC 11172-3 2.4.3.2.2, figure A.2):
// 32 subband samples in, 32 PCM samples out per call.

#include <cstdint>

namespace zarnel {

// Per channel: the last 16 matrixed vectors, each kept as the two 32-value
// halves the windowing reads, so the windowing runs over contiguous rows.
struct SynthesisState {
  float front[16][32] = {};  // V[0..31] of each vector
  float back[16][32] = {};   // V[32..63] of each vector
  int32_t newest = 0;        // row of the most recent vector
};

// Filters `slots` time slots of 32 subband samples each into 32 PCM samples
// per slot, rounded to nearest and clipped to 16 bits, written at pcm[0],
// pcm[stride], ... in time order.
void synthesize(SynthesisState& state, const float (*subbands)[32], int32_t slots, int16_t* pcm,
                int32_t stride);

}  // namespace zarnel
