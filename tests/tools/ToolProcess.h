#pragma once
// Runs a built tool as a child process for the tools' tests: arguments,
// standard input from a file, standard output and error captured, and a
// time limit after which the child is killed and the run reported as hung.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace zarnel::test {

struct ToolRun {
  int status = -1;        // the exit status, or -signal
  bool timedOut = false;  // killed at the time limit
  std::string out;
  std::string err;
};

inline std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A folder under /tmp removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/zarnel-tools-test.XXXXXX";
    path_ = mkdtemp(name) != nullptr ? name : "";
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // Return: the names in the folder, sorted.
  std::vector<std::string> names() const {
    std::vector<std::string> all;
    for (const auto& e : std::filesystem::directory_iterator(path_)) all.push_back(e.path().filename());
    std::sort(all.begin(), all.end());
    return all;
  }

 private:
  std::string path_;
};

// Runs program with args; standard input comes from stdinPath ("" for
// /dev/null). Kills the child after timeoutSeconds.
inline ToolRun runTool(const std::string& program, const std::vector<std::string>& args,
                       const std::string& stdinPath = "", int timeoutSeconds = 20) {
  TempFolder capture;
  const std::string outPath = capture / "out", errPath = capture / "err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdinPath.empty() ? "/dev/null" : stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> all{program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  ToolRun run;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      run.timedOut = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  run.out = readText(outPath);
  run.err = readText(errPath);
  return run;
}

}  // namespace zarnel::test
