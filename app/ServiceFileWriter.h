#pragma once
// Whole-file writes of the library (playlists, the history) through the
// platform's services, so that tests write into the virtual file system and
// the program never writes a file in place: a replacement is written beside
// the target and moved over it once whole.

#include <string>
#include <string_view>

#include "library/FileWriter.h"

namespace zarnel {

class FileSystem;
class FolderService;

// UI thread.
class ServiceFileWriter : public FileWriter {
 public:
  // Pre: files and folders outlive the writer; without them nothing is written.
  ServiceFileWriter(FileSystem* files, FolderService* folders) : files_(files), folders_(folders) {}

  bool replace(const std::string& path, std::string_view text) override;
  bool append(const std::string& path, std::string_view text) override;

 private:
  FileSystem* files_;
  FolderService* folders_;
};

}  // namespace zarnel
