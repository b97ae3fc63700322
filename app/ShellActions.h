#pragma once
// Where the skin's gestures go until the action dispatch is in place: every
// press, release and slider request is dropped, so nothing in the program
// changes and no widget shows a state the program is not in.

#include <cstdint>

#include "skin/WidgetSeams.h"

namespace zarnel {

// UI thread.
class ShellActions : public ActionSink {
 public:
  void buttonPress(int32_t, int32_t, int32_t) override {}
  void buttonRelease(int32_t, int32_t, int32_t) override {}
  void sliderSet(int32_t, int32_t, int32_t) override {}
  void sliderReset(int32_t, int32_t) override {}
  void sliderAuto(int32_t, int32_t) override {}
  void deskHold(int32_t, bool) override {}
  void deskScratch(int32_t, int32_t) override {}
};

}  // namespace zarnel
