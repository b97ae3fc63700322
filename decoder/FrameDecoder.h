#pragma once
// One frame of any layer from its bytes to interleaved 16-bit PCM, with the
// state that runs across frames (reservoir, overlap, synthesis history).

#include <cstdint>

#include "decoder/FrameHeader.h"
#include "decoder/LayerIII.h"
#include "decoder/SubbandLayers.h"
#include "decoder/Synthesis.h"

namespace zarnel {

// Most PCM samples one frame gives: 1152 per channel, two channels.
constexpr int32_t kMaxFrameSamples = 1152 * 2;

struct FrameDecoderState {
  LayerIIIState layer3;
  SynthesisState synthesis[2];
  SubbandFrame subbands = {};
};

// Decodes the frame at `frame` into pcm (interleaved when two channels).
// Pre: frame holds header.frameBytes() bytes; pcm holds kMaxFrameSamples.
// Return: samples per channel written, or 0 when the frame is abandoned.
int32_t decodeFrame(const FrameHeader& header, const uint8_t* frame, FrameDecoderState& state, int16_t* pcm);

// Forgets everything carried from earlier frames (after a seek).
void resetFrameDecoder(FrameDecoderState& state);

}  // namespace zarnel
