// zarnel-analyse [--] FILE...: the extended analysis of each file against the
// track store in the current folder (the home folder), one CSV line per file
// on standard output: file,bpm,first_beat,last_beat. While another program
// writes the track store, it waits for it, so that no result is lost.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "desk/FileAnalysis.h"
#include "library/DateStamp.h"
#include "library/TrackStore.h"
#include "platform/posix/PosixFileSystem.h"
#include "tools/analyse/AnalyseCommand.h"

namespace {

// Return: the exit status for a command line that asks for no analysis.
int answerWithoutAnalysis(const zarnel::tools::AnalyseArguments& args) {
  using Action = zarnel::tools::AnalyseArguments::Action;
  if (args.action == Action::kHelp) {
    std::cout << zarnel::tools::analyseUsage();
    return 0;
  }
  if (args.action == Action::kVersion) {
    std::cout << zarnel::tools::kAnalyseVersion << "\n";
    return 0;
  }
  std::cerr << "zarnel-analyse: " << args.error << "\n"
            << "usage: zarnel-analyse [--] FILE... (--help tells more)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const zarnel::tools::AnalyseArguments args =
      zarnel::tools::parseAnalyseArguments(std::vector<std::string>(argv + 1, argv + argc));
  if (args.action != zarnel::tools::AnalyseArguments::Action::kAnalyse) return answerWithoutAnalysis(args);
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
    status = zarnel::tools::analyseFiles(analysis, args.paths, std::cout, std::cerr);
  }
  store.close();
  return status;
}
