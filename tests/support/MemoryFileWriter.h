#pragma once
// A FileWriter over a VirtualFileSystem for tests: a replace puts the whole
// new bytes at once, as the rename of a finished temporary does; an append
// adds to them. Writes can be made to fail, leaving the files as they were.

#include <string>
#include <string_view>
#include <vector>

#include "library/FileWriter.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel::test {

class MemoryFileWriter : public FileWriter {
 public:
  explicit MemoryFileWriter(VirtualFileSystem& files) : files_(files) {}

  bool replace(const std::string& path, std::string_view text) override {
    ++replaces;
    if (failing || path.empty()) return false;
    files_.put(path, std::vector<uint8_t>(text.begin(), text.end()));
    return true;
  }
  bool append(const std::string& path, std::string_view text) override {
    ++appends;
    if (failing || path.empty()) return false;
    std::vector<uint8_t> bytes = files_.bytes(path);
    bytes.insert(bytes.end(), text.begin(), text.end());
    files_.put(path, std::move(bytes));
    return true;
  }
  // Return: the file's bytes as text.
  std::string text(const std::string& path) const {
    std::vector<uint8_t> bytes = files_.bytes(path);
    return std::string(bytes.begin(), bytes.end());
  }

  bool failing = false;  // every write fails and changes nothing
  int replaces = 0, appends = 0;

 private:
  VirtualFileSystem& files_;
};

}  // namespace zarnel::test
