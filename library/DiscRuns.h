#pragma once
// The rows of the "Delete a CD" dialog: runs of consecutive scan list lines
// of one disc or one drive, and their removal from the scan list.

#include <cstdint>
#include <string>
#include <vector>

#include "library/ScanOutput.h"

namespace zarnel {

class FileSystem;
class FolderService;
class ScanList;

// One row.
struct DiscRun {
  std::string text;   // the disc name ("CD1"), the drive ("C:") or "/" for Linux paths
  int32_t lines = 0;  // lines of the run
};

// Return: one row per run of consecutive lines sharing a key: the text
// before the first "=" (a disc), or up to and including the first ":"
// (a drive), whichever comes first; "/" for paths starting with "/"; the
// whole path for a line with neither. UI thread.
std::vector<DiscRun> discRuns(const ScanList& list);

// Return: the beginning of the lines a row stands for: its text and "="
// for a disc; the text itself for a drive (ending with ":"), "/" or another
// path.
std::string runPrefix(const std::string& rowText);

// Removes from the scan list file at path every line that starts with the
// prefix of a selected row (indexes into rows), writing it anew from list's
// other lines. Nothing selected changes nothing.
// Return: kDone, or kCannotCreate / kWriteFailed. UI thread.
ScanOutcome deleteDiscs(const ScanList& list, const std::vector<DiscRun>& rows, const std::vector<int32_t>& selected,
                        FileSystem& files, FolderService& folders, const std::string& path);

}  // namespace zarnel
