#pragma once
// Layer III frame decoding over the bit reservoir: side information, main
// data, and the stages from Huffman decoding to subband samples.

#include <cstdint>

#include "decoder/FrameHeader.h"
#include "decoder/Imdct.h"
#include "decoder/LayerIIISideInfo.h"
#include "decoder/SubbandLayers.h"

namespace zarnel {

// Main data of earlier frames that a frame may point back into.
constexpr int32_t kReservoirBytes = 4096;

struct LayerIIIState {
  // Zero bytes after the data let the bit reader's look-ahead stay inside.
  uint8_t reservoir[kReservoirBytes + 8] = {};
  int32_t reservoirBytes = 0;
  OverlapState overlap[2] = {};
  ScaleFactors scaleFactors[2];  // the last granule's, for scfsi
  int32_t values[2][576] = {};
  float xr[2][576] = {};
};

// Return: 1 with out[ch][0 .. 18 × granules) filled; 0 when the frame is
// abandoned (main data from before the stream, damaged side information or
// Huffman data), its main data still kept for the frames after it.
// Pre: frame holds header.frameBytes() bytes.
int32_t decodeLayerIII(const FrameHeader& header, const uint8_t* frame, LayerIIIState& state, SubbandFrame& out);

// Forgets the reservoir and the overlap (after a seek).
void resetLayerIII(LayerIIIState& state);

}  // namespace zarnel
