#include "tools/analyse/AnalyseCommand.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace zarnel::tools {

namespace {

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// "[i/n] file  37%", rewritten in place whenever the percentage changes.
class ProgressLine : public AnalysisProgress {
 public:
  ProgressLine(std::ostream& err, std::string label) : err_(err), label_(std::move(label)) {
    err_ << "\r" << label_ << std::flush;
  }
  void blockDone(float position) override {
    const int percent = int(std::lround(std::fmax(0.0, std::fmin(1.0, double(position))) * 100.0));
    if (percent == shown_) return;
    shown_ = percent;
    err_ << "\r" << label_ << "  " << percent << "%  " << std::flush;
  }
  void fault(const std::string& message) override { err_ << "\n" << message; }
  void finish(const std::string& outcome) { err_ << "\r" << label_ << "  " << outcome << "\n" << std::flush; }

 private:
  std::ostream& err_;
  std::string label_;
  int shown_ = -1;
};

std::string formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string analyseUsage() {
  return "usage: zarnel-analyse [--] FILE...\n"
         "       zarnel-analyse --help | --version\n"
         "Measures the tempo and the first and last beat of each WAV or MPEG audio FILE,\n"
         "keeps them in the track store \"zarnel Internal Database.\" in the current folder\n"
         "and prints one line per file: file,bpm,first_beat,last_beat.\n"
         "While another program writes the track store, waits for it.\n"
         "Exit status: 0 when every file was analysed, 1 when one was not, 2 for a usage error.\n";
}

bool StoreWaitNotice::keepWaiting(int32_t) {
  if (!told_) err_ << "zarnel-analyse: waiting for another program using the track store...\n" << std::flush;
  told_ = true;
  return true;
}

std::string analysisCsvLine(const std::string& path, const FileAnalysisResult& result) {
  return csvField(path) + "," + formatted("%.2f", result.bpm) + "," + formatted("%.6f", result.firstBeat) +
         "," + formatted("%.6f", result.lastBeat);
}

int analyseFiles(FileAnalysis& analysis, const std::vector<std::string>& paths, std::ostream& out,
                 std::ostream& err) {
  int status = 0;
  for (size_t i = 0; i < paths.size(); ++i) {
    ProgressLine progress(err, "[" + std::to_string(i + 1) + "/" + std::to_string(paths.size()) + "] " + paths[i]);
    const FileAnalysisResult result = analysis.analyseFile(paths[i], progress);
    if (!result.opened || result.faulted) {
      progress.finish(result.opened ? "fault" : "cannot open");
      if (!result.opened)
        err << "zarnel-analyse: cannot open " << paths[i] << ": " << openFailureText(result.failure) << "\n";
      status = 1;
      continue;
    }
    out << analysisCsvLine(paths[i], result) << "\n" << std::flush;
    progress.finish(formatted("%.2f BPM", result.bpm));
  }
  return status;
}

}  // namespace zarnel::tools
