#pragma once
// The display of one sample slot on the browser panel's samples page: a
// sunken box with the sample's name centred in one line (or the empty
// caption), lit while the sample plays. A press plays the slot, a release
// lets the host stop a momentary press.

#include <cstdint>
#include <string>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

// What a sample display shows and where its presses go. UI thread.
class SampleDisplayHost {
 public:
  virtual ~SampleDisplayHost() = default;
  // keys: the mouse keys of the press (a right-button press holds kRight).
  virtual void pressSample(int32_t slot, int32_t keys) = 0;
  virtual void releaseSample(int32_t slot) = 0;
  // Return: the slot's name, or the empty caption.
  virtual std::string sampleCaption(int32_t slot) const = 0;
  virtual bool samplePlaying(int32_t slot) const = 0;
};

// UI thread.
class SampleDisplay : public Widget {
 public:
  // Pre: host outlives the display.
  SampleDisplay(int32_t slot, SampleDisplayHost& host, const BrowserLook& look);

  int32_t slot() const { return slot_; }
  // Return: whether the last draw showed the slot lit.
  bool shownLit() const { return shownLit_; }
  bool hovered() const { return hovered_; }

  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;

 private:
  int32_t slot_;
  SampleDisplayHost& host_;
  BrowserLook look_;
  bool pressed_ = false, hovered_ = false, shownLit_ = false;
};

}  // namespace zarnel
