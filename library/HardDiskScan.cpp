#include "library/HardDiskScan.h"

#include "library/ScanList.h"
#include "library/ScanListFile.h"
#include "library/ScanWalk.h"

namespace zarnel {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Return: whether root is a drive root: a letter, ":" and maybe a separator.
bool isDriveRoot(std::string_view root) {
  return (root.size() == 2 || (root.size() == 3 && isSeparator(root[2]))) && root[1] == ':' && upper(root[0]) >= 'A' &&
         upper(root[0]) <= 'Z';
}

}  // namespace

bool isMedium(FolderRootKind kind) {
  return kind == FolderRootKind::kRemovable || kind == FolderRootKind::kOptical || kind == FolderRootKind::kNetwork;
}

HardDiskScan::HardDiskScan(FolderService& folders, FileSystem& files, std::string listPath)
    : folders_(folders), files_(files), listPath_(std::move(listPath)) {}

HardDiskScan::~HardDiskScan() = default;

const std::vector<FolderRoot>& HardDiskScan::drives() {
  drives_ = folders_.roots();
  return drives_;
}

std::vector<bool> HardDiskScan::fixedTicks(const std::vector<FolderRoot>& drives) {
  std::vector<bool> ticks;
  for (const FolderRoot& root : drives) ticks.push_back(!isMedium(root.kind));
  return ticks;
}

int32_t HardDiskScan::filterBits(bool mp3, bool wav, bool wma) {
  return (mp3 ? kScanMp3 : 0) | (wav ? kScanWav : 0) | (wma ? kScanWma : 0);
}

bool HardDiskScan::underRoot(std::string_view path, std::string_view root) {
  if (root.empty()) return false;
  if (isDriveRoot(root)) return path.size() >= 2 && path[1] == ':' && upper(path[0]) == upper(root[0]);
  std::string_view base = root;
  while (!base.empty() && isSeparator(base.back())) base.remove_suffix(1);
  if (base.empty()) return !path.empty() && isSeparator(path[0]);
  return path.starts_with(base) && (path.size() == base.size() || isSeparator(path[base.size()]));
}

std::string HardDiskScan::keptLines(const ScanList& list, const std::vector<FolderRoot>& drives,
                                    const std::vector<bool>& ticked) {
  auto goes = [&](const std::string& path) {
    for (size_t r = 0; r < drives.size() && r < ticked.size(); ++r) {
      if (!ticked[r] || !underRoot(path, drives[r].path)) continue;
      bool inOtherMedium = false;
      for (size_t m = 0; m < drives.size() && !inOtherMedium; ++m)
        inOtherMedium = m != r && isMedium(drives[m].kind) && drives[m].path.size() > drives[r].path.size() &&
                        underRoot(drives[m].path, drives[r].path) && underRoot(path, drives[m].path);
      if (!inOtherMedium) return true;
    }
    return false;
  };
  std::string text;
  for (const ScanItem& item : list.items()) {
    if (item.path.empty() || goes(item.path)) continue;
    text += item.path;
    text += ',';
    text += std::to_string(item.size);
    text += "\r\n";
  }
  return text;
}

ScanOutcome HardDiskScan::start(const ScanList& list, const std::vector<bool>& ticked) {
  ticked_ = ticked;
  ticked_.resize(drives_.size(), false);
  bool any = false;
  for (bool tick : ticked_) any = any || tick;
  if (!any) return ScanOutcome::kNothingTicked;
  file_ = std::make_unique<ScanListFile>(files_, folders_, listPath_);
  if (!file_->create() || !file_->append(keptLines(list, drives_, ticked_))) {
    file_.reset();
    return ScanOutcome::kCannotCreate;
  }
  return ScanOutcome::kDone;
}

// A root that is not a medium, inside another ticked root that is walked
// whole (the home folder when the file system is ticked).
bool HardDiskScan::coveredByOther(size_t index) const {
  if (isMedium(drives_[index].kind)) return false;
  for (size_t other = 0; other < drives_.size(); ++other) {
    if (other == index || !ticked_[other]) continue;
    const bool inside = underRoot(drives_[index].path, drives_[other].path);
    const bool same = drives_[index].path == drives_[other].path;
    if (inside && (!same || other < index)) return true;
  }
  return false;
}

std::vector<std::string> HardDiskScan::mediaBesides(size_t index) const {
  std::vector<std::string> media;
  for (size_t other = 0; other < drives_.size(); ++other)
    if (other != index && isMedium(drives_[other].kind)) media.push_back(drives_[other].path);
  return media;
}

ScanOutcome HardDiskScan::walk(ProgressWindow& progress, int32_t filterBits, ScanAnalyser* analyser) {
  if (!file_) return ScanOutcome::kCannotCreate;
  ScanOutcome outcome = ScanOutcome::kDone;
  for (size_t i = 0; i < drives_.size() && outcome == ScanOutcome::kDone; ++i) {
    if (!ticked_[i] || coveredByOther(i)) continue;
    ScanWalk walker(folders_, *file_, progress, filterBits, analyser);
    walker.exclude(mediaBesides(i));
    if (!walker.walk(drives_[i].path, "")) {
      outcome = walker.outputFailed() ? ScanOutcome::kWriteFailed : ScanOutcome::kStopped;
    }
    written_ += walker.filesWritten();
  }
  const bool finished = file_->finish();
  file_.reset();
  return finished ? outcome : ScanOutcome::kWriteFailed;
}

}  // namespace zarnel
