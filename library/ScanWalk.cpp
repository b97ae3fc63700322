#include "library/ScanWalk.h"

#include <algorithm>
#include <array>

#include "library/ScanOutput.h"
#include "platform/DialogService.h"
#include "platform/FolderService.h"

namespace zarnel {

namespace {

// The kernel's and the system's own trees: no music, and endless or
// blocking files.
constexpr std::array<std::string_view, 4> kSystemFolders = {"/proc", "/sys", "/dev", "/run"};

bool endsWithFolded(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  std::string_view tail = name.substr(name.size() - ending.size());
  return std::equal(tail.begin(), tail.end(), ending.begin(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b; });
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// An entry that can be a line of its own.
bool usable(const FolderEntry& entry) { return !entry.hidden && entry.name.find_first_of("\r\n") == std::string::npos; }

}  // namespace

ScanWalk::ScanWalk(FolderService& folders, ScanOutput& output, ProgressWindow& progress, int32_t filterBits,
                   ScanAnalyser* analyser)
    : folders_(folders), output_(output), progress_(progress), filterBits_(filterBits), analyser_(analyser) {}

bool ScanWalk::matches(std::string_view name, int32_t filterBits) {
  return ((filterBits & kScanMp3) && endsWithFolded(name, ".mp3")) ||
         ((filterBits & kScanWav) && endsWithFolded(name, ".wav")) ||
         ((filterBits & kScanWma) && (endsWithFolded(name, ".wma") || endsWithFolded(name, ".asf")));
}

std::string ScanWalk::linePath(std::string_view path, std::string_view root, std::string_view prefix) {
  if (prefix.empty()) return std::string(path);
  std::string_view base = root;
  while (!base.empty() && isSeparator(base.back())) base.remove_suffix(1);
  const bool underRoot =
      !root.empty() && path.starts_with(base) && (path.size() == base.size() || isSeparator(path[base.size()]));
  std::string_view rest = path;
  if (underRoot) {
    rest = path.substr(base.size());
  } else if (size_t colon = path.find(':'); colon != std::string_view::npos) {
    rest = path.substr(colon + 1);
  }
  return std::string(prefix) + std::string(rest);
}

std::string ScanWalk::line(std::string_view writtenPath, int64_t size) {
  std::string text(writtenPath);
  if (size >= 0) {
    text += ',';
    text += std::to_string(int32_t(uint32_t(uint64_t(size) & 0xffffffffu)));
  } else if (writtenPath.find(',') != std::string_view::npos) {
    text += ",0";
  }
  text += "\r\n";
  return text;
}

std::string ScanWalk::join(const std::string& folder, const std::string& name) const {
  if (!folder.empty() && isSeparator(folder.back())) return folder + name;
  return folder + folders_.separator() + name;
}

bool ScanWalk::enters(const std::string& path) const {
  if (std::find(kSystemFolders.begin(), kSystemFolders.end(), path) != kSystemFolders.end()) return false;
  return std::find(excluded_.begin(), excluded_.end(), path) == excluded_.end();
}

bool ScanWalk::walk(const std::string& folder, const std::string& prefix) {
  root_ = folder;
  prefix_ = prefix;
  return walkFolder(folder, 0);
}

bool ScanWalk::walkFolder(const std::string& folder, int32_t depth) {
  const FolderListing listing = folders_.list(folder, kFolderListTimeoutMs);
  // Entries read before a failed read are still walked; a folder that did
  // not answer has none.
  return walkFiles(folder, listing.entries) && walkSubfolders(folder, listing.entries, depth);
}

bool ScanWalk::walkFiles(const std::string& folder, const std::vector<FolderEntry>& entries) {
  for (const FolderEntry& entry : entries) {
    if (progress_.stopRequested()) return false;
    // A nameless entry is a path that cannot be had: the folder's walk ends.
    if (entry.name.empty()) return true;
    if (entry.folder || !usable(entry) || (entry.link && entry.target.empty())) continue;
    if (!matches(entry.name, filterBits_)) continue;
    const std::string path = join(folder, entry.name);
    progress_.setText(path);
    if (!output_.append(line(linePath(path, root_, prefix_), entry.size))) {
      outputFailed_ = true;
      return false;
    }
    ++written_;
    if (analyser_ != nullptr) analyser_->analyse(path, progress_);
    progress_.pump();
  }
  return true;
}

bool ScanWalk::walkSubfolders(const std::string& folder, const std::vector<FolderEntry>& entries, int32_t depth) {
  for (const FolderEntry& entry : entries) {
    if (progress_.stopRequested()) return false;
    if (entry.name.empty()) return true;
    if (!entry.folder || entry.link || !usable(entry) || depth >= kScanMaxDepth) continue;
    const std::string path = join(folder, entry.name);
    if (!enters(path)) continue;
    progress_.setText(path);
    if (!walkFolder(path, depth + 1)) return false;
  }
  return true;
}

}  // namespace zarnel
