#include "decoder/Huffman.h"

#include <array>
#include <cstddef>

#include "decoder/HuffmanCodes.h"

namespace zarnel {

namespace {

using huffman_codes::Code;

// Lookup entries built at compile time from the published code words. The
// first level looks at kRootBits bits; longer codes continue in a second-level
// table chosen by that prefix.
//   leaf:    bit 31 clear; bits 0..7 length consumed at this level, 8..15 x, 16..23 y
//   pointer: bit 31 set; bits 0..7 second-level bits, 8..30 second-level offset
constexpr int32_t kRootBits = 8;
constexpr uint32_t kPointer = 0x80000000u;

template <size_t N>
constexpr int32_t maxLength(const Code (&codes)[N]) {
  int32_t m = 0;
  for (const Code& c : codes) m = c.length > m ? c.length : m;
  return m;
}

template <size_t N>
constexpr int32_t rootBits(const Code (&codes)[N]) {
  return maxLength(codes) < kRootBits ? maxLength(codes) : kRootBits;
}

// Return: bits of the second-level table under root prefix p (0: none).
template <size_t N>
constexpr int32_t subBits(const Code (&codes)[N], int32_t root, uint32_t p) {
  int32_t bits = 0;
  for (const Code& c : codes) {
    const int32_t extra = c.length - root;
    if (extra > 0 && (uint32_t(c.word) >> extra) == p && extra > bits) bits = extra;
  }
  return bits;
}

template <size_t N>
constexpr size_t lookupSize(const Code (&codes)[N]) {
  const int32_t root = rootBits(codes);
  size_t size = size_t(1) << root;
  for (uint32_t p = 0; p < (1u << root); ++p) {
    const int32_t bits = subBits(codes, root, p);
    if (bits > 0) size += size_t(1) << bits;
  }
  return size;
}

constexpr uint32_t leaf(int32_t length, int32_t index, int32_t width) {
  return uint32_t(length) | uint32_t(index / width) << 8 | uint32_t(index % width) << 16;
}

template <size_t Size, size_t N>
constexpr std::array<uint32_t, Size> buildLookup(const Code (&codes)[N], int32_t width) {
  std::array<uint32_t, Size> t{};
  const int32_t root = rootBits(codes);
  size_t next = size_t(1) << root;
  for (uint32_t p = 0; p < (1u << root); ++p) {
    const int32_t bits = subBits(codes, root, p);
    if (bits == 0) continue;
    t[p] = kPointer | uint32_t(next) << 8 | uint32_t(bits);
    for (size_t i = 0; i < N; ++i) {
      const int32_t extra = codes[i].length - root;
      if (extra <= 0 || (uint32_t(codes[i].word) >> extra) != p) continue;
      const uint32_t low = uint32_t(codes[i].word) & ((1u << extra) - 1);
      const uint32_t first = low << (bits - extra);
      for (uint32_t k = 0; k < (1u << (bits - extra)); ++k) t[next + first + k] = leaf(extra, int32_t(i), width);
    }
    next += size_t(1) << bits;
  }
  for (size_t i = 0; i < N; ++i) {
    if (codes[i].length > root) continue;
    const int32_t spare = root - codes[i].length;
    const uint32_t first = uint32_t(codes[i].word) << spare;
    for (uint32_t k = 0; k < (1u << spare); ++k) t[first + k] = leaf(codes[i].length, int32_t(i), width);
  }
  return t;
}

#define ZARNEL_LOOKUP(name, codes, width) \
  constexpr auto name = buildLookup<lookupSize(codes), sizeof(codes) / sizeof(Code)>(codes, width)

ZARNEL_LOOKUP(kLookup1, huffman_codes::kTable1, 2);
ZARNEL_LOOKUP(kLookup2, huffman_codes::kTable2, 3);
ZARNEL_LOOKUP(kLookup3, huffman_codes::kTable3, 3);
ZARNEL_LOOKUP(kLookup5, huffman_codes::kTable5, 4);
ZARNEL_LOOKUP(kLookup6, huffman_codes::kTable6, 4);
ZARNEL_LOOKUP(kLookup7, huffman_codes::kTable7, 6);
ZARNEL_LOOKUP(kLookup8, huffman_codes::kTable8, 6);
ZARNEL_LOOKUP(kLookup9, huffman_codes::kTable9, 6);
ZARNEL_LOOKUP(kLookup10, huffman_codes::kTable10, 8);
ZARNEL_LOOKUP(kLookup11, huffman_codes::kTable11, 8);
ZARNEL_LOOKUP(kLookup12, huffman_codes::kTable12, 8);
ZARNEL_LOOKUP(kLookup13, huffman_codes::kTable13, 16);
ZARNEL_LOOKUP(kLookup15, huffman_codes::kTable15, 16);
ZARNEL_LOOKUP(kLookup16, huffman_codes::kTable16, 16);
ZARNEL_LOOKUP(kLookup24, huffman_codes::kTable24, 16);
ZARNEL_LOOKUP(kLookupQuadA, huffman_codes::kQuadA, 16);

#undef ZARNEL_LOOKUP

struct PairTable {
  const uint32_t* lookup;  // null: every pair is (0, 0); kInvalid: not defined
  uint8_t root;
  uint8_t linbits;
};

const uint32_t kInvalid[1] = {0};

constexpr uint8_t root(const auto& codes) { return uint8_t(rootBits(codes)); }

// The 32 big-values tables by table_select (ISO/IEC 11172-3 table B.7).
const PairTable kPairTables[32] = {
    {nullptr, 0, 0},
    {kLookup1.data(), root(huffman_codes::kTable1), 0},
    {kLookup2.data(), root(huffman_codes::kTable2), 0},
    {kLookup3.data(), root(huffman_codes::kTable3), 0},
    {kInvalid, 0, 0},
    {kLookup5.data(), root(huffman_codes::kTable5), 0},
    {kLookup6.data(), root(huffman_codes::kTable6), 0},
    {kLookup7.data(), root(huffman_codes::kTable7), 0},
    {kLookup8.data(), root(huffman_codes::kTable8), 0},
    {kLookup9.data(), root(huffman_codes::kTable9), 0},
    {kLookup10.data(), root(huffman_codes::kTable10), 0},
    {kLookup11.data(), root(huffman_codes::kTable11), 0},
    {kLookup12.data(), root(huffman_codes::kTable12), 0},
    {kLookup13.data(), root(huffman_codes::kTable13), 0},
    {kInvalid, 0, 0},
    {kLookup15.data(), root(huffman_codes::kTable15), 0},
    {kLookup16.data(), root(huffman_codes::kTable16), 1},
    {kLookup16.data(), root(huffman_codes::kTable16), 2},
    {kLookup16.data(), root(huffman_codes::kTable16), 3},
    {kLookup16.data(), root(huffman_codes::kTable16), 4},
    {kLookup16.data(), root(huffman_codes::kTable16), 6},
    {kLookup16.data(), root(huffman_codes::kTable16), 8},
    {kLookup16.data(), root(huffman_codes::kTable16), 10},
    {kLookup16.data(), root(huffman_codes::kTable16), 13},
    {kLookup24.data(), root(huffman_codes::kTable24), 4},
    {kLookup24.data(), root(huffman_codes::kTable24), 5},
    {kLookup24.data(), root(huffman_codes::kTable24), 6},
    {kLookup24.data(), root(huffman_codes::kTable24), 7},
    {kLookup24.data(), root(huffman_codes::kTable24), 8},
    {kLookup24.data(), root(huffman_codes::kTable24), 9},
    {kLookup24.data(), root(huffman_codes::kTable24), 11},
    {kLookup24.data(), root(huffman_codes::kTable24), 13},
};

// Return: the entry of the next code word, consumed from reader.
// Pre: reader.ensure(19) or more.
inline uint32_t nextEntry(BitReader& reader, const uint32_t* lookup, int32_t root) {
  uint32_t e = lookup[reader.peekFast(root)];
  if (e & kPointer) {
    reader.skipFast(root);
    e = lookup[((e & ~kPointer) >> 8) + reader.peekFast(int32_t(e & 0xFF))];
  }
  reader.skipFast(int32_t(e & 0xFF));
  return e;
}

// Return: v with its escape bits added and its sign applied.
// Pre: reader.ensure(linbits + 1) or more.
inline int32_t finishValue(BitReader& reader, int32_t v, int32_t linbits) {
  if (linbits != 0 && v == 15) {
    v += int32_t(reader.peekFast(linbits));
    reader.skipFast(linbits);
  }
  if (v == 0) return 0;
  const bool negative = reader.peekFast(1) != 0;
  reader.skipFast(1);
  return negative ? -v : v;
}

void decodePairs(BitReader& reader, const PairTable& t, int32_t begin, int32_t end, int32_t* values) {
  if (t.lookup == nullptr) {
    for (int32_t i = begin; i < end; ++i) values[i] = 0;
    return;
  }
  // A local copy keeps the reader in registers while values are stored.
  BitReader r = reader;
  for (int32_t i = begin; i < end; i += 2) {
    // The longest pair: a 19-bit code word, then 13 escape bits and a sign twice.
    r.ensure(19 + 2 * (13 + 1));
    const uint32_t e = nextEntry(r, t.lookup, t.root);
    values[i] = finishValue(r, int32_t((e >> 8) & 0xFF), t.linbits);
    values[i + 1] = finishValue(r, int32_t((e >> 16) & 0xFF), t.linbits);
  }
  reader = r;
}

// Return: the next count1 quadruple as v·8 + w·4 + x·2 + y.
inline uint32_t nextQuad(BitReader& reader, bool tableB) {
  reader.ensure(6 + 4);  // the longest quadruple code word and four signs
  if (tableB) return 15u - reader.read(4);
  return (nextEntry(reader, kLookupQuadA.data(), root(huffman_codes::kQuadA)) >> 16) & 0xFF;
}

int32_t decodeQuads(BitReader& reader, bool tableB, int64_t endBit, int32_t begin, int32_t* values) {
  int32_t i = begin;
  while (i + 4 <= 576 && reader.position() < endBit) {
    const uint32_t q = nextQuad(reader, tableB);
    for (int32_t k = 0; k < 4; ++k) {
      const bool set = (q >> (3 - k)) & 1;
      values[i + k] = set ? (reader.readBit() ? -1 : 1) : 0;
    }
    if (reader.position() > endBit) {
      // The last quadruple ran into the next granule's bits: it is not data.
      for (int32_t k = 0; k < 4; ++k) values[i + k] = 0;
      break;
    }
    i += 4;
  }
  return i;
}

}  // namespace

int32_t decodeSpectrum(BitReader& reader, const HuffmanRegions& regions, int32_t* values) {
  int32_t begin = 0;
  for (int32_t r = 0; r < 3; ++r) {
    const PairTable& t = kPairTables[regions.tableSelect[r]];
    const int32_t end = regions.regionEnd[r];
    if (end > begin && t.lookup == kInvalid) return -1;
    if (end > begin) decodePairs(reader, t, begin, end, values);
    if (end > begin) begin = end;
  }
  const int32_t end = decodeQuads(reader, regions.count1TableB, regions.endBit, begin, values);
  for (int32_t i = end; i < 576; ++i) values[i] = 0;
  return end;
}

}  // namespace zarnel
