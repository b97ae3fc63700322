#include "decoder/FrameDecoder.h"

namespace zarnel {

namespace {

// Return: time slots of 32 subband samples the frame holds, or 0.
int32_t decodeSubbands(const FrameHeader& h, const uint8_t* frame, FrameDecoderState& st) {
  const int32_t headerBytes = 4 + (h.crc ? 2 : 0);
  if (h.layer == 3) return decodeLayerIII(h, frame, st.layer3, st.subbands) ? (h.lsf() ? 18 : 36) : 0;
  BitReader r(frame + headerBytes, h.frameBytes() - headerBytes);
  if (h.layer == 1) return decodeLayerI(h, r, st.subbands) ? 12 : 0;
  return decodeLayerII(h, r, st.subbands) ? 36 : 0;
}

}  // namespace

int32_t decodeFrame(const FrameHeader& h, const uint8_t* frame, FrameDecoderState& st, int16_t* pcm) {
  const int32_t slots = decodeSubbands(h, frame, st);
  if (slots == 0) return 0;
  const int32_t channels = h.channels();
  for (int32_t ch = 0; ch < channels; ++ch) synthesize(st.synthesis[ch], st.subbands[ch], slots, pcm + ch, channels);
  return slots * 32;
}

void resetFrameDecoder(FrameDecoderState& state) {
  resetLayerIII(state.layer3);
  for (SynthesisState& s : state.synthesis) s = SynthesisState{};
}

}  // namespace zarnel
