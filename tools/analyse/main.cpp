// zarnel-analyse FILE...: the extended analysis of each file against the
// track store in the current folder (the home folder), one CSV line per file
// on standard output: file,bpm,first_beat,last_beat.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "desk/FileAnalysis.h"
#include "library/DateStamp.h"
#include "library/TrackStore.h"
#include "platform/posix/PosixFileSystem.h"
#include "tools/analyse/AnalyseCommand.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zarnel-analyse FILE...\n");
    return 2;
  }
  zarnel::PosixFileSystem files;
  zarnel::TrackStore store(files, zarnel::todayStamp());
  if (!store.open("")) {
    std::fprintf(stderr, "zarnel-analyse: the track store in this folder is corrupted; nothing analysed\n");
    return 1;
  }
  if (store.readOnly()) std::fprintf(stderr, "zarnel-analyse: the track store is read-only; results are not kept\n");
  const std::vector<std::string> paths(argv + 1, argv + argc);
  int status;
  {
    zarnel::FileAnalysis analysis(files, &store);
    status = zarnel::tools::analyseFiles(analysis, paths, std::cout, std::cerr);
  }
  store.close();
  return status;
}
