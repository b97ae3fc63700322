#pragma once
// zarnel-analyse's work: the extended analysis of each file, one CSV line per
// file (file,bpm,first_beat,last_beat) and a progress line on the side.

#include <ostream>
#include <string>
#include <vector>

#include "desk/FileAnalysis.h"

namespace zarnel::tools {

// Return: "file,bpm,first_beat,last_beat" for one analysed file, the beats as
// fractions of the track; the file quoted when it holds a comma, a quote or
// a line break.
std::string analysisCsvLine(const std::string& path, const FileAnalysisResult& result);

// Analyses every path in turn, writing its CSV line to out and a progress
// line that rewrites itself to err; a file that does not open gets a line on
// err only. Return: 0 when every file was analysed, 1 otherwise.
int analyseFiles(FileAnalysis& analysis, const std::vector<std::string>& paths, std::ostream& out,
                 std::ostream& err);

}  // namespace zarnel::tools
