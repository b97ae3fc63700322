#pragma once
// Layer III side information and scale factors (ISO/IEC 11172-3 2.4.1.7 and
// 2.4.2.7, ISO/IEC 13818-3 2.4.1.7 for the lower sampling frequencies).

#include <cstdint>

#include "decoder/BitReader.h"
#include "decoder/FrameHeader.h"
#include "decoder/LayerIIITables.h"

namespace zarnel {

struct GranuleInfo {
  int32_t part23Length = 0;
  int32_t bigValues = 0;
  int32_t globalGain = 0;
  int32_t scalefacCompress = 0;
  bool windowSwitching = false;
  int32_t blockType = 0;  // 0 normal, 1 start, 2 short, 3 stop
  bool mixed = false;
  uint8_t tableSelect[3] = {0, 0, 0};
  int32_t subblockGain[3] = {0, 0, 0};
  int32_t region0Count = 0;
  int32_t region1Count = 0;
  bool preflag = false;
  bool scalefacScale = false;
  bool count1TableB = false;

  bool shortBlocks() const { return windowSwitching && blockType == 2; }
};

struct SideInfo {
  int32_t mainDataBegin = 0;
  uint8_t scfsi[2][4] = {};
  GranuleInfo granule[2][2];  // [granule][channel]
};

struct ScaleFactors {
  uint8_t longBand[kLongBands] = {};
  uint8_t shortBand[kShortBands][3] = {};
  // Intensity positions at or above these are illegal (the band keeps its
  // own stereo coding): 7 for MPEG-1, the partition's largest value for MPEG-2.
  uint8_t illegalLong[kLongBands] = {};
  uint8_t illegalShort[kShortBands] = {};
  bool intensityScale = false;  // MPEG-2 right channel: 2^-0.5 steps instead of 2^-0.25
};

// Reads the side information that follows the header (and check word).
// Return: false when a field holds a value no decoder can use (big values
// past 288 pairs, block type 0 with window switching).
bool readSideInfo(BitReader& reader, const FrameHeader& header, SideInfo& out);

// Reads one granule's scale factors for channel ch; for MPEG-1 granule 1
// the bands that scfsi marks are copied from previous (granule 0). For
// MPEG-2 it also sets the granule's preflag, which scalefac_compress implies.
// Pre: reader at the start of part 2. Post: reader after the scale factors.
void readScaleFactors(BitReader& reader, const FrameHeader& header, SideInfo& side, int32_t gr,
                      int32_t ch, const ScaleFactors& previous, ScaleFactors& out);

}  // namespace zarnel
