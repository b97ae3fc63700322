#pragma once
// The scan's analyser: the extended analysis of each file found, run under
// the scan's progress window.

#include <functional>
#include <memory>
#include <string>

#include "library/ScanOutput.h"

namespace zarnel {

class FileAnalysis;
class FileSystem;
class TrackStoreLink;

// UI thread.
class FileScanAnalyser : public ScanAnalyser {
 public:
  // Shows a fault: the file's path and the message "Fatal error in file
  // <path>"; the scan then goes on with the next file.
  using FaultShown = std::function<void(const std::string& path, const std::string& message)>;

  // files, store: as for FileAnalysis (store receives the results).
  FileScanAnalyser(FileSystem& files, TrackStoreLink* store, FaultShown onFault);
  ~FileScanAnalyser() override;

  void analyse(const std::string& path, ProgressWindow& progress) override;
  // Return: files analysed to their end, and files that did not open.
  int32_t analysed() const { return analysed_; }
  int32_t unopened() const { return unopened_; }

 private:
  std::unique_ptr<FileAnalysis> analysis_;
  FaultShown onFault_;
  int32_t analysed_ = 0;
  int32_t unopened_ = 0;
};

}  // namespace zarnel
