#pragma once
// Layers I and II: bit allocation, scale factors and requantised subband
// samples (ISO/IEC 11172-3 2.4.1.5, 2.4.1.6, 2.4.3.1 and 2.4.3.3, with the
// lower sampling frequency allocation of ISO/IEC 13818-3 table B.1).

#include <cstdint>

#include "decoder/BitReader.h"
#include "decoder/FrameHeader.h"

namespace zarnel {

// Subband samples of a whole frame: [channel][time slot][subband].
using SubbandFrame = float[2][36][32];

// Decodes a Layer I frame's 12 time slots. Pre: reader after the header and
// check word. Return: false when the frame uses a forbidden allocation or
// scale factor.
bool decodeLayerI(const FrameHeader& header, BitReader& reader, SubbandFrame& out);

// Decodes a Layer II frame's 36 time slots. Pre and Return as for Layer I.
bool decodeLayerII(const FrameHeader& header, BitReader& reader, SubbandFrame& out);

}  // namespace zarnel
