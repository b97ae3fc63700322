#pragma once
// The shortcut manager's and the joystick's way into the action dispatch.

#include "app/ActionIds.h"
#include "app/App.h"
#include "app/ShortcutManager.h"

namespace zarnel {

// UI thread. Pre: app outlives the bridge.
class ShortcutBridge : public ShortcutTarget {
 public:
  explicit ShortcutBridge(App& app) : app_(app) {}
  int32_t activeDesk() const override { return app_.activeDesk(); }
  void shortcutAction(int32_t action, int32_t desk) override { app_.shortcutAction(action, desk); }
  int32_t crossfader() const override { return app_.mixer().crossfader(); }
  void setCrossfader(int32_t value) override { app_.setCrossfader(value); }
  void beatMix(int32_t desk) override { app_.buttonPress(button::kMagic, desk, 0); }

 private:
  App& app_;
};

}  // namespace zarnel
