// zarnel-analyse [--] FILE...: the extended analysis of each file against the
// track store in the current folder (the home folder), one CSV line per file
// on standard output: file,bpm,first_beat,last_beat. While another program
// writes the track store, it waits for it, so that no result is lost.

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "desk/FileAnalysis.h"
#include "library/DateStamp.h"
#include "library/TrackStore.h"
#include "platform/posix/PosixFileSystem.h"
#include "tools/analyse/AnalyseCommand.h"
#include "tools/common/CommandLine.h"

int main(int argc, char** argv) {
  const std::string usage = zarnel::tools::analyseUsage();
  const zarnel::tools::ToolInfo tool{"zarnel-analyse", usage.c_str(), {}, 1, SIZE_MAX};
  zarnel::tools::CommandLine args;
  if (const int status = zarnel::tools::parseCommandLine(tool, argc, argv, args); status >= 0) return status;
  zarnel::PosixFileSystem files;
  zarnel::TrackStore store(files, zarnel::todayStamp());
  zarnel::tools::StoreWaitNotice notice(std::cerr);
  if (!store.open("", &notice)) {
    std::fprintf(stderr, "zarnel-analyse: the track store in this folder is corrupted; nothing analysed\n");
    return 1;
  }
  if (store.readOnly()) std::fprintf(stderr, "zarnel-analyse: the track store is read-only; results are not kept\n");
  int status;
  {
    zarnel::FileAnalysis analysis(files, &store);
    status = zarnel::tools::analyseFiles(analysis, args.operands, std::cout, std::cerr);
  }
  store.close();
  return status;
}
