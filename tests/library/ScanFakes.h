#pragma once
// Test doubles of the scans: a progress window that records what it showed
// and can press "Stop", and an output that collects the lines.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "library/ScanOutput.h"
#include "platform/DialogService.h"

namespace zarnel {

class FakeProgress : public ProgressWindow {
 public:
  void setText(const std::string& text) override { texts.push_back(text); }
  bool stopRequested() const override { return stopAfterPumps >= 0 && pumps >= stopAfterPumps; }
  void pump() override {
    if (throwAtPump >= 0 && pumps >= throwAtPump) throw std::runtime_error("decoder fault");
    ++pumps;
  }

  std::vector<std::string> texts;
  int32_t pumps = 0;
  int32_t stopAfterPumps = -1;  // "Stop" is pressed after this many pumps; -1 never
  int32_t throwAtPump = -1;     // a fault inside the analysis at this pump; -1 never
};

class StringOutput : public ScanOutput {
 public:
  bool append(std::string_view more) override {
    if (failAfter >= 0 && appends++ >= failAfter) return false;
    text.append(more);
    return true;
  }
  std::string text;
  int32_t appends = 0;
  int32_t failAfter = -1;
};

class RecordingAnalyser : public ScanAnalyser {
 public:
  void analyse(const std::string& path, ProgressWindow&) override { paths.push_back(path); }
  std::vector<std::string> paths;
};

}  // namespace zarnel
