#include "decoder/SubbandCommon.h"
#include "decoder/SubbandLayers.h"

namespace zarnel {

namespace {

struct LayerIAllocation {
  uint8_t bits[2][32] = {};   // allocation: bits per sample less one, 0 for none
  uint8_t scale[2][32] = {};  // scale factor index
};

// Above the joint stereo bound one allocation serves both channels.
bool readAllocation(BitReader& r, int32_t channels, int32_t bound, LayerIAllocation& a) {
  for (int32_t sb = 0; sb < 32; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      a.bits[ch][sb] = (sb < bound || ch == 0) ? uint8_t(r.read(4)) : a.bits[0][sb];
      if (a.bits[ch][sb] == 15) return false;  // a forbidden value
    }
  }
  for (int32_t sb = 0; sb < 32; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      if (a.bits[ch][sb] != 0) a.scale[ch][sb] = uint8_t(r.read(6));
      if (a.scale[ch][sb] == kBadScaleIndex) return false;
    }
  }
  return true;
}

// Above the joint stereo bound both channels share one sample.
void readSlot(BitReader& r, int32_t channels, int32_t bound, const LayerIAllocation& a, int32_t slot,
              SubbandFrame& out) {
  for (int32_t sb = 0; sb < 32; ++sb) {
    float level = 0.0f;
    for (int32_t ch = 0; ch < channels; ++ch) {
      const int32_t bits = a.bits[ch][sb] + 1;
      if (bits == 1) {
        out[ch][slot][sb] = 0.0f;
        continue;
      }
      if (sb < bound || ch == 0) level = requantizeLevel(r.read(bits), (1u << bits) - 1);
      out[ch][slot][sb] = level * kLayerScales[a.scale[ch][sb]];
    }
  }
}

}  // namespace

bool decodeLayerI(const FrameHeader& h, BitReader& r, SubbandFrame& out) {
  const int32_t channels = h.channels();
  const int32_t bound = h.mode == kJointStereo ? (h.modeExtension + 1) * 4 : 32;
  LayerIAllocation a;
  if (!readAllocation(r, channels, bound, a)) return false;
  for (int32_t slot = 0; slot < 12; ++slot) readSlot(r, channels, bound, a, slot, out);
  return true;
}

}  // namespace zarnel
