#include "skin/Renderer.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "app/FatalError.h"
#include "skin/PanelImage.h"
#include "skin/SkinFiles.h"

namespace zarnel {

namespace {

WindowRect toWindowRect(const SkinRect& r) { return WindowRect{r.x, r.y, r.width, r.height}; }

// Return: the part of the rhythm view that is drawn: its first 1024 columns
// inside a width × height buffer.
SkinRect rhythmArea(const Skin& skin, int32_t width, int32_t height) {
  if (!skin.rhythm) return {};
  const SkinRect& v = skin.rhythm->rect();
  if (v.x < 0 || v.y < 0 || v.x >= width || v.y >= height) return {};
  return {v.x, v.y, std::min<int32_t>({v.width, kRhythmMaxColumns, width - v.x}), std::min(v.height, height - v.y)};
}

}  // namespace

Renderer::Renderer(MouseHost& host) : host_(host), router_(host) {}

Renderer::~Renderer() { stop(); }

bool Renderer::loadSkin(FileSystem& files, std::string_view home, std::string_view name) {
  skin_ = loadStartSkin(files, home, name);
  Bitmap panel;
  if (loadSkinPicture(files, home, "panel", panel) && panel.width == kPanelImageWidth &&
      panel.height == kPanelImageHeight)
    panelImage_ = std::move(panel);
  return skin_ != nullptr;
}

std::unique_ptr<Skin> Renderer::takeSkin() {
  stop();
  return std::move(skin_);
}

void Renderer::preparePanel() {
  panelPixels_ = panelImage_;
  if (skin_->browser) applyColourMatrix(panelPixels_, skin_->browser->look().matrix);
  panel_ = std::make_unique<PanelPainter>(*surface_, panelPixels_, text_);
}

bool Renderer::start(Window& window, const RendererLinks& links, bool runThread) {
  if (!skin_) return false;
  const int32_t w = skin_->windowWidth, h = skin_->windowHeight;
  if (window.width() != w || window.height() != h) window.setBounds(window.screenX(), window.screenY(), w, h);
  window_ = &window;
  links_ = links;
  surface_ = std::make_unique<DrawSurface>(window.backBuffer(), w, h, &skin_->surface);
  preparePanel();
  context_ = WidgetContext{surface_.get(), links.actions, links.deskReader, &host_, panel_.get(), text_, links.zones};
  skin_->bind(&context_);
  router_.setSkin(skin_.get());
  rhythmRect_ = rhythmArea(*skin_, w, h);
  if (links.desks) activeDesk_.store(links.desks->activeDesk(), std::memory_order_relaxed);
  surface_->copyRect(SkinRect{0, 0, w, h}, SkinPoint{0, 0});
  skin_->drawAll();
  surface_->takeInvalidated();
  surface_->takeShown();
  paint();
  if (!runThread || !skin_->rhythm || !links.desks) return true;
  stopping_ = false;
  try {
    thread_ = std::thread([this] { runRhythm(); });
  } catch (const std::system_error&) {
    setFatalError(kErrorMultiThread);
    stop();
    return false;
  }
  return true;
}

void Renderer::stop() {
  if (thread_.joinable()) {
    {
      std::lock_guard<std::mutex> lock(stopLock_);
      stopping_ = true;
    }
    stopWake_.notify_all();
    thread_.join();
  }
  router_.setSkin(nullptr);
  if (skin_) skin_->bind(nullptr);
  panel_.reset();
  panelPixels_ = Bitmap{};
  surface_.reset();
  window_ = nullptr;
  framePending_.store(false);
}

void Renderer::refresh() {
  if (!window_) return;
  dragging_.store(router_.dragging(), std::memory_order_relaxed);
  if (router_.dragging()) return;
  if (links_.desks) {
    activeDesk_.store(links_.desks->activeDesk(), std::memory_order_relaxed);
    refresh_.tick(*skin_, *links_.desks);
  }
  flush();
}

void Renderer::present(const std::vector<SkinRect>& rects) {
  if (rects.empty()) return;
  std::vector<WindowRect> out;
  out.reserve(rects.size());
  for (const SkinRect& r : rects) out.push_back(toWindowRect(r));
  std::lock_guard<std::mutex> lock(bufferLock_);
  window_->presentRects(out.data(), int32_t(out.size()));
}

void Renderer::flush() {
  if (!window_) return;
  // What goes to the screen at once and what waits for a paint both go now:
  // the window has no paint of its own to wait for.
  std::vector<SkinRect> rects = surface_->takeShown();
  std::vector<SkinRect> invalid = surface_->takeInvalidated();
  rects.insert(rects.end(), invalid.begin(), invalid.end());
  present(rects);
}

void Renderer::paint() {
  if (!window_) return;
  std::lock_guard<std::mutex> lock(bufferLock_);
  window_->present();
}

void Renderer::presentRhythm() {
  // Cleared first: a frame drawn from now on posts again.
  framePending_.store(false, std::memory_order_release);
  if (!window_ || rhythmRect_.width <= 0) return;
  present({rhythmRect_});
}

bool Renderer::drawRhythmFrame() {
  if (!window_ || !skin_->rhythm || !links_.desks) return false;
  SkinRect drawn;
  {
    std::lock_guard<std::mutex> lock(bufferLock_);
    drawn = painter_.paint(*skin_->rhythm, *surface_, *links_.desks, activeDesk_.load(std::memory_order_relaxed));
  }
  if (drawn.width <= 0) return false;
  if (!framePending_.exchange(true, std::memory_order_acq_rel) && !window_->post(kRhythmFrameMessage, 0, 0))
    framePending_.store(false, std::memory_order_release);  // a full queue: try with the next frame
  return true;
}

void Renderer::runRhythm() {
  std::unique_lock<std::mutex> lock(stopLock_);
  while (!stopping_) {
    lock.unlock();
    if (!dragging_.load(std::memory_order_relaxed)) drawRhythmFrame();
    lock.lock();
    // Sleeps the period, or less when stop() wakes it.
    stopWake_.wait_for(lock, std::chrono::milliseconds(kRhythmPeriodMs), [this] { return stopping_; });
  }
}

}  // namespace zarnel
