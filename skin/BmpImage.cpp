#include "skin/BmpImage.h"

#include <array>

namespace zarnel {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitFields = 3;

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

bool knownInfoSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// The fields of the information header that decoding needs.
struct BmpLayout {
  int64_t width = 0, height = 0;  // height < 0: rows top to bottom
  uint32_t bits = 0;
  uint32_t compression = 0;
  uint32_t colours = 0;
  size_t infoSize = 0;
  size_t pixelOffset = 0;
  size_t stride = 0;
};

BmpStatus readLayout(const uint8_t* data, size_t size, BmpLayout& layout) {
  if (size < kFileHeaderBytes + 40 || data[0] != 'B' || data[1] != 'M') return BmpStatus::kNotBmp;
  const uint8_t* info = data + kFileHeaderBytes;
  layout.infoSize = le32(info);
  layout.pixelOffset = le32(data + 10);
  if (!knownInfoSize(uint32_t(layout.infoSize))) return BmpStatus::kUnsupported;
  if (size < kFileHeaderBytes + layout.infoSize) return BmpStatus::kTruncated;
  layout.width = int32_t(le32(info + 4));
  layout.height = int32_t(le32(info + 8));
  layout.bits = le16(info + 14);
  layout.compression = le32(info + 16);
  layout.colours = le32(info + 32);
  if (le16(info + 12) != 1) return BmpStatus::kUnsupported;
  // The pixels follow the headers; an offset back into them is no image.
  if (layout.pixelOffset < kFileHeaderBytes + layout.infoSize) return BmpStatus::kNotBmp;
  return BmpStatus::kOk;
}

// Bit fields are taken only when they say what plain 32-bit pixels mean.
bool standardMasks(const uint8_t* data) {
  const uint8_t* masks = data + kFileHeaderBytes + 40;
  return le32(masks) == 0x00FF0000u && le32(masks + 4) == 0x0000FF00u && le32(masks + 8) == 0x000000FFu;
}

BmpStatus checkFormat(const uint8_t* data, size_t size, const BmpLayout& layout) {
  if (layout.bits != 8 && layout.bits != 24 && layout.bits != 32) return BmpStatus::kUnsupported;
  if (layout.compression == kCompressionBitFields && layout.bits == 32) {
    // The masks follow a 40-byte header and lie inside the larger ones.
    if (size < kFileHeaderBytes + 40 + 12) return BmpStatus::kTruncated;
    if (!standardMasks(data)) return BmpStatus::kUnsupported;
  } else if (layout.compression != kCompressionNone) {
    return BmpStatus::kUnsupported;
  }
  int64_t rows = layout.height < 0 ? -layout.height : layout.height;
  if (layout.width <= 0 || rows == 0 || layout.width > kBmpMaxSide || rows > kBmpMaxSide ||
      layout.width * rows > kBmpMaxPixels) {
    return BmpStatus::kBadSize;
  }
  return BmpStatus::kOk;
}

// Reads the palette of an 8-bit image, which follows the information header
// (and, for a 40-byte header with bit fields, the masks; not used here).
BmpStatus readPalette(const uint8_t* data, size_t size, const BmpLayout& layout,
                      std::array<uint32_t, 256>& palette, uint32_t& count) {
  count = layout.colours == 0 ? 256 : layout.colours;
  if (count > 256) return BmpStatus::kBadPalette;
  size_t start = kFileHeaderBytes + layout.infoSize;
  if (size < start || (size - start) / 4 < count) return BmpStatus::kTruncated;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + start + 4 * i;
    palette[i] = uint32_t(entry[2]) << 16 | uint32_t(entry[1]) << 8 | entry[0];
  }
  return BmpStatus::kOk;
}

BmpStatus decodeRow(const uint8_t* row, const BmpLayout& layout, const std::array<uint32_t, 256>& palette,
                    uint32_t paletteCount, uint32_t* out) {
  for (int64_t x = 0; x < layout.width; ++x) {
    if (layout.bits == 8) {
      if (row[x] >= paletteCount) return BmpStatus::kBadPalette;
      out[x] = palette[row[x]];
      continue;
    }
    const uint8_t* p = row + x * (layout.bits / 8);
    out[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];  // the fourth byte is dropped
  }
  return BmpStatus::kOk;
}

}  // namespace

BmpStatus decodeBmp(const uint8_t* data, size_t size, Bitmap& out) {
  out = Bitmap();
  BmpLayout layout;
  BmpStatus status = readLayout(data, size, layout);
  if (status == BmpStatus::kOk) status = checkFormat(data, size, layout);
  std::array<uint32_t, 256> palette{};
  uint32_t paletteCount = 0;
  if (status == BmpStatus::kOk && layout.bits == 8) status = readPalette(data, size, layout, palette, paletteCount);
  if (status != BmpStatus::kOk) return status;
  int64_t rows = layout.height < 0 ? -layout.height : layout.height;
  layout.stride = size_t((layout.width * layout.bits + 31) / 32 * 4);
  if (layout.pixelOffset > size || (size - layout.pixelOffset) / layout.stride < size_t(rows)) {
    return BmpStatus::kTruncated;
  }
  Bitmap image;
  image.width = int32_t(layout.width);
  image.height = int32_t(rows);
  image.pixels.resize(size_t(layout.width * rows));
  for (int64_t r = 0; r < rows; ++r) {
    int64_t top = layout.height < 0 ? r : rows - 1 - r;  // bottom-up files store the last row first
    const uint8_t* row = data + layout.pixelOffset + size_t(r) * layout.stride;
    status = decodeRow(row, layout, palette, paletteCount, image.pixels.data() + top * layout.width);
    if (status != BmpStatus::kOk) return status;
  }
  out = std::move(image);
  return BmpStatus::kOk;
}

}  // namespace zarnel
