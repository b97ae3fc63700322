#include "app/ServiceFileWriter.h"

#include <algorithm>
#include <memory>

#include "platform/ByteFile.h"
#include "platform/FolderService.h"
#include "platform/WritableFile.h"

namespace zarnel {
namespace {

constexpr const char* kTemporaryEnding = ".~new";

// Return: whether all of text was written at file's offset and flushed.
bool writeAll(WritableFile& file, std::string_view text) {
  while (!text.empty()) {
    const int32_t chunk = int32_t(std::min<size_t>(text.size(), 1 << 20));
    if (file.write(text.data(), chunk) != chunk) return false;
    text.remove_prefix(size_t(chunk));
  }
  return file.flush();
}

}  // namespace

bool ServiceFileWriter::replace(const std::string& path, std::string_view text) {
  if (!files_ || !folders_) return false;
  const std::string temporary = path + kTemporaryEnding;
  {
    std::unique_ptr<WritableFile> file = files_->openReadWrite(temporary.c_str(), true);
    if (!file || !file->truncate(0) || !writeAll(*file, text)) {
      file.reset();
      folders_->deleteFile(temporary);
      return false;
    }
  }
  if (folders_->replaceFile(temporary, path)) return true;
  folders_->deleteFile(temporary);
  return false;
}

bool ServiceFileWriter::append(const std::string& path, std::string_view text) {
  if (!files_) return false;
  std::unique_ptr<WritableFile> file = files_->openReadWrite(path.c_str(), true);
  if (!file) return false;
  const int64_t end = file->size();
  return end >= 0 && file->seek(end) && writeAll(*file, text);
}

}  // namespace zarnel
