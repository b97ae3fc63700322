#pragma once
// One element of a parsed XML tree, and the look-ups the skin loader and the
// localisation make on it. Names compare without regard to (ASCII) case.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

// A colour as the window system takes it: red in the low byte, then green,
// then blue.
using ColourRef = uint32_t;
// The colour "transparent": all 32 bits set, no colour at all.
inline constexpr ColourRef kColourTransparent = 0xFFFFFFFFu;

struct XmlAttribute {
  std::string name;
  std::string value;  // entity-decoded
};

// An element owns its attributes and its children; destroying the root frees
// the whole tree. Parsed trees are at most a bounded number of levels deep,
// so the recursive destruction is bounded too.
struct XmlNode {
  std::string name;
  // The element's own character data, entity-decoded, with its children's
  // markup cut out and its white space unchanged.
  std::string text;
  std::vector<XmlAttribute> attributes;  // document order
  std::vector<XmlNode> children;         // document order
};

// Return: the first child of node whose name equals name, or null; null when
// node is null, so look-ups chain.
const XmlNode* xmlChild(const XmlNode* node, std::string_view name);

// Return: the value of node's first attribute named name, or null.
const std::string* xmlAttr(const XmlNode* node, std::string_view name);

// Reads the attribute as a decimal number: leading white space, an optional
// sign, digits up to the first other character; no digits reads as 0, values
// beyond 32 bits saturate.
// Return: true with out set when the attribute exists; false, out unchanged,
// otherwise.
bool xmlAttrInt(const XmlNode* node, std::string_view name, int32_t& out);

// Reads the attribute as a colour: a colour name ("red", "green", "blue",
// "white", "black", "yellow", "cyan", "magenta", "gray", "transparent") or
// "#" and upper-case hexadecimal digits, of which the last six give red,
// green, blue.
// Return: true with out set when the attribute exists and reads as a colour;
// false, out unchanged, otherwise.
bool xmlAttrColour(const XmlNode* node, std::string_view name, ColourRef& out);

// Return: whether a and b are equal without regard to ASCII case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace zarnel
