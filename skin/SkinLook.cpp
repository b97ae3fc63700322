#include "skin/SkinLook.h"

namespace zarnel {

namespace {
constexpr ColourRef rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
}  // namespace

ColourRef classicSystemColour(ColourRef c) {
  switch (c & ~kSystemColourBit) {
    case kSysScrollBar: return rgb(212, 208, 200);
    case kSysWindowText: return rgb(0, 0, 0);
    case kSysHighlight: return rgb(10, 36, 106);
    case kSysHighlightText: return rgb(255, 255, 255);
    case kSysButtonFace: return rgb(212, 208, 200);
    case kSysButtonShadow: return rgb(128, 128, 128);
    case kSysButtonText: return rgb(0, 0, 0);
    case kSysButtonHighlight: return rgb(255, 255, 255);
    case kSysDarkShadow: return rgb(64, 64, 64);
    case kSysLight: return rgb(212, 208, 200);
    default: return 0;
  }
}

}  // namespace zarnel
