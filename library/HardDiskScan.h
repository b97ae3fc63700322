#pragma once
// The hard-disk scan dialog's action: the ticked roots' lines leave the
// scan list, which is written anew, then each ticked root is walked for its
// audio files, with the extended analysis when asked for.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/ScanOutput.h"
#include "platform/FolderService.h"

namespace zarnel {

class FileSystem;
class ScanList;
class ScanListFile;

// UI thread; borrows the services for its lifetime.
class HardDiskScan {
 public:
  // listPath: the scan list file ("mp3database.txt" in the program folder).
  HardDiskScan(FolderService& folders, FileSystem& files, std::string listPath);
  ~HardDiskScan();

  // Return: the roots the dialog lists (the folder service's), kept for
  // start(); their display names are the dialog's lines.
  const std::vector<FolderRoot>& drives();
  // Return: the ticks at the start: the home folder and the file system.
  static std::vector<bool> fixedTicks(const std::vector<FolderRoot>& drives);
  // Return: the walk's filter bits for the three boxes.
  static int32_t filterBits(bool mp3, bool wav, bool wma);

  // OK, first part: with no drive ticked returns kNothingTicked (the dialog
  // stays open); else starts the new scan list file with list's lines that
  // no ticked root's walk covers (keptLines): kCannotCreate when it cannot
  // be created, else kDone. ticked: one per drives().
  ScanOutcome start(const ScanList& list, const std::vector<bool>& ticked);
  // OK, second part, under the open progress window: walks every ticked
  // root (one inside another ticked root that covers it is not walked
  // twice) until the stop flag, then puts the new file in place.
  // Return: kDone, kStopped (the lines so far are kept) or kWriteFailed.
  // Pre: start() returned kDone.
  ScanOutcome walk(ProgressWindow& progress, int32_t filterBits, ScanAnalyser* analyser);
  // Return: lines the walks wrote.
  int32_t filesWritten() const { return written_; }

  // Return: whether path lies under root: for a drive root ("C:\", "C:")
  // whether it starts with its letter and colon; for others whether it is
  // root or continues it after a separator ("/" holds every "/..." path).
  static bool underRoot(std::string_view path, std::string_view root);
  // Return: the "path,size\r\n" lines of list that survive a scan of the
  // ticked roots: a line goes when a ticked root holds it, unless a medium
  // (removable, optical, network) deeper inside that root holds it, since a
  // walk never enters another medium.
  static std::string keptLines(const ScanList& list, const std::vector<FolderRoot>& drives,
                               const std::vector<bool>& ticked);

 private:
  bool coveredByOther(size_t index) const;
  std::vector<std::string> mediaBesides(size_t index) const;

  FolderService& folders_;
  FileSystem& files_;
  std::string listPath_;
  std::vector<FolderRoot> drives_;
  std::vector<bool> ticked_;
  std::unique_ptr<ScanListFile> file_;
  int32_t written_ = 0;
};

// Return: whether kind is a medium of its own (not home, not the file system).
bool isMedium(FolderRootKind kind);

}  // namespace zarnel
