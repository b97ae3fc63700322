#include "decoder/SubbandCommon.h"
#include "decoder/SubbandLayers.h"

namespace zarnel {

bool decodeLayerI(const FrameHeader& h, BitReader& r, SubbandFrame& out) {
  const int32_t channels = h.channels();
  const int32_t bound = h.mode == kJointStereo ? (h.modeExtension + 1) * 4 : 32;
  uint8_t alloc[2][32] = {};
  uint8_t scale[2][32] = {};
  for (int32_t sb = 0; sb < 32; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      alloc[ch][sb] = (sb < bound || ch == 0) ? uint8_t(r.read(4)) : alloc[0][sb];
      if (alloc[ch][sb] == 15) return false;
    }
  }
  for (int32_t sb = 0; sb < 32; ++sb) {
    for (int32_t ch = 0; ch < channels; ++ch) {
      if (alloc[ch][sb] != 0) scale[ch][sb] = uint8_t(r.read(6));
      if (scale[ch][sb] == kBadScaleIndex) return false;
    }
  }
  for (int32_t slot = 0; slot < 12; ++slot) {
    for (int32_t sb = 0; sb < 32; ++sb) {
      float level = 0.0f;
      for (int32_t ch = 0; ch < channels; ++ch) {
        const int32_t bits = alloc[ch][sb] + 1;
        if (alloc[ch][sb] == 0) {
          out[ch][slot][sb] = 0.0f;
          continue;
        }
        // Above the joint stereo bound both channels share one sample.
        if (sb < bound || ch == 0) level = requantizeLevel(r.read(bits), (1u << bits) - 1);
        out[ch][slot][sb] = level * kLayerScales[scale[ch][sb]];
      }
    }
  }
  return true;
}

}  // namespace zarnel
