#include "decoder/LayerIII.h"

#include <cstring>

#include "decoder/Huffman.h"
#include "decoder/LayerIIIStereo.h"
#include "decoder/Requantize.h"

namespace zarnel {

namespace {

// Appends this frame's main data, dropping the oldest bytes when full.
// Return: bytes held before the append.
int32_t appendMainData(LayerIIIState& st, const uint8_t* data, int32_t bytes) {
  if (st.reservoirBytes + bytes > kReservoirBytes) {
    const int32_t keep = kReservoirBytes - bytes;
    std::memmove(st.reservoir, st.reservoir + st.reservoirBytes - keep, size_t(keep));
    st.reservoirBytes = keep;
  }
  const int32_t before = st.reservoirBytes;
  std::memcpy(st.reservoir + before, data, size_t(bytes));
  st.reservoirBytes += bytes;
  return before;
}

HuffmanRegions regionsOf(const GranuleInfo& g, const BandLayout& layout, int64_t endBit) {
  int32_t r1;
  int32_t r2;
  if (g.windowSwitching) {
    r1 = g.shortBlocks() && !g.mixed ? 3 * layout.shortStart[3] : layout.longStart[8];
    r2 = 576;
  } else {
    const int32_t a = g.region0Count + 1;
    const int32_t b = g.region0Count + g.region1Count + 2;
    r1 = layout.longStart[a < kLongBands ? a : kLongBands];
    r2 = layout.longStart[b < kLongBands ? b : kLongBands];
  }
  const int32_t big = 2 * g.bigValues;
  HuffmanRegions regions{};
  for (int32_t i = 0; i < 3; ++i) regions.tableSelect[i] = g.tableSelect[i];
  regions.regionEnd[0] = r1 < big ? r1 : big;
  regions.regionEnd[1] = r2 < big ? r2 : big;
  regions.regionEnd[2] = big;
  regions.count1TableB = g.count1TableB;
  regions.endBit = endBit;
  return regions;
}

// Return: the lines decoded, or -1 when the granule's data is damaged.
int32_t decodeChannel(const FrameHeader& h, SideInfo& side, int32_t gr, int32_t ch, BitReader& r,
                      LayerIIIState& st) {
  const BandLayout& layout = bandLayout(int32_t(h.version), h.rateIndex);
  GranuleInfo& g = side.granule[gr][ch];
  const int64_t start = r.position();
  const int64_t end = start + g.part23Length;
  if (end > r.size()) return -1;
  ScaleFactors sf;
  readScaleFactors(r, h, side, gr, ch, st.scaleFactors[ch], sf);
  st.scaleFactors[ch] = sf;
  const int32_t count = decodeSpectrum(r, regionsOf(g, layout, end), st.values[ch]);
  if (count < 0) return -1;
  requantize(g, sf, layout, st.values[ch], count, st.xr[ch]);
  r.setPosition(end);
  return count;
}

bool decodeGranule(const FrameHeader& h, SideInfo& side, int32_t gr, BitReader& r, LayerIIIState& st,
                   SubbandFrame& out) {
  const int32_t channels = h.channels();
  int32_t count[2] = {0, 0};
  for (int32_t ch = 0; ch < channels; ++ch) {
    count[ch] = decodeChannel(h, side, gr, ch, r, st);
    if (count[ch] < 0) return false;
  }
  const BandLayout& layout = bandLayout(int32_t(h.version), h.rateIndex);
  if (h.mode == kJointStereo && h.modeExtension != 0) {
    jointStereo(h, side.granule[gr][1], st.scaleFactors[1], layout, st.xr, count);
  }
  for (int32_t ch = 0; ch < channels; ++ch) {
    hybridSynthesis(side.granule[gr][ch], layout, st.xr[ch], count[ch], st.overlap[ch], out[ch] + 18 * gr);
  }
  return true;
}

}  // namespace

int32_t decodeLayerIII(const FrameHeader& h, const uint8_t* frame, LayerIIIState& st, SubbandFrame& out) {
  const int32_t headerBytes = 4 + (h.crc ? 2 : 0);
  const int32_t mainOffset = headerBytes + h.sideInfoBytes();
  const int32_t mainBytes = h.frameBytes() - mainOffset;
  if (mainBytes < 0) return 0;
  SideInfo side;
  BitReader sideReader(frame + headerBytes, h.sideInfoBytes());
  const bool sideOk = readSideInfo(sideReader, h, side);
  const int32_t before = appendMainData(st, frame + mainOffset, mainBytes);
  if (!sideOk || side.mainDataBegin > before) return 0;
  const int32_t begin = before - side.mainDataBegin;
  BitReader r(st.reservoir + begin, st.reservoirBytes - begin);
  const int32_t granules = h.lsf() ? 1 : 2;
  for (int32_t gr = 0; gr < granules; ++gr) {
    if (!decodeGranule(h, side, gr, r, st, out)) return 0;
  }
  return 1;
}

void resetLayerIII(LayerIIIState& state) {
  state.reservoirBytes = 0;
  for (OverlapState& o : state.overlap) o = OverlapState{};
}

}  // namespace zarnel
