#pragma once
// The desks as the skin's widgets and the renderer read them: transport
// words, pitch, beat meters and strength curves of the two desks, the
// active desk from the mixer, the "Scratch" setting.

#include <cstdint>

#include "skin/DeskDisplay.h"
#include "skin/WidgetSeams.h"

namespace zarnel {

class Desk;
class MixerState;

class DeskState : public DeskReader, public DeskDisplay {
 public:
  // Pre: the desks (either may be null: it reads as empty) and the mixer
  // outlive this object. UI thread, except strengthCurve (any thread).
  DeskState(const Desk* desk0, const Desk* desk1, const MixerState& mixer);

  int32_t activeDesk() const override;
  int32_t pitch(int32_t d) const override;
  int32_t beatMeter(int32_t d) const override;
  int32_t scratchMode() const override;

  bool playing(int32_t d) const override;
  float position(int32_t d) const override;
  int32_t length(int32_t d) const override;
  void strengthCurve(int32_t d, int32_t* values, int32_t count, int32_t height) const override;

 private:
  const Desk* desk(int32_t d) const { return d == 0 || d == 1 ? desks_[d] : nullptr; }

  const Desk* desks_[2];
  const MixerState& mixer_;
};

}  // namespace zarnel
