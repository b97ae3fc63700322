#include "app/SystemVolumeGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/Settings.h"
#include "platform/SystemMixer.h"

namespace zarnel {
namespace {

struct CountingMixer : SystemMixer {
  void raiseVolumes() override { ++raised; }
  void restoreVolumes() override { ++restored; }
  int raised = 0, restored = 0;
};

TEST(SystemVolumeGuard, RaisesForOneInstanceAndRestoresOnceHoweverItEnds) {
  settings().resetToDefaults();
  CountingMixer mixer;
  {
    SystemVolumeGuard guard(&mixer);
    EXPECT_EQ(mixer.raised, 1);
    guard.restore();  // the crash handler's call
  }
  EXPECT_EQ(mixer.restored, 1);
  try {
    SystemVolumeGuard guard(&mixer);
    throw std::runtime_error("a failure the message loop catches");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(mixer.raised, 2);
  EXPECT_EQ(mixer.restored, 2);

  settings().multiInstance = 1;  // several instances: the volumes are left alone
  { SystemVolumeGuard guard(&mixer); }
  EXPECT_EQ(mixer.raised, 2);
  EXPECT_EQ(mixer.restored, 2);
  SystemVolumeGuard none(nullptr);
  settings().resetToDefaults();
}

}  // namespace
}  // namespace zarnel
