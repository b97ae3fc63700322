#pragma once
// Layer III joint stereo: mid/side and intensity stereo (ISO/IEC 11172-3
// 2.4.3.4.9, with the lower sampling frequency intensity rules of ISO/IEC
// 13818-3 2.4.3.2).

#include <cstdint>

#include "decoder/FrameHeader.h"
#include "decoder/LayerIIISideInfo.h"
#include "decoder/LayerIIITables.h"

namespace zarnel {

// Turns the coded channel pair xr[0], xr[1] (before short-block reordering)
// into left and right. right is the right channel's granule, whose scale
// factors carry the intensity positions and whose zero part bounds them.
// Pre: header.mode is joint stereo. Post: count[0] = count[1] = the lines
// either channel may now hold.
void jointStereo(const FrameHeader& header, const GranuleInfo& right, const ScaleFactors& rightSf,
                 const BandLayout& layout, float (*xr)[576], int32_t* count);

}  // namespace zarnel
