#pragma once
// Reads Windows BMP files from their bytes into 32-bit 0x00RRGGBB pixels.
//
// Taken: uncompressed 8-bit paletted, 24-bit and 32-bit images (32-bit also
// as bit fields with the usual red, green and blue masks), bottom-up or
// top-down, with an information header of 40, 52, 56, 108 or 124 bytes.
// Everything else is refused: other depths, compression, the old 12-byte
// header, truncated data, a palette index past the palette, and sizes past
// the bounds below. The bytes are untrusted; nothing is read outside them.

#include <cstddef>
#include <cstdint>

#include "platform/WindowSystem.h"

namespace zarnel {

// The widest and highest image taken, and the most pixels.
inline constexpr int32_t kBmpMaxSide = 8192;
inline constexpr int64_t kBmpMaxPixels = int64_t(16) << 20;
// The longest file that can hold such an image, with the largest header and
// palette.
inline constexpr size_t kBmpMaxFileBytes = size_t(kBmpMaxPixels) * 4 + 14 + 124 + 1024 + 16 * kBmpMaxSide;

enum class BmpStatus {
  kOk,
  kNotBmp,        // no "BM" signature, or shorter than the headers
  kUnsupported,   // header size, depth, compression or planes not taken
  kBadSize,       // zero, negative width or beyond the bounds
  kTruncated,     // the palette or the pixel rows run past the end
  kBadPalette,    // too many colours, or a pixel index past the palette
};

// Decodes the file bytes data[0..size) into out, rows top to bottom.
// Return: kOk with out filled; otherwise the reason, out left empty. Any
// thread; no shared state.
BmpStatus decodeBmp(const uint8_t* data, size_t size, Bitmap& out);

}  // namespace zarnel
