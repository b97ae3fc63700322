#pragma once
// Where a disk or CD scan writes the lines of the scan list, and what it
// runs the extended analysis with.

#include <string>
#include <string_view>

namespace zarnel {

class ProgressWindow;

// UI thread.
class ScanOutput {
 public:
  virtual ~ScanOutput() = default;
  // Appends text ("path,size\r\n" lines). Return: false once writing failed.
  virtual bool append(std::string_view text) = 0;
};

// One analyser for a whole scan. UI thread.
class ScanAnalyser {
 public:
  virtual ~ScanAnalyser() = default;
  // Runs the extended analysis of the file at path; progress's stop flag
  // ends it after the current block and progress is pumped after each block.
  // A file that does not open is skipped silently.
  virtual void analyse(const std::string& path, ProgressWindow& progress) = 0;
};

// How a scan dialog's action ended; scanMessageKey names the message the
// caller shows from the language file.
enum class ScanOutcome {
  kDone,           // walked to the end
  kStopped,        // "Stop" ended the walk; the lines written so far stay
  kNothingTicked,  // no drive ticked: message, the dialog stays open
  kCannotCreate,   // the scan list file cannot be created or opened: message, the dialog closes
  kWriteFailed,    // writing the scan list failed part-way: message, the dialog closes
};

// Return: the language key of the message for outcome: "NoHDSelected",
// "CreateFile" (also for a failed write), or "" when there is none.
inline const char* scanMessageKey(ScanOutcome outcome) {
  switch (outcome) {
    case ScanOutcome::kNothingTicked:
      return "NoHDSelected";
    case ScanOutcome::kCannotCreate:
    case ScanOutcome::kWriteFailed:
      return "CreateFile";
    default:
      return "";
  }
}

}  // namespace zarnel
