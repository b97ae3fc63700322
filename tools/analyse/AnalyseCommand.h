#pragma once
// zarnel-analyse's work: its command line, the extended analysis of each
// file, one CSV line per file (file,bpm,first_beat,last_beat) and a progress
// line on the side, and its notice while another program holds the store.

#include <ostream>
#include <string>
#include <vector>

#include "desk/FileAnalysis.h"
#include "library/TrackStoreWait.h"

namespace zarnel::tools {

// Return: the usage text "--help" prints, ending in a line break.
std::string analyseUsage();

// While another program holds the track store for writing: says so once on
// err ("zarnel-analyse: waiting for another program using the track
// store...") and keeps waiting, so that no result is lost.
class StoreWaitNotice : public TrackStoreWait {
 public:
  explicit StoreWaitNotice(std::ostream& err) : err_(err) {}
  bool keepWaiting(int32_t waitedMs) override;
  bool waited() const { return told_; }

 private:
  std::ostream& err_;
  bool told_ = false;
};

// Return: "file,bpm,first_beat,last_beat" for one analysed file, the beats as
// fractions of the track; the file quoted when it holds a comma, a quote or
// a line break.
std::string analysisCsvLine(const std::string& path, const FileAnalysisResult& result);

// Analyses every path in turn, writing its CSV line to out and a progress
// line that rewrites itself to err; a file that does not open gets lines on
// err only, one of them "zarnel-analyse: cannot open FILE: REASON".
// Return: 0 when every file was analysed, 1 otherwise.
int analyseFiles(FileAnalysis& analysis, const std::vector<std::string>& paths, std::ostream& out,
                 std::ostream& err);

}  // namespace zarnel::tools
