#pragma once
// One block of the track store's file as bytes, all little-endian:
//   0  block size S (a multiple of 8, counting the whole block)
//   4  header length H; 0 marks a free block, whose other bytes are zero
//   8  size key, bpm (float), last use (date stamp)
//  20  file name, NUL; comment, NUL            (H = 12 + name + 1 + comment + 1)
// 8+H  version (2), v1 .. v8, cue count N, then N cues: position, value,
//      flag (1 byte), label NUL-terminated; zero padding up to S.

#include <cstdint>
#include <string>
#include <vector>

#include "library/TrackEntry.h"

namespace zarnel {

constexpr int32_t kBlockHeadBytes = 8;
constexpr int32_t kMaxBlockBytes = 4096;
constexpr int32_t kMinHeaderLength = 14;
constexpr int32_t kMaxHeaderLength = 4096;
constexpr int32_t kFixedFieldBytes = 12;  // size key, bpm, last use
constexpr int32_t kBodyFixedBytes = 40;   // version, v1 .. v8, cue count
constexpr int32_t kCueFixedBytes = 10;    // position, value, flag, the label's NUL
constexpr int32_t kBlockVersion = 2;

struct BlockHead {
  int32_t size = 0;          // S
  int32_t headerLength = 0;  // H; 0: free
  bool isFree() const { return headerLength == 0; }
};

// What a block's header says about its entry.
struct EntryFields {
  int32_t sizeKey = 0;
  float bpm = 0.0f;
  int32_t lastUse = 0;
  std::string name;
  std::string comment;
};

// Pure byte work; any thread.
class TrackBlock {
 public:
  // Builds the block of an entry. When it would pass kMaxBlockBytes, cues are
  // left out from the last one, then the comment's tail, then the name's, so
  // that every block written can be read back.
  // Return: the block, S bytes.
  static std::vector<uint8_t> encode(const EntryFields& fields, const TrackData& data);

  // Pre: bytes holds kBlockHeadBytes. Return: the head they hold.
  static BlockHead readHead(const uint8_t* bytes);
  // Return: the 8 bytes of head.
  static std::vector<uint8_t> headBytes(BlockHead head);
  // Return: true for the head of a used block the index accepts:
  // H in 14..4096 and S in H + 12 .. 4096.
  static bool isValidUsedHead(BlockHead head);

  // Reads the header (the H bytes after the head). A name or comment without
  // its NUL runs to the header's end, so a torn header still reads.
  // Return: the fields.
  static EntryFields decodeFields(const uint8_t* header, int32_t headerLength);
  // Reads the body (the S - H - 8 bytes after the header) over data's
  // defaults: version 0 and up holds v1 .. v8, version 1 and up the cues, and
  // below version 2 v8 is reset to 0. Reading stops, keeping what it has,
  // where the bytes run out. An empty label reads as none.
  static void decodeBody(const uint8_t* body, int32_t count, TrackData& data);
};

}  // namespace zarnel
