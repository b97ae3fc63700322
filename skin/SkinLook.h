#pragma once
// Font descriptions and colours the skin gives for text: the text zones'
// formats and the browser panel's three fonts. The fonts themselves are made
// by the platform's font service from these descriptions.

#include <cstdint>
#include <string>

#include "skin/XmlNode.h"

namespace zarnel {

inline constexpr int32_t kFontWeightNormal = 400;
inline constexpr int32_t kFontWeightBold = 700;

struct FontDescription {
  std::string face = "Arial";
  int32_t weight = kFontWeightNormal;
  int32_t height = 12;
};

// A colour that stands for one of the system's display colours, resolved when
// drawing: the marker bit with the system colour's index. No colour read from
// a skin has it (they keep 24 bits), and "transparent" is all ones.
enum SystemColour : uint32_t {
  kSysScrollBar = 0,
  kSysWindowText = 8,
  kSysHighlight = 13,
  kSysHighlightText = 14,
  kSysButtonFace = 15,
  kSysButtonShadow = 16,
  kSysButtonText = 18,
  kSysButtonHighlight = 20,
  kSysDarkShadow = 21,
  kSysLight = 22,
};
inline constexpr ColourRef kSystemColourBit = 0x40000000u;

constexpr ColourRef systemColour(SystemColour index) { return kSystemColourBit | index; }
constexpr bool isSystemColour(ColourRef c) { return c != kColourTransparent && (c & kSystemColourBit) != 0; }
// Return: the classic value of a system colour (red in the low byte), for
// displays that have no system palette; black for an unknown index.
ColourRef classicSystemColour(ColourRef c);

}  // namespace zarnel
