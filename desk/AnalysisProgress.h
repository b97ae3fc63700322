#pragma once
// What the extended analysis of a file asks of its progress window: whether
// the user stopped it, a chance to keep the window alive between blocks, and
// where to show a fault.

#include <string>

namespace zarnel {

// UI thread: the analysis calls these between blocks.
class AnalysisProgress {
 public:
  virtual ~AnalysisProgress() = default;
  // Return: true once the user asked to stop; the file's analysis then ends
  // after the current block.
  virtual bool stopRequested() { return false; }
  // After every block the analysis goes on with: dispatch the window's
  // pending messages. position: the source's position, fraction 0..1.
  virtual void blockDone(float /*position*/) {}
  // A fault ended the analysis; message is "Fatal error in file <path>",
  // shown in a box titled "Zarnel".
  virtual void fault(const std::string& /*message*/) {}
};

}  // namespace zarnel
