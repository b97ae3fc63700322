#pragma once
// Deterministic fonts for tests and golden images: one built-in 5 by 7 pixel
// face of the program's own, scaled by whole pixels, with fixed metrics.
//
// A font of height h (either sign) uses the scale s = |h| / 10 within 1..400:
// the cell is 10 s high with the baseline 8 s below its top, every character
// advances 6 s (7 s when bold, which also thickens strokes by s). Coverage is
// all or nothing, so the same text draws the same pixels everywhere.

#include "platform/FontService.h"

namespace zarnel {

class VirtualFontService : public FontService {
 public:
  static constexpr const char* kFamily = "Zarnel Fixed";
  // Every face name gives the built-in face.
  std::unique_ptr<Font> createFont(const FontSpec& spec) override;
};

}  // namespace zarnel
