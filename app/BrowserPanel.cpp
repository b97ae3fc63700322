// The browser panel's pages, layout, panes and drawing.

#include "app/BrowserPanel.h"

#include <algorithm>

#include "app/App.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "library/ScanList.h"
#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kPaneStepMs = 20;
constexpr int32_t kPanelMargin = 10;

}  // namespace

BrowserPanel::BrowserPanel(const BrowserPanelLinks& links) : links_(links) {
  if (links_.settings) {
    panes_[0].start(links_.settings->panel1Size, links_.settings->panel1Locked != 0);
    panes_[1].start(links_.settings->panel2Size, links_.settings->panel2Locked != 0);
  }
}

BrowserPanel::~BrowserPanel() { detach(); }

void BrowserPanel::attach(BrowserView& view, const WidgetContext& context) {
  detach();
  view_ = &view;
  context_ = &context;
  zone_ = view.rect();
  build();
  view.setResolver(this);
  layout();
  // The locks show their state from the first draw.
  if (PanelButton* lock = button(panelbutton::kLockTree)) lock->setOn(panes_[0].locked());
  if (PanelButton* lock = button(panelbutton::kLockPlaylist)) lock->setOn(panes_[1].locked());
}

void BrowserPanel::detach() {
  if (paneTimer_ && links_.window) links_.window->killTimer(timer::kPanes);
  paneTimer_ = false;
  if (view_) view_->setResolver(nullptr);
  if (search_) search_->releaseKeyboard();
  if (menu_ && menu_->isOpen()) menu_->close();
  search_.reset();
  rows_.clear();
  menu_.reset();
  tree_.reset();
  files_.reset();
  playlist_.reset();
  database_.reset();
  buttons_.clear();
  sliders_.clear();
  sampleViews_.clear();
  splitters_[0].reset();
  splitters_[1].reset();
  view_ = nullptr;
  context_ = nullptr;
}

void BrowserPanel::showPage(int32_t page) {
  if (page < 0 || page >= kBrowserPageCount) return;
  if (page != page_ && search_) search_->releaseKeyboard();
  page_ = page;
  if (page_ != kPageFiles && page_ != kPageSearch) {
    for (SlidingPane& p : panes_) p.jumpToTarget();
  }
  layout();
  redraw();
}

Widget* BrowserPanel::elementAt(int32_t x, int32_t y) {
  if (menu_ && menu_->isOpen()) return menu_.get();
  for (Widget* w : elementsOf(page_)) {
    if (w->hitTest(x, y)) return w;
  }
  return view_;
}

void BrowserPanel::redraw() {
  if (view_) view_->draw();
}

bool BrowserPanel::drawContent() {
  if (!context_ || !context_->panel) return false;
  drawFrame();
  drawPageDecor();
  for (Widget* w : elementsOf(page_)) w->draw();
  if (context_->surface) context_->surface->invalidate(zone_);
  return true;
}

void BrowserPanel::drawFrame() const {
  PanelPainter& painter = *context_->panel;
  painter.fillRect(zone_, pixelOfColour(view_->look().face));
  painter.frame3d(zone_, view_->look(), true);
}

void BrowserPanel::drawPageDecor() {
  PanelPainter& painter = *context_->panel;
  const BrowserLook& look = view_->look();
  if (page_ == kPageSearch && search_ && context_->text) {
    const std::string label = "Search: ";
    const SkinRect& f = search_->rect();
    const TextExtent e = context_->text->measure(look.listFont, label);
    painter.text(look.listFont, label, look.listColour, f.x - e.width - 4, f.y + (f.height - e.height) / 2, zone_);
  }
  if (page_ == kPageSamples && sampleViews_.empty()) {
    for (const SkinRect& r : sampleDisplays_) painter.frame3d(r, look, true);
  }
  if (page_ == kPageEffects) {
    for (const SkinRect& r : effectAreas_) painter.frame3d(r, look, true);
  }
  if (page_ == kPageRecord && context_->text) drawRecordStatus();
  if (page_ == kPageOptions && context_->text) {
    const std::string version = std::string("v") + kVersionText + " ";
    const TextExtent e = context_->text->measure(look.optionsFont, version);
    painter.text(look.optionsFont, version, look.optionsColour, zone_.right() - e.width - kPanelMargin,
                 zone_.bottom() - e.height - kPanelMargin / 2, zone_);
  }
}

// The recorder's state, one line of the text under the other, in a sunken box.
void BrowserPanel::drawRecordStatus() {
  PanelPainter& painter = *context_->panel;
  const BrowserLook& look = view_->look();
  painter.frame3d(recordArea_, look, true);
  recordShown_ = links_.recordStatus ? links_.recordStatus() : std::string();
  const int32_t lineHeight = context_->text->measure(look.listFont, "Ag").height + 2;
  int32_t y = recordArea_.y + 6;
  size_t from = 0;
  while (from <= recordShown_.size() && y + lineHeight <= recordArea_.bottom()) {
    const size_t end = std::min(recordShown_.find('\n', from), recordShown_.size());
    painter.text(look.listFont, std::string_view(recordShown_).substr(from, end - from), look.listColour,
                 recordArea_.x + 8, y, recordArea_);
    y += lineHeight;
    from = end + 1;
  }
}

void BrowserPanel::refreshRecordStatus() {
  if (page_ != kPageRecord || !links_.recordStatus) return;
  if (links_.recordStatus() != recordShown_) redraw();
}

PanelButton* BrowserPanel::button(int32_t id) {
  for (const auto& b : buttons_) {
    if (b->id() == id) return b.get();
  }
  return nullptr;
}

SampleDisplay* BrowserPanel::sampleDisplay(int32_t slot) {
  return slot >= 0 && slot < int32_t(sampleViews_.size()) ? sampleViews_[size_t(slot)].get() : nullptr;
}

void BrowserPanel::redrawSample(int32_t slot) {
  SampleDisplay* display = sampleDisplay(slot);
  if (display && page_ == kPageSamples && context_) display->draw();
}

Widget* BrowserPanel::listAt(int32_t x, int32_t y) {
  for (Widget* w : {static_cast<Widget*>(tree_.get()), static_cast<Widget*>(files_.get()),
                    static_cast<Widget*>(playlist_.get()), static_cast<Widget*>(database_.get())}) {
    if (w && w->visible() && w->hitTest(x, y)) {
      const std::vector<Widget*> shown = elementsOf(page_);
      if (std::find(shown.begin(), shown.end(), w) != shown.end()) return w;
    }
  }
  return nullptr;
}

void BrowserPanel::reloadDatabase() {
  if (database_ && links_.databaseItems) database_->setItems(links_.databaseItems());
  if (database_ && page_ == kPageSearch && context_) database_->draw();
}

void BrowserPanel::pointerAt(int32_t x, int32_t y) {
  if (page_ != kPageFiles && page_ != kPageSearch) return;
  for (int32_t i = 0; i < 2; ++i) {
    if (i == 0 && page_ != kPageFiles) continue;
    const SkinRect& area = panesArea_[i];
    // A closed pane is only its splitter: the pointer on it opens the pane.
    if (area.contains(x, y)) {
      panes_[i].pointerEnters();
    } else {
      panes_[i].pointerLeaves();
    }
  }
  if (!panesSettled() && !paneTimer_ && links_.window) {
    links_.window->setTimer(timer::kPanes, kPaneStepMs);
    paneTimer_ = true;
  }
}

// The weight that gives the pane the width up to column x.
void BrowserPanel::dragSplitter(int32_t pane, int32_t x, bool released) {
  const int32_t other = panes_[1 - pane].weight();
  int32_t weight = 0;
  if (pane == 1 && page_ == kPageSearch) {
    const int32_t width = std::max(1, zone_.width - kSplitterWidth);
    weight = int32_t(int64_t{std::max(0, zone_.right() - x - kSplitterWidth / 2)} * kWeightOne / width);
  } else {
    const int32_t wanted = pane == 0 ? x - zone_.x - kSplitterWidth / 2 : zone_.right() - x - kSplitterWidth / 2;
    int32_t low = 0, high = SlidingPane::kMaxWeight;
    while (low < high) {  // the widths grow with the weight
      const int32_t mid = (low + high) / 2;
      const FilesPageLayout l = pane == 0 ? layoutFilesPage(zone_, mid, other) : layoutFilesPage(zone_, other, mid);
      const int32_t width = (pane == 0 ? l.treePane.width : l.playlistPane.width) - kSplitterWidth;
      if (width >= wanted) {
        high = mid;
      } else {
        low = mid + 1;
      }
    }
    weight = low;
  }
  panes_[size_t(pane)].drag(weight);
  if (released) {
    panes_[size_t(pane)].endDrag();
    if (links_.settings) (pane == 0 ? links_.settings->panel1Size : links_.settings->panel2Size) = panes_[size_t(pane)].openSize();
  }
  layout();
  redraw();
}

void BrowserPanel::sliderMoved(int32_t parameter, int32_t value) {
  if (links_.sliderMoved) links_.sliderMoved(parameter, value);
}

bool BrowserPanel::paneTick() {
  bool changed = false;
  for (SlidingPane& p : panes_) changed = p.tick() || changed;
  if (changed) {
    layout();
    redraw();
  }
  if (panesSettled() && paneTimer_ && links_.window) {
    links_.window->killTimer(timer::kPanes);
    paneTimer_ = false;
  }
  return changed;
}

void BrowserPanel::startCaretTimer(int32_t id, int32_t periodMs) {
  if (links_.window) links_.window->setTimer(id, periodMs);
}

void BrowserPanel::stopCaretTimer(int32_t id) {
  if (links_.window) links_.window->killTimer(id);
}

void BrowserPanel::showTextCursor(bool on) {
  if (links_.window) links_.window->showTextCursor(on);
}

std::string BrowserPanel::translateKey(int32_t key) { return links_.window ? links_.window->translateKey(key) : ""; }

void BrowserPanel::searchTextChanged(const std::string& text) {
  if (links_.scanList) links_.scanList->search(text);
  reloadDatabase();
}

}  // namespace zarnel
