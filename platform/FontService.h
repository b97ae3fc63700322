#pragma once
// Fonts for the skinned user interface: made from a face name, a height and a
// weight, they measure and draw single lines of 8-bit ANSI text, anti-aliased,
// into 32-bit 0x00RRGGBB pixel buffers. The program never sees the font library.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zarnel {

struct FontSpec {
  std::string face = "Arial";
  // A Windows font height, as a skin's "size" gives it: positive, the cell
  // height in pixels (ascent plus descent); negative, the character (em)
  // height; 0, the default.
  int32_t height = 12;
  int32_t weight = 400;  // 400 normal, 700 bold
};

struct TextExtent {
  int32_t width = 0;   // advance of the whole text in pixels
  int32_t height = 0;  // the font's cell height
};

// A writable 32-bit image: pixel (x, y) is pixels[y * stride + x], 0x00RRGGBB.
struct PixelTarget {
  uint32_t* pixels = nullptr;
  int32_t width = 0, height = 0;
  int32_t stride = 0;  // in pixels
};

// A rectangle, right and bottom excluded.
struct ClipRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// One font. Any thread, but one font is not drawn from two threads at once.
class Font {
 public:
  virtual ~Font() = default;
  // Return: the family actually used (after any fallback).
  virtual std::string family() const = 0;
  // Return: the cell height (ascent plus descent) in pixels, at least 1.
  virtual int32_t height() const = 0;
  // Return: the distance from the cell's top to the baseline.
  virtual int32_t ascent() const = 0;
  // Return: the advance and cell height of text on one line (no line breaks).
  virtual TextExtent measure(std::string_view text) const = 0;
  // Draws text with the cell's top-left corner at (x, y), blending colour
  // over the target by each pixel's coverage.
  // Post: no pixel outside clip (cut to the target) is changed.
  virtual void draw(const PixelTarget& target, int32_t x, int32_t y, std::string_view text,
                    uint32_t colour, const ClipRect& clip) const = 0;
};

// Makes fonts. UI thread.
class FontService {
 public:
  virtual ~FontService() = default;
  // Return: the font nearest to spec; a face that is not installed falls back
  // to the backend's default face, so the result is null only when no font at
  // all can be loaded.
  virtual std::unique_ptr<Font> createFont(const FontSpec& spec) = 0;
};

// Return: the Unicode code point of an ANSI (Windows-1252) byte; the five
// unassigned bytes give U+FFFD.
char32_t ansiCodePoint(uint8_t byte);

// Return: colour blended over pixel with coverage 0 (none) to 255 (all),
// each channel (c * a + p * (255 - a) + 127) / 255.
uint32_t blendCoverage(uint32_t pixel, uint32_t colour, uint32_t coverage);

// Return: clip cut to the target's bounds (may be empty).
ClipRect clipToTarget(const ClipRect& clip, const PixelTarget& target);

}  // namespace zarnel
