#include "library/ScanListFile.h"

#include <limits>

#include "platform/FolderService.h"
#include "platform/WritableFile.h"

namespace zarnel {

ScanListFile::ScanListFile(FileSystem& files, FolderService& folders, std::string path)
    : files_(files), folders_(folders), path_(std::move(path)) {}

ScanListFile::~ScanListFile() {
  if (file_) finish();
}

bool ScanListFile::create() {
  tempPath_ = path_ + ".new";
  file_ = files_.openReadWrite(tempPath_.c_str(), true);
  failed_ = !file_ || !file_->truncate(0) || !file_->seek(0);
  if (failed_) file_.reset();
  return !failed_;
}

bool ScanListFile::openForAppend() {
  tempPath_.clear();
  file_ = files_.openReadWrite(path_.c_str(), true);
  const int64_t size = file_ ? file_->size() : -1;
  failed_ = size < 0;
  char last = '\n';
  if (!failed_ && size > 0) failed_ = !file_->seek(size - 1) || file_->read(&last, 1) != 1;
  failed_ = failed_ || !file_->seek(size);
  if (failed_) {
    file_.reset();
    return false;
  }
  if (last != '\n' && last != '\r') buffer_ = "\r\n";
  return true;
}

bool ScanListFile::append(std::string_view text) {
  if (!file_ || failed_) return false;
  buffer_.append(text);
  if (buffer_.size() >= kBufferBytes) return flushBuffer();
  return true;
}

bool ScanListFile::flushBuffer() {
  if (buffer_.empty() || failed_) return !failed_;
  failed_ = buffer_.size() > size_t(std::numeric_limits<int32_t>::max()) ||
            file_->write(buffer_.data(), int32_t(buffer_.size())) != int32_t(buffer_.size());
  buffer_.clear();
  return !failed_;
}

bool ScanListFile::finish() {
  if (!file_) return false;
  bool done = flushBuffer() && file_->flush();
  file_.reset();
  if (!tempPath_.empty()) {
    done = done && folders_.replaceFile(tempPath_, path_);
    if (!done) folders_.deleteFile(tempPath_);
    tempPath_.clear();
  }
  failed_ = !done;
  return done;
}

}  // namespace zarnel
