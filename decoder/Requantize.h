#pragma once
// Layer III requantisation: |v|^(4/3) scaled by the global gain, sub-block
// gains and scale factors (ISO/IEC 11172-3 2.4.3.4.7).

#include <cstdint>

#include "decoder/LayerIIISideInfo.h"
#include "decoder/LayerIIITables.h"

namespace zarnel {

// Writes xr[0..count) from the quantised values and zeros xr[count..576).
// Pre: |values[i]| <= 8206, 0 <= count <= 576.
void requantize(const GranuleInfo& g, const ScaleFactors& sf, const BandLayout& layout, const int32_t* values,
                int32_t count, float* xr);

}  // namespace zarnel
