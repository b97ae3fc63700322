#include "library/TrackBlock.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

namespace zarnel {

namespace {

// A text as stored: up to its first NUL.
std::string_view storedText(const std::string& text) {
  return std::string_view(text).substr(0, text.find('\0'));
}

class ByteWriter {
 public:
  explicit ByteWriter(std::vector<uint8_t>& out, size_t at) : out_(out), at_(at) {}
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at_++] = uint8_t(v >> (8 * i));
  }
  void i32(int32_t v) { u32(uint32_t(v)); }
  void f32(float v) { u32(std::bit_cast<uint32_t>(v)); }
  void u8(uint8_t v) { out_[at_++] = v; }
  void text(std::string_view s) {
    std::copy(s.begin(), s.end(), out_.begin() + std::ptrdiff_t(at_));
    at_ += s.size();
    out_[at_++] = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  size_t at_;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* bytes, int32_t count) : bytes_(bytes), left_(std::max(count, 0)) {}
  int32_t left() const { return left_; }
  bool u32(uint32_t& v) {
    if (left_ < 4) return false;
    v = uint32_t(bytes_[0]) | uint32_t(bytes_[1]) << 8 | uint32_t(bytes_[2]) << 16 |
        uint32_t(bytes_[3]) << 24;
    skip(4);
    return true;
  }
  bool i32(int32_t& v) {
    uint32_t u = 0;
    if (!u32(u)) return false;
    v = int32_t(u);
    return true;
  }
  bool f32(float& v) {
    uint32_t u = 0;
    if (!u32(u)) return false;
    v = std::bit_cast<float>(u);
    return true;
  }
  bool u8(uint8_t& v) {
    if (left_ < 1) return false;
    v = bytes_[0];
    skip(1);
    return true;
  }
  // A NUL-terminated text; without its NUL, the rest when lenient, else fails.
  bool text(std::string& s, bool lenient) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(bytes_, 0, size_t(left_)));
    if (!end && !lenient) return false;
    int32_t n = end ? int32_t(end - bytes_) : left_;
    s.assign(reinterpret_cast<const char*>(bytes_), size_t(n));
    skip(std::min(n + 1, left_));
    return true;
  }

 private:
  void skip(int32_t n) {
    bytes_ += n;
    left_ -= n;
  }
  const uint8_t* bytes_;
  int32_t left_;
};

int32_t cueBytes(const CueEntry& cue) {
  return kCueFixedBytes + int32_t(storedText(cue.label).size());
}

// What goes into one block once it is cut to kMaxBlockBytes.
struct BlockPlan {
  size_t cues = 0;
  std::string_view name, comment;
  int32_t used = 0;  // bytes before the padding
};

BlockPlan planBlock(const EntryFields& fields, const TrackData& data) {
  BlockPlan plan{data.cues.size(), storedText(fields.name), storedText(fields.comment), 0};
  int64_t used = kBlockHeadBytes + kFixedFieldBytes + kBodyFixedBytes + 2;
  used += int64_t(plan.name.size() + plan.comment.size());
  for (const CueEntry& cue : data.cues) used += cueBytes(cue);
  while (used > kMaxBlockBytes && plan.cues > 0) used -= cueBytes(data.cues[--plan.cues]);
  for (std::string_view* text : {&plan.comment, &plan.name}) {
    size_t cut = size_t(std::clamp<int64_t>(used - kMaxBlockBytes, 0, int64_t(text->size())));
    *text = text->substr(0, text->size() - cut);
    used -= int64_t(cut);
  }
  plan.used = int32_t(used);
  return plan;
}

}  // namespace

std::vector<uint8_t> TrackBlock::encode(const EntryFields& fields, const TrackData& data) {
  BlockPlan plan = planBlock(fields, data);
  int32_t size = (plan.used + 7) / 8 * 8;
  int32_t header = kFixedFieldBytes + int32_t(plan.name.size() + plan.comment.size()) + 2;
  std::vector<uint8_t> block(size_t(size), 0);
  ByteWriter out(block, 0);
  out.i32(size);
  out.i32(header);
  out.i32(fields.sizeKey);
  out.f32(fields.bpm);
  out.i32(fields.lastUse);
  out.text(plan.name);
  out.text(plan.comment);
  out.i32(kBlockVersion);
  for (float v : {data.v1, data.v2, data.v3}) out.f32(v);
  for (int32_t v : {data.v4, data.v5, data.v6, data.v7, data.v8}) out.i32(v);
  out.i32(int32_t(plan.cues));
  for (size_t i = 0; i < plan.cues; ++i) {
    const CueEntry& cue = data.cues[i];
    out.f32(cue.position);
    out.i32(cue.value);
    out.u8(cue.flag);
    out.text(storedText(cue.label));
  }
  return block;
}

BlockHead TrackBlock::readHead(const uint8_t* bytes) {
  ByteReader in(bytes, kBlockHeadBytes);
  BlockHead head;
  in.i32(head.size);
  in.i32(head.headerLength);
  return head;
}

std::vector<uint8_t> TrackBlock::headBytes(BlockHead head) {
  std::vector<uint8_t> bytes(kBlockHeadBytes);
  ByteWriter out(bytes, 0);
  out.i32(head.size);
  out.i32(head.headerLength);
  return bytes;
}

bool TrackBlock::isValidUsedHead(BlockHead head) {
  return head.headerLength >= kMinHeaderLength && head.headerLength <= kMaxHeaderLength &&
         head.size >= head.headerLength + 12 && head.size <= kMaxBlockBytes;
}

EntryFields TrackBlock::decodeFields(const uint8_t* header, int32_t headerLength) {
  ByteReader in(header, headerLength);
  EntryFields fields;
  in.i32(fields.sizeKey);
  in.f32(fields.bpm);
  in.i32(fields.lastUse);
  in.text(fields.name, true);
  in.text(fields.comment, true);
  return fields;
}

void TrackBlock::decodeBody(const uint8_t* body, int32_t count, TrackData& data) {
  ByteReader in(body, count);
  int32_t version = 0;
  if (!in.i32(version) || version < 0 || in.left() < 32) return;
  for (float* v : {&data.v1, &data.v2, &data.v3}) in.f32(*v);
  for (int32_t* v : {&data.v4, &data.v5, &data.v6, &data.v7, &data.v8}) in.i32(*v);
  if (version < 2) data.v8 = 0;
  int32_t cues = 0;
  if (version < 1 || !in.i32(cues) || cues <= 0) return;
  // The count is not trusted: every cue takes at least kCueFixedBytes.
  data.cues.reserve(size_t(std::min(cues, in.left() / kCueFixedBytes)));
  for (int32_t i = 0; i < cues; ++i) {
    CueEntry cue;
    if (!in.f32(cue.position) || !in.i32(cue.value) || !in.u8(cue.flag) || !in.text(cue.label, false))
      return;
    data.cues.push_back(std::move(cue));
  }
}

}  // namespace zarnel
