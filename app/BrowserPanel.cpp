// The browser panel's pages, layout, panes and drawing.

#include "app/BrowserPanel.h"

#include <algorithm>

#include "app/App.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "library/ScanList.h"
#include "skin/OptionRows.h"
#include "skin/DrawSurface.h"
#include "skin/PanelPainter.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kPaneStepMs = 20;
constexpr int32_t kOptionColumns = 3;
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
}

void BrowserPanel::detach() {
  if (paneTimer_ && links_.window) links_.window->killTimer(timer::kPanes);
  paneTimer_ = false;
  if (view_) view_->setResolver(nullptr);
  if (search_) search_->releaseKeyboard();
  search_.reset();
  rows_.clear();
  view_ = nullptr;
  context_ = nullptr;
}

void BrowserPanel::build() {
  const BrowserLook& look = view_->look();
  search_ = std::make_unique<SearchField>(*this, look);
  search_->bind(context_);
  if (links_.options && links_.texts) {
    for (int32_t row = 0; row < kOptionRowCount; ++row) {
      rows_.push_back(std::make_unique<OptionRow>(row, *links_.options, *links_.texts, look));
      rows_.back()->bind(context_);
    }
  }
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

void BrowserPanel::layout() {
  if (!view_) return;
  const int32_t fontHeight =
      context_ && context_->text ? context_->text->measure(view_->look().listFont, "Ag").height : 14;
  const FilesPageLayout files = layoutFilesPage(zone_, panes_[0].weight(), panes_[1].weight());
  const SearchPageLayout search = layoutSearchPage(zone_, panes_[1].weight(), fontHeight);
  panesArea_[0] = files.treePane;
  panesArea_[1] = page_ == kPageSearch ? search.playlistPane : files.playlistPane;
  if (search_) search_->setRect(search.searchField.x, search.searchField.y, search.searchField.width,
                                search.searchField.height);
  layoutOptions();
}

void BrowserPanel::layoutOptions() {
  if (rows_.empty() || !context_ || !context_->text || !links_.texts) return;
  const BrowserLook& look = view_->look();
  const int32_t rowHeight = context_->text->measure(look.optionsFont, "Ag").height + 3;
  const int32_t perColumn = (kOptionRowCount + kOptionColumns - 1) / kOptionColumns;
  const int32_t columnWidth = (zone_.width - 2 * kPanelMargin) / kOptionColumns;
  const int32_t valueColumn = optionValueColumn(*context_->text, look.optionsFont, *links_.texts);
  for (int32_t row = 0; row < kOptionRowCount; ++row) {
    const int32_t column = row / perColumn, line = row % perColumn;
    rows_[row]->setRect(zone_.x + kPanelMargin + column * columnWidth, zone_.y + kPanelMargin + line * rowHeight,
                        columnWidth - kPanelMargin, rowHeight);
    rows_[row]->setValueColumn(std::min(valueColumn, columnWidth / 2));
  }
}

std::vector<Widget*> BrowserPanel::elementsOf(int32_t page) const {
  std::vector<Widget*> out;
  if (page == kPageSearch && search_) out.push_back(search_.get());
  if (page == kPageOptions) {
    for (const auto& row : rows_) out.push_back(row.get());
  }
  return out;
}

Widget* BrowserPanel::elementAt(int32_t x, int32_t y) {
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
  for (Widget* w : elementsOf(page_)) w->draw();
  drawPageDecor();
  if (context_->surface) context_->surface->invalidate(zone_);
  return true;
}

void BrowserPanel::drawFrame() const {
  PanelPainter& painter = *context_->panel;
  painter.fillRect(zone_, pixelOfColour(view_->look().face));
  painter.frame3d(zone_, view_->look(), true);
}

void BrowserPanel::drawPageDecor() const {
  PanelPainter& painter = *context_->panel;
  const BrowserLook& look = view_->look();
  if (page_ == kPageSearch && search_ && context_->text) {
    const std::string label = "Search: ";
    const SkinRect& f = search_->rect();
    const TextExtent e = context_->text->measure(look.listFont, label);
    painter.text(look.listFont, label, look.listColour, f.x - e.width - 4, f.y + (f.height - e.height) / 2, zone_);
  }
  if (page_ == kPageOptions && context_->text) {
    const std::string version = std::string("v") + kVersionText + " ";
    const TextExtent e = context_->text->measure(look.optionsFont, version);
    painter.text(look.optionsFont, version, look.optionsColour, zone_.right() - e.width - kPanelMargin,
                 zone_.bottom() - e.height - kPanelMargin / 2, zone_);
  }
}

void BrowserPanel::refreshOptions() {
  for (const auto& row : rows_) {
    if (page_ == kPageOptions) {
      row->refresh();
    }
  }
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
}

}  // namespace zarnel
