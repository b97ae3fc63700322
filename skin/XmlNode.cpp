#include "skin/XmlNode.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zarnel {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool isNumberSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct NamedColour {
  std::string_view name;
  ColourRef value;
};

constexpr ColourRef rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr std::array<NamedColour, 10> kNamedColours{{
    {"red", rgb(255, 0, 0)},
    {"green", rgb(0, 255, 0)},
    {"blue", rgb(0, 0, 255)},
    {"white", rgb(255, 255, 255)},
    {"black", rgb(0, 0, 0)},
    {"yellow", rgb(255, 255, 0)},
    {"cyan", rgb(0, 255, 255)},
    {"magenta", rgb(255, 0, 255)},
    {"gray", rgb(127, 127, 127)},
    {"transparent", kColourTransparent},
}};

// Return: the value of an upper-case hexadecimal digit, -1 for anything else.
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads "#" and upper-case hex digits of any length; the number keeps only
// its low 24 bits, red in bits 16..23.
bool readHexColour(std::string_view text, ColourRef& out) {
  if (text.size() < 2 || text[0] != '#') return false;
  uint32_t value = 0;
  for (char c : text.substr(1)) {
    int digit = hexDigit(c);
    if (digit < 0) return false;
    value = (value << 4) | uint32_t(digit);
  }
  out = rgb((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
  return true;
}

}  // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  }
  return true;
}

const XmlNode* xmlChild(const XmlNode* node, std::string_view name) {
  if (!node) return nullptr;
  for (const XmlNode& child : node->children) {
    if (equalsIgnoringCase(child.name, name)) return &child;
  }
  return nullptr;
}

const std::string* xmlAttr(const XmlNode* node, std::string_view name) {
  if (!node) return nullptr;
  for (const XmlAttribute& attribute : node->attributes) {
    if (equalsIgnoringCase(attribute.name, name)) return &attribute.value;
  }
  return nullptr;
}

bool xmlAttrInt(const XmlNode* node, std::string_view name, int32_t& out) {
  const std::string* value = xmlAttr(node, name);
  if (!value) return false;
  size_t i = 0;
  while (i < value->size() && isNumberSpace((*value)[i])) ++i;
  bool negative = false;
  if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+')) negative = (*value)[i++] == '-';
  // Accumulated as a magnitude and clamped, so long digit runs cannot overflow.
  constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  int64_t magnitude = 0;
  for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
    magnitude = std::min(kLimit, magnitude * 10 + ((*value)[i] - '0'));
  }
  int64_t result = negative ? -magnitude : std::min(magnitude, kLimit - 1);
  out = int32_t(result);
  return true;
}

bool xmlAttrColour(const XmlNode* node, std::string_view name, ColourRef& out) {
  const std::string* value = xmlAttr(node, name);
  if (!value) return false;
  for (const NamedColour& colour : kNamedColours) {
    if (equalsIgnoringCase(*value, colour.name)) {
      out = colour.value;
      return true;
    }
  }
  return readHexColour(*value, out);
}

}  // namespace zarnel
