#include "library/CdScan.h"

#include <algorithm>

#include "library/ScanList.h"
#include "library/ScanListFile.h"
#include "library/ScanWalk.h"

namespace zarnel {

namespace {

// The rest of the list without the lines of prefix.
std::string linesWithout(const ScanList& list, const std::string& prefix) {
  std::string text;
  for (const ScanItem& item : list.items()) {
    if (item.path.empty() || item.path.starts_with(prefix)) continue;
    text += item.path + ',' + std::to_string(item.size) + "\r\n";
  }
  return text;
}

}  // namespace

CdScan::CdScan(FolderService& folders, FileSystem& files, std::string listPath)
    : folders_(folders), files_(files), listPath_(std::move(listPath)) {}

CdScan::~CdScan() = default;

std::string CdScan::proposedName(const ScanList& list) {
  for (int32_t n = 1; n <= kMaxProposals; ++n) {
    const std::string name = "CD" + std::to_string(n);
    if (!list.hasPrefix(name + "=")) return name;
  }
  return {};
}

DiscNameCheck CdScan::checkName(std::string& name, bool driveChosen) {
  if (!driveChosen || name.empty()) return DiscNameCheck::kMissing;
  const size_t before = name.size();
  std::erase_if(name, [](char c) { return c == ':' || c == '=' || c == '\\'; });
  return name.size() == before ? DiscNameCheck::kAccepted : DiscNameCheck::kCleaned;
}

std::string CdScan::driveRoot(const std::string& rootPath, char separator) {
  if (!rootPath.empty() && (rootPath.back() == '/' || rootPath.back() == '\\')) return rootPath;
  return rootPath + separator;
}

bool CdScan::isDuplicate(const ScanList& list, const std::string& name) { return list.hasPrefix(name + "="); }

ScanOutcome CdScan::start(const ScanList& list, const std::string& name, bool replace) {
  prefix_ = name + "=";
  file_ = std::make_unique<ScanListFile>(files_, folders_, listPath_);
  const bool opened = replace ? file_->create() && file_->append(linesWithout(list, prefix_)) : file_->openForAppend();
  if (!opened) {
    file_.reset();
    return ScanOutcome::kCannotCreate;
  }
  return ScanOutcome::kDone;
}

ScanOutcome CdScan::walk(const std::string& root, ProgressWindow& progress) {
  if (!file_) return ScanOutcome::kCannotCreate;
  ScanWalk walker(folders_, *file_, progress, kScanMp3 | kScanWav | kScanWma, nullptr);
  ScanOutcome outcome = ScanOutcome::kDone;
  if (!walker.walk(root, prefix_)) outcome = walker.outputFailed() ? ScanOutcome::kWriteFailed : ScanOutcome::kStopped;
  written_ = walker.filesWritten();
  const bool finished = file_->finish();
  file_.reset();
  return finished ? outcome : ScanOutcome::kWriteFailed;
}

}  // namespace zarnel
