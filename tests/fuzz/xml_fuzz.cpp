// libFuzzer target: the XML reader over arbitrary file bytes, then every look-up
// the skin loader makes on every node of a tree it accepts, and the tree read
// as a language file.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/DefaultTexts.h"
#include "app/Localisation.h"
#include "platform/ByteFile.h"
#include "skin/XmlReader.h"

namespace {

using zarnel::XmlNode;

// The input as the one file of a file system, read in whatever pieces the
// reader asks for.
class InputFile : public zarnel::ByteFile {
 public:
  InputFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int32_t read(void* dst, int32_t bytes) override {
    size_t n = std::min(size_ - std::min(offset_, size_), size_t(std::max(bytes, 0)));
    if (n > 0) std::memcpy(dst, data_ + offset_, n);
    offset_ += n;
    return int32_t(n);
  }
  bool seek(int64_t offset) override {
    offset_ = size_t(std::max<int64_t>(offset, 0));
    return offset >= 0;
  }
  int64_t size() override { return int64_t(size_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
};

class InputFiles : public zarnel::FileSystem {
 public:
  InputFiles(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  std::unique_ptr<zarnel::ByteFile> openRead(const char*) override {
    return std::make_unique<InputFile>(data_, size_);
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

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
  InputFiles files(data, size);
  auto root = zarnel::xmlLoad(files, "language.xml");
  if (!root) return 0;
  visit(*root, 1);
  static zarnel::Localisation table;
  table.apply(root.get());
  // A text read from the file is never longer than the file: escapes shorten.
  for (int32_t s = 0; s < zarnel::kTextSectionCount; ++s) {
    const auto& defaults = zarnel::textSectionDefaults(zarnel::TextSection(s));
    for (size_t slot = 0; slot < defaults.slots.size(); ++slot) {
      size_t length = table.text(zarnel::TextSection(s), int32_t(slot)).size();
      if (length > size && length != defaults.slots[slot].text.size()) std::abort();
    }
  }
  return 0;
}
