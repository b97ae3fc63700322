#pragma once
// The small 26 by 26 buttons of the browser panel's pages, drawn from the
// panel picture: normal, pressed and pointed-at images, and for toggle
// buttons three more for the "on" state. Releasing over the button runs the
// panel action of its id.

#include <cstdint>

#include "skin/AreaWidgets.h"
#include "skin/Widget.h"

namespace zarnel {

inline constexpr int32_t kPanelButtonSize = 26;

// Runs the panel actions. UI thread.
class PanelButtonHost {
 public:
  virtual ~PanelButtonHost() = default;
  virtual void panelAction(int32_t id) = 0;
};

// Return: the panel picture's column of button id (0..12), or -1 for an id
// that has no button (ids 0..12, 42..53, 64..69 have one).
int32_t panelButtonColumn(int32_t id);
// Return: whether id is a toggle (the two locks and AutoMix).
bool panelButtonToggles(int32_t id);

// UI thread.
class PanelButton : public Widget {
 public:
  // Pre: host outlives the button. Its size is 26 by 26 (setRect sizes it).
  PanelButton(int32_t id, PanelButtonHost& host, const BrowserLook& look);

  int32_t id() const { return id_; }
  bool pressed() const { return pressed_; }
  bool hovered() const { return hovered_; }
  bool on() const { return on_; }
  // The "on" state of a toggle, set from outside (the lock flag, AutoMix);
  // shown at the next draw.
  void setOn(bool on);
  // Return: the state row drawn now: 0 normal, 1 pressed, 2 pointed at, and
  // 3..5 the same while on.
  int32_t stateRow() const;

  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;

 private:
  int32_t id_;
  PanelButtonHost& host_;
  BrowserLook look_;
  bool pressed_ = false, hovered_ = false, on_ = false;
};

}  // namespace zarnel
