#pragma once
// The operating system's own output volumes, raised to full while the
// program runs and put back when it ends.

namespace zarnel {

class SystemMixer {
 public:
  virtual ~SystemMixer() = default;
  // For every output device: remembers the wave (PCM) and master volumes and
  // sets them to full. UI thread.
  virtual void raiseVolumes() = 0;
  // Puts every remembered volume back and forgets them. Safe to call twice.
  virtual void restoreVolumes() = 0;
};

}  // namespace zarnel
