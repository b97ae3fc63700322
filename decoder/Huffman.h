#pragma once
// Layer III Huffman decoding of the big-values and count1 regions.

#include <cstdint>

#include "decoder/BitReader.h"

namespace zarnel {

// What the Huffman stage needs of one granule and channel.
struct HuffmanRegions {
  uint8_t tableSelect[3];
  int32_t regionEnd[3];  // end line of regions 0, 1 and 2 (the last = big values × 2)
  bool count1TableB;
  int64_t endBit;        // reader position where this granule's part 2 and 3 end
};

// Decodes the quantised spectrum into values[0..576).
// Pre: regionEnd ascending and at most 576. Post: values past the return are 0.
// Return: the end of the decoded lines (a multiple of 2; count1 quadruples
// that run past endBit are dropped), or -1 for a table the standard does
// not define (4 and 14).
int32_t decodeSpectrum(BitReader& reader, const HuffmanRegions& regions, int32_t* values);

}  // namespace zarnel
