#pragma once
// The scan list file as a scan writes it: either a new file built beside
// the old one and put in its place at the end, so that a failure or a crash
// part-way leaves the old list whole, or the old file with lines appended.

#include <cstdint>
#include <memory>
#include <string>

#include "library/ScanOutput.h"

namespace zarnel {

class FileSystem;
class FolderService;
class WritableFile;

// UI thread.
class ScanListFile : public ScanOutput {
 public:
  // Text is buffered up to this many bytes between writes.
  static constexpr size_t kBufferBytes = 64 * 1024;

  // files writes the bytes, folders puts a new file in place; both outlive this.
  ScanListFile(FileSystem& files, FolderService& folders, std::string path);
  // Finishes a file still open.
  ~ScanListFile() override;
  ScanListFile(const ScanListFile&) = delete;
  ScanListFile& operator=(const ScanListFile&) = delete;

  // Starts a new, empty file (path + ".new"). Return: false when it cannot
  // be created.
  bool create();
  // Opens path for appending, creating it when missing; a last line without
  // its line end gets one first, so that the next line stays a line of its
  // own. Return: false when it cannot be opened.
  bool openForAppend();
  bool append(std::string_view text) override;
  // Writes what is buffered and closes; a new file then replaces path.
  // Return: false when any write or the replacement failed (path then keeps
  // its old content). Post: closed.
  bool finish();

 private:
  bool flushBuffer();

  FileSystem& files_;
  FolderService& folders_;
  std::string path_;
  std::string tempPath_;  // set while a new file is written
  std::unique_ptr<WritableFile> file_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace zarnel
