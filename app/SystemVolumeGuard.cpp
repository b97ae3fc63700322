#include "app/SystemVolumeGuard.h"

#include "app/Settings.h"
#include "platform/SystemMixer.h"

namespace zarnel {

SystemVolumeGuard::SystemVolumeGuard(SystemMixer* mixer) {
  if (!mixer || settings().multiInstance != 0) return;
  mixer->raiseVolumes();
  raised_ = mixer;
}

void SystemVolumeGuard::restore() {
  if (!raised_) return;
  raised_->restoreVolumes();
  raised_ = nullptr;
}

}  // namespace zarnel
