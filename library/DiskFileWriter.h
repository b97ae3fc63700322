#pragma once
// Text files written to the disk through the standard library, in text mode
// (so "\n" becomes the platform's line end, as the C library's "w" and "a"
// modes give). Paths are UTF-8.

#include "library/FileWriter.h"

namespace zarnel {

// Thread: the UI thread (one thread at a time).
class DiskFileWriter : public FileWriter {
 public:
  // Writes "<name>.~<n>" beside path (a symbolic link is followed, so the file
  // it names is replaced), gives it the old file's permissions, and renames
  // it over the file. The temporary is removed on any failure.
  bool replace(const std::string& path, std::string_view text) override;
  bool append(const std::string& path, std::string_view text) override;
};

}  // namespace zarnel
