// libFuzzer target: the XML reader over arbitrary text, then every look-up
// the skin loader and the localisation make, on every node of a tree it
// accepts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/XmlReader.h"

namespace {

using zarnel::XmlNode;

// Walks the tree; a tree deeper than the reader's bound is a finding.
void visit(const XmlNode& node, int depth) {
  if (depth > zarnel::kXmlMaxDepth) std::abort();
  for (const zarnel::XmlAttribute& attribute : node.attributes) {
    int32_t number = 0;
    zarnel::ColourRef colour = 0;
    zarnel::xmlAttrInt(&node, attribute.name, number);
    zarnel::xmlAttrColour(&node, attribute.name, colour);
    if (zarnel::xmlAttr(&node, attribute.name) == nullptr) std::abort();
  }
  for (const XmlNode& child : node.children) {
    if (zarnel::xmlChild(&node, child.name) == nullptr) std::abort();
    visit(child, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (auto root = zarnel::xmlParse(text)) visit(*root, 1);
  return 0;
}
