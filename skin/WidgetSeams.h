#pragma once
// The narrow interfaces through which the skin's widgets reach the rest of
// the program: the actions they trigger, the desk state they read, and the
// window services the mouse routing needs. The main window fills them; tests
// drive the widgets through their own.

#include <cstdint>
#include <string>

namespace zarnel {

class DrawSurface;
class PanelPainter;
class TextRenderer;
class ZoneValues;

// What buttons, sliders and the rhythm view ask for. desk is 0, 1, or -1 for
// a widget without "chan"; keys the key-state word with the routing's bits
// (0x2000 right button, 0x1000 double click). UI thread.
class ActionSink {
 public:
  virtual ~ActionSink() = default;
  virtual void buttonPress(int32_t action, int32_t desk, int32_t keys) = 0;
  virtual void buttonRelease(int32_t action, int32_t desk, int32_t keys) = 0;
  // A slider asks for value (0..4096). The slider shows it only once the
  // dispatch sets it back through Slider::setValue, as for any other change.
  virtual void sliderSet(int32_t kind, int32_t desk, int32_t value) = 0;
  virtual void sliderReset(int32_t kind, int32_t desk) = 0;
  virtual void sliderAuto(int32_t kind, int32_t desk) = 0;
  // The desk's scratch hold on or off, and a scratch move by frames.
  virtual void deskHold(int32_t desk, bool on) = 0;
  virtual void deskScratch(int32_t desk, int32_t frames) = 0;
};

// Desk state the widgets read. Any value may change between two calls.
class DeskReader {
 public:
  virtual ~DeskReader() = default;
  // Return: the active desk, 0 or 1.
  virtual int32_t activeDesk() const = 0;
  // Return: the desk's pitch, Q12 (4096 normal speed).
  virtual int32_t pitch(int32_t desk) const = 0;
  // Return: the desk's beat meter, 0..4096.
  virtual int32_t beatMeter(int32_t desk) const = 0;
  // Return: the "Scratch" setting: 0 disabled, 1 enabled, 2 hold.
  virtual int32_t scratchMode() const = 0;
};

// Window services of the mouse routing, in client coordinates. UI thread.
class MouseHost {
 public:
  virtual ~MouseHost() = default;
  virtual void captureMouse() = 0;
  virtual void releaseMouse() = 0;
  // Moves the window by (dx, dy) pixels (a window drag).
  virtual void moveWindowBy(int32_t dx, int32_t dy) = 0;
  // Puts the pointer at (x, y) (the rhythm view's endless drag).
  virtual void setCursorPos(int32_t x, int32_t y) = 0;
  // The tooltip balloon at the pointer; an empty text hides it.
  virtual void showTooltip(int32_t x, int32_t y, const std::string& text) = 0;
  virtual void hideTooltip() = 0;
  // Return: whether the "ToolTip" setting is on.
  virtual bool tooltipsOn() const = 0;
  // Return: whether the window is in full-screen mode (no window drag).
  virtual bool fullScreen() const = 0;
  // Called at every button down before routing: the search field gives up
  // the keyboard when it holds it and (x, y) is not on it.
  virtual void releaseKeyboardUnlessAt(int32_t x, int32_t y) = 0;
  // Return: milliseconds of a steady clock.
  virtual int64_t nowMs() const = 0;
};

// Everything a widget reaches; owned by the renderer, outlives the widgets'
// binding to it.
struct WidgetContext {
  DrawSurface* surface = nullptr;
  ActionSink* actions = nullptr;
  const DeskReader* desks = nullptr;
  MouseHost* host = nullptr;
  PanelPainter* panel = nullptr;  // the browser panel's primitives
  const TextRenderer* text = nullptr;  // what text is measured and drawn with
  const ZoneValues* zones = nullptr;   // the values the text zones show
};

}  // namespace zarnel
