#pragma once
// The recursive walk of the disk and CD scans: every audio file of a folder
// tree becomes a "path,size" line of the scan list.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zarnel {

class FolderService;
class ProgressWindow;
class ScanAnalyser;
class ScanOutput;
struct FolderEntry;

// Filter bits: which endings a walk writes, compared without regard to case.
inline constexpr int32_t kScanMp3 = 1;  // ".mp3"
inline constexpr int32_t kScanWav = 2;  // ".wav"
inline constexpr int32_t kScanWma = 4;  // ".wma" and ".asf"
// Deepest folder level a walk enters below its start.
inline constexpr int32_t kScanMaxDepth = 64;

// UI thread; borrows everything it is given for its lifetime.
class ScanWalk {
 public:
  // analyser: null for no extended analysis.
  ScanWalk(FolderService& folders, ScanOutput& output, ProgressWindow& progress, int32_t filterBits,
           ScanAnalyser* analyser);

  // Folders (full paths) the walk does not enter: the other media's mount
  // points. /proc, /sys, /dev and /run are never entered.
  void exclude(std::vector<std::string> folders) { excluded_ = std::move(folders); }

  // Walks folder: first its files, in the listing's order, each whose name
  // has an ending of the filter written as one line (linePath, then "," and
  // the size's low 32 bits as a signed number when the size is known) and
  // analysed; the progress shows each path and is pumped after each file;
  // then its sub-folders, each shown and walked the same way. Hidden (dot)
  // entries, links to folders and links that lead nowhere are passed over,
  // as are names holding a line end. A folder that cannot be listed or does
  // not answer in time is skipped.
  // Return: false when the stop flag or a failed write ended the walk.
  bool walk(const std::string& folder, const std::string& prefix);

  // Return: lines written by this object so far.
  int32_t filesWritten() const { return written_; }
  // Return: whether the output failed.
  bool outputFailed() const { return outputFailed_; }

  // Return: whether name ends with an ending that filterBits allows.
  static bool matches(std::string_view name, int32_t filterBits);
  // Return: path as written for a walk from root: path itself without a
  // prefix; with one, the prefix followed by the path on its drive: the part
  // after root ("E:\Music\a.mp3" from "E:\" gives "\Music\a.mp3", and
  // "/media/cd/a.mp3" from "/media/cd" gives "/a.mp3"), else the part after
  // its first ":", else the whole path.
  static std::string linePath(std::string_view path, std::string_view root, std::string_view prefix);
  // Return: the scan list line for a file: linePath, the size when known
  // (size >= 0) and "\r\n". A path holding a "," and no known size gets
  // ",0", so that it reads back whole.
  static std::string line(std::string_view writtenPath, int64_t size);

 private:
  bool walkFolder(const std::string& folder, int32_t depth);
  bool walkFiles(const std::string& folder, const std::vector<FolderEntry>& entries);
  bool walkSubfolders(const std::string& folder, const std::vector<FolderEntry>& entries, int32_t depth);
  bool enters(const std::string& path) const;
  std::string join(const std::string& folder, const std::string& name) const;

  FolderService& folders_;
  ScanOutput& output_;
  ProgressWindow& progress_;
  int32_t filterBits_;
  ScanAnalyser* analyser_;
  std::vector<std::string> excluded_;
  std::string root_;
  std::string prefix_;
  int32_t written_ = 0;
  bool outputFailed_ = false;
};

}  // namespace zarnel
