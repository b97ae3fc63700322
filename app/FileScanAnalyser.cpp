#include "app/FileScanAnalyser.h"

#include "desk/FileAnalysis.h"
#include "platform/DialogService.h"

namespace zarnel {

namespace {

// The analysis's view of the scan's progress window.
class WindowProgress : public AnalysisProgress {
 public:
  WindowProgress(ProgressWindow& window, const std::string& path, const FileScanAnalyser::FaultShown& onFault)
      : window_(window), path_(path), onFault_(onFault) {}
  bool stopRequested() override { return window_.stopRequested(); }
  void blockDone(float) override { window_.pump(); }
  void fault(const std::string& message) override {
    if (onFault_) onFault_(path_, message);
  }

 private:
  ProgressWindow& window_;
  const std::string& path_;
  const FileScanAnalyser::FaultShown& onFault_;
};

}  // namespace

FileScanAnalyser::FileScanAnalyser(FileSystem& files, TrackStoreLink* store, FaultShown onFault)
    : analysis_(std::make_unique<FileAnalysis>(files, store)), onFault_(std::move(onFault)) {}

FileScanAnalyser::~FileScanAnalyser() = default;

void FileScanAnalyser::analyse(const std::string& path, ProgressWindow& progress) {
  WindowProgress adapter(progress, path, onFault_);
  const FileAnalysisResult result = analysis_->analyseFile(path, adapter);
  if (!result.opened) {
    ++unopened_;
  } else if (!result.stopped && !result.faulted) {
    ++analysed_;
  }
}

}  // namespace zarnel
