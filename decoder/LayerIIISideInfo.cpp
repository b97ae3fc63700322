#include "decoder/LayerIIISideInfo.h"

namespace zarnel {

namespace {

bool readGranule(BitReader& r, bool lsf, GranuleInfo& g) {
  g.part23Length = int32_t(r.read(12));
  g.bigValues = int32_t(r.read(9));
  g.globalGain = int32_t(r.read(8));
  g.scalefacCompress = int32_t(r.read(lsf ? 9 : 4));
  g.windowSwitching = r.readBit();
  if (g.windowSwitching) {
    g.blockType = int32_t(r.read(2));
    g.mixed = r.readBit();
    for (int32_t i = 0; i < 2; ++i) g.tableSelect[i] = uint8_t(r.read(5));
    g.tableSelect[2] = 0;
    for (int32_t w = 0; w < 3; ++w) g.subblockGain[w] = int32_t(r.read(3));
    // Implicit region boundaries: the whole big-values area is regions 0 and 1.
    g.region0Count = g.blockType == 2 && !g.mixed ? 8 : 7;
    g.region1Count = 20 - g.region0Count;
  } else {
    g.blockType = 0;
    g.mixed = false;
    for (int32_t i = 0; i < 3; ++i) g.tableSelect[i] = uint8_t(r.read(5));
    for (int32_t w = 0; w < 3; ++w) g.subblockGain[w] = 0;
    g.region0Count = int32_t(r.read(4));
    g.region1Count = int32_t(r.read(3));
  }
  g.preflag = lsf ? false : r.readBit();
  g.scalefacScale = r.readBit();
  g.count1TableB = r.readBit();
  return g.bigValues <= 288 && !(g.windowSwitching && g.blockType == 0);
}

// MPEG-1: two lengths chosen by scalefac_compress, scfsi groups for granule 1.
void readMpeg1(BitReader& r, const SideInfo& side, int32_t gr, int32_t ch, const ScaleFactors& prev,
               ScaleFactors& out) {
  const GranuleInfo& g = side.granule[gr][ch];
  const int32_t slen1 = kSlen[0][g.scalefacCompress];
  const int32_t slen2 = kSlen[1][g.scalefacCompress];
  if (g.shortBlocks()) {
    int32_t band = 0;
    if (g.mixed) {
      for (; band < 8; ++band) out.longBand[band] = uint8_t(r.read(slen1));
      band = 3;
    }
    for (; band < 12; ++band) {
      const int32_t bits = band < 6 ? slen1 : slen2;
      for (int32_t w = 0; w < 3; ++w) out.shortBand[band][w] = uint8_t(r.read(bits));
    }
    for (int32_t w = 0; w < 3; ++w) out.shortBand[12][w] = 0;
    return;
  }
  constexpr int32_t kGroupStart[5] = {0, 6, 11, 16, 21};
  for (int32_t group = 0; group < 4; ++group) {
    const bool reuse = gr == 1 && side.scfsi[ch][group];
    const int32_t bits = group < 2 ? slen1 : slen2;
    for (int32_t band = kGroupStart[group]; band < kGroupStart[group + 1]; ++band) {
      out.longBand[band] = reuse ? prev.longBand[band] : uint8_t(r.read(bits));
    }
  }
  out.longBand[21] = 0;
}

// MPEG-2: lengths and partition sizes from scalefac_compress; the right
// channel of an intensity-coded frame uses its own three tables.
void lsfLengths(int32_t sfc, bool intensityRight, int32_t slen[4], int32_t& table, bool& scale) {
  scale = false;
  if (intensityRight) {
    scale = (sfc & 1) != 0;
    const int32_t c = sfc >> 1;
    if (c < 180) {
      slen[0] = c / 36; slen[1] = (c % 36) / 6; slen[2] = c % 6; slen[3] = 0; table = 3;
    } else if (c < 244) {
      const int32_t d = c - 180;
      slen[0] = (d % 64) >> 4; slen[1] = (d % 16) >> 2; slen[2] = d % 4; slen[3] = 0; table = 4;
    } else {
      const int32_t d = c - 244;
      slen[0] = d / 3; slen[1] = d % 3; slen[2] = 0; slen[3] = 0; table = 5;
    }
    return;
  }
  if (sfc < 400) {
    slen[0] = (sfc >> 4) / 5; slen[1] = (sfc >> 4) % 5; slen[2] = (sfc % 16) >> 2; slen[3] = sfc % 4;
    table = 0;
  } else if (sfc < 500) {
    const int32_t d = sfc - 400;
    slen[0] = (d >> 2) / 5; slen[1] = (d >> 2) % 5; slen[2] = d % 4; slen[3] = 0; table = 1;
  } else {
    const int32_t d = sfc - 500;
    slen[0] = d / 3; slen[1] = d % 3; slen[2] = 0; slen[3] = 0; table = 2;
  }
}

// Stores one LSF scale factor at position k of the band sequence: long bands
// first (all of them, or the mixed block's first six), then short bands by window.
void storeLsf(const GranuleInfo& g, int32_t k, uint8_t value, uint8_t illegal, ScaleFactors& out) {
  const int32_t longCount = !g.shortBlocks() ? kLongBands - 1 : (g.mixed ? 6 : 0);
  if (k < longCount) {
    out.longBand[k] = value;
    out.illegalLong[k] = illegal;
    return;
  }
  const int32_t firstShort = g.mixed ? 3 : 0;
  const int32_t band = firstShort + (k - longCount) / 3;
  if (band >= kShortBands - 1) return;
  out.shortBand[band][(k - longCount) % 3] = value;
  out.illegalShort[band] = illegal;
}

void readLsf(BitReader& r, const FrameHeader& h, GranuleInfo& g, int32_t ch, ScaleFactors& out) {
  const bool intensityRight = ch == 1 && h.mode == kJointStereo && (h.modeExtension & 1);
  int32_t slen[4];
  int32_t table = 0;
  lsfLengths(g.scalefacCompress, intensityRight, slen, table, out.intensityScale);
  g.preflag = table == 2;
  const int32_t kind = !g.shortBlocks() ? 0 : (g.mixed ? 2 : 1);
  int32_t k = 0;
  for (int32_t part = 0; part < 4; ++part) {
    const uint8_t illegal = uint8_t((1 << slen[part]) - 1);
    for (int32_t n = 0; n < kLsfBandsPerPartition[table][kind][part]; ++n, ++k) {
      storeLsf(g, k, uint8_t(r.read(slen[part])), illegal, out);
    }
  }
}

}  // namespace

bool readSideInfo(BitReader& r, const FrameHeader& h, SideInfo& out) {
  const int32_t channels = h.channels();
  if (h.lsf()) {
    out.mainDataBegin = int32_t(r.read(8));
    r.skip(channels == 1 ? 1 : 2);
  } else {
    out.mainDataBegin = int32_t(r.read(9));
    r.skip(channels == 1 ? 5 : 3);
    for (int32_t ch = 0; ch < channels; ++ch) {
      for (int32_t group = 0; group < 4; ++group) out.scfsi[ch][group] = uint8_t(r.read(1));
    }
  }
  const int32_t granules = h.lsf() ? 1 : 2;
  bool ok = true;
  for (int32_t gr = 0; gr < granules; ++gr) {
    for (int32_t ch = 0; ch < channels; ++ch) ok = readGranule(r, h.lsf(), out.granule[gr][ch]) && ok;
  }
  return ok;
}

void readScaleFactors(BitReader& r, const FrameHeader& h, SideInfo& side, int32_t gr, int32_t ch,
                      const ScaleFactors& previous, ScaleFactors& out) {
  out = ScaleFactors{};
  if (h.lsf()) {
    readLsf(r, h, side.granule[gr][ch], ch, out);
    return;
  }
  readMpeg1(r, side, gr, ch, previous, out);
  for (uint8_t& v : out.illegalLong) v = 7;
  for (uint8_t& v : out.illegalShort) v = 7;
}

}  // namespace zarnel
