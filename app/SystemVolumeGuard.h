#pragma once
// Raises the operating system's output volumes to full for the program's
// run, unless several instances may run, and puts them back when it ends:
// on a normal exit, and when an error unwinds past the guard.

namespace zarnel {

class SystemMixer;

// UI thread.
class SystemVolumeGuard {
 public:
  // mixer may be null (no system mixer on this platform).
  explicit SystemVolumeGuard(SystemMixer* mixer);
  ~SystemVolumeGuard() { restore(); }
  SystemVolumeGuard(const SystemVolumeGuard&) = delete;
  SystemVolumeGuard& operator=(const SystemVolumeGuard&) = delete;

  // Puts the remembered volumes back now (the crash handler calls this).
  void restore();

 private:
  SystemMixer* raised_ = nullptr;
};

}  // namespace zarnel
