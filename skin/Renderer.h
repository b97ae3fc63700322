#pragma once
// The main window's renderer: it loads the skin, binds the window's back
// buffer, draws the widgets, runs the 50 ms display refresh, routes the
// mouse, and runs the rhythm thread that redraws the rhythm view about 60
// times a second.
//
// Threads. The UI thread draws widgets and presents; the rhythm thread
// writes only the rhythm view's rectangle. A mutex between these two threads
// alone (never the audio thread) keeps a present from reading a half-drawn
// view. The rhythm thread never calls the window system itself: it posts
// kRhythmFrameMessage and the UI thread presents the view's rectangle, so the
// window system is used from one thread only. At most one such message is
// on the queue at a time.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

#include "platform/WindowSystem.h"
#include "skin/DeskDisplay.h"
#include "skin/DisplayRefresh.h"
#include "skin/DrawSurface.h"
#include "skin/MouseRouter.h"
#include "skin/PanelPainter.h"
#include "skin/RhythmPainter.h"
#include "skin/Skin.h"

namespace zarnel {

class FileSystem;
class TextRenderer;

// Posted by the rhythm thread to the window: a frame of the rhythm view
// waits to be presented.
inline constexpr uint32_t kRhythmFrameMessage = msg::kUser + 60;
inline constexpr int32_t kRhythmPeriodMs = 17;
inline constexpr int32_t kDisplayRefreshMs = 50;

// What the widgets and the refresh reach; all borrowed, outliving the
// renderer's start to its stop.
struct RendererLinks {
  ActionSink* actions = nullptr;
  const DeskReader* deskReader = nullptr;
  const DeskDisplay* desks = nullptr;
  const ZoneValues* zones = nullptr;  // what the text zones show
};

class Renderer {
 public:
  // Pre: host outlives the renderer. UI thread, as every call unless marked.
  explicit Renderer(MouseHost& host);
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Loads the skin named by the setting, or "default" when that fails, and
  // the browser panel's picture beside the skins (without it the panel draws
  // nothing from its picture). Return: false with FatalError 19 when neither
  // skin loads.
  bool loadSkin(FileSystem& files, std::string_view home, std::string_view name);
  // Takes a skin made elsewhere (tests, benchmarks, a skin replaced at run
  // time). Pre: not started.
  void setSkin(std::unique_ptr<Skin> skin) { skin_ = std::move(skin); }
  // Stops the renderer and gives its skin up. Return: the skin, or null.
  std::unique_ptr<Skin> takeSkin();
  // The panel picture as drawn (800 by 205), before the skin's colour matrix.
  void setPanelImage(Bitmap image) { panelImage_ = std::move(image); }
  // What the panel's text primitive and the text zones draw with. Pre:
  // outlives the renderer.
  void setTextRenderer(const TextRenderer* text) { text_ = text; }

  // Binds window's back buffer (resizing the window to the skin when it
  // differs), copies the skin's window area into it, draws every widget,
  // presents the whole window and, with runThread and a rhythm view in the
  // skin, starts the rhythm thread. Pre: a skin is loaded; window outlives
  // the renderer's stop. Return: false with FatalError 6 when the thread
  // cannot be started (the renderer is then stopped).
  bool start(Window& window, const RendererLinks& links, bool runThread = true);
  // Stops the rhythm thread, waiting for it without a time-out, and unbinds
  // the widgets. Safe to call twice.
  void stop();
  bool started() const { return window_ != nullptr; }

  // One tick of the display refresh (timer 160), skipped during a window
  // drag; then presents what the widgets marked.
  void refresh();
  // Presents the rectangles the widgets marked since the last flush.
  void flush();
  // Presents the whole back buffer (a paint message).
  void paint();
  // Presents the rhythm view's rectangle (on kRhythmFrameMessage).
  void presentRhythm();
  // Draws one frame of the rhythm view and asks the UI thread to present it.
  // Return: whether a frame was drawn. The rhythm thread, or a caller that
  // runs without it.
  bool drawRhythmFrame();

  Skin* skin() const { return skin_.get(); }
  MouseRouter& mouse() { return router_; }
  const DisplayRefresh& display() const { return refresh_; }
  DrawSurface* surface() const { return surface_.get(); }
  PanelPainter* panel() const { return panel_.get(); }
  // Return: a hold on the rhythm thread's drawing (it waits until released).
  std::unique_lock<std::mutex> holdRhythm() { return std::unique_lock<std::mutex>(bufferLock_); }
  // What the widgets are bound to while started.
  const WidgetContext& context() const { return context_; }
  // The panel picture after the skin's colour matrix (empty before start).
  const Bitmap& panelPixels() const { return panelPixels_; }
  // Return: the rectangle the rhythm view draws into (empty without one).
  SkinRect rhythmRect() const { return rhythmRect_; }

 private:
  void runRhythm();
  // Recolours the panel picture with the skin's matrix and makes its painter.
  void preparePanel();
  void present(const std::vector<SkinRect>& rects);

  MouseHost& host_;
  MouseRouter router_;
  std::unique_ptr<Skin> skin_;
  std::unique_ptr<DrawSurface> surface_;
  Bitmap panelImage_, panelPixels_;
  std::unique_ptr<PanelPainter> panel_;
  const TextRenderer* text_ = nullptr;
  WidgetContext context_;
  RendererLinks links_;
  Window* window_ = nullptr;
  DisplayRefresh refresh_;
  SkinRect rhythmRect_;

  // The rhythm thread's state.
  RhythmPainter painter_;
  std::thread thread_;
  std::mutex bufferLock_;  // the rhythm view's pixels: rhythm thread and UI presents
  std::mutex stopLock_;
  std::condition_variable stopWake_;
  bool stopping_ = false;                  // under stopLock_
  std::atomic<int32_t> activeDesk_{0};     // written by the UI thread at each refresh
  std::atomic<bool> dragging_{false};      // a window drag: the view is not drawn
  std::atomic<bool> framePending_{false};  // a kRhythmFrameMessage is on the queue
};

}  // namespace zarnel
