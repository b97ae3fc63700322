#include "skin/TextFile.h"

#include <algorithm>
#include <cstdint>

#include "platform/ByteFile.h"

namespace zarnel {

namespace {

constexpr size_t kChunkBytes = 64 * 1024;

// Reads until the end of the file or one byte past maxBytes, whichever is
// first, so a size the file reports wrongly cannot make out grow unbounded.
TextFileStatus readAll(ByteFile& file, size_t maxBytes, std::string& out) {
  for (;;) {
    size_t used = out.size();
    size_t want = std::min(kChunkBytes, maxBytes + 1 - used);
    out.resize(used + want);
    int32_t got = file.read(out.data() + used, int32_t(want));
    if (got < 0 || size_t(got) > want) return TextFileStatus::kReadError;
    out.resize(used + size_t(got));
    if (out.size() > maxBytes) return TextFileStatus::kTooLarge;
    if (got == 0) return TextFileStatus::kOk;
  }
}

}  // namespace

TextFileStatus readTextFile(FileSystem& files, const char* path, size_t maxBytes, std::string& out) {
  out.clear();
  std::unique_ptr<ByteFile> file = files.openRead(path);
  if (!file) return TextFileStatus::kCannotOpen;
  int64_t size = file->size();
  TextFileStatus status = (size >= 0 && uint64_t(size) > maxBytes) ? TextFileStatus::kTooLarge
                                                                    : readAll(*file, maxBytes, out);
  if (status != TextFileStatus::kOk) out.clear();
  return status;
}

}  // namespace zarnel
