#pragma once
// The CD scan dialog's action: the disc's proposed name, the check of the
// typed name, and the walk of the chosen drive, whose files are written
// with the disc's name and "=" in front of their path on the disc.

#include <cstdint>
#include <memory>
#include <string>

#include "library/ScanOutput.h"

namespace zarnel {

class FileSystem;
class FolderService;
class ScanList;
class ScanListFile;

// How a typed disc name was taken.
enum class DiscNameCheck {
  kAccepted,
  kMissing,  // no drive chosen or an empty name: the focus goes back to the field
  kCleaned,  // ":", "=" or "\" were removed from the name; the field shows it, no scan
};

// UI thread; borrows the services for its lifetime.
class CdScan {
 public:
  // Most numbers tried for a proposed name.
  static constexpr int32_t kMaxProposals = 998;

  CdScan(FolderService& folders, FileSystem& files, std::string listPath);
  ~CdScan();

  // Return: "CD1", "CD2"... the first for which no line starts with it and
  // "="; "" when all of them are taken.
  static std::string proposedName(const ScanList& list);
  // Checks the name the user typed, removing the characters a disc name
  // cannot hold.
  static DiscNameCheck checkName(std::string& name, bool driveChosen);
  // Return: the drive to resolve disc paths against (setting "CD Drive"):
  // rootPath ending with its separator ("E:\", "/media/user/DISC/").
  static std::string driveRoot(const std::string& rootPath, char separator);
  // Return: whether lines of the disc name exist: the caller asks "DupCD"
  // and passes the answer to start() as replace.
  static bool isDuplicate(const ScanList& list, const std::string& name);

  // Opens the scan list for the disc: with replace, written anew without the
  // disc's lines; otherwise appended to (created when missing).
  // Return: kDone, or kCannotCreate (the dialog closes).
  ScanOutcome start(const ScanList& list, const std::string& name, bool replace);
  // Walks root (the chosen drive) for MP3, WAV and WMA files with the
  // prefix name + "=", no analysis, under the open progress window.
  // Return: kDone, kStopped or kWriteFailed. Pre: start() returned kDone.
  ScanOutcome walk(const std::string& root, ProgressWindow& progress);
  int32_t filesWritten() const { return written_; }

 private:
  FolderService& folders_;
  FileSystem& files_;
  std::string listPath_;
  std::string prefix_;
  std::unique_ptr<ScanListFile> file_;
  int32_t written_ = 0;
};

}  // namespace zarnel
