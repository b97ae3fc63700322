// The browser panel's elements: building them for a skin and placing them
// on their pages.

#include <algorithm>

#include "app/BrowserPanel.h"
#include "app/Localisation.h"
#include "skin/OptionRows.h"
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

constexpr int32_t kOptionColumns = 3;
constexpr int32_t kOffPage = -10000;
constexpr int32_t kPanelMargin = 10;
constexpr int32_t kButtonBar = 30;     // the strip of panel buttons under a pane's list
constexpr int32_t kButtonStep = 28;    // from one panel button to the next
constexpr int32_t kSampleSlots = 12;
constexpr int32_t kEffectSlots = 6;
constexpr int32_t kEffectParameters = 3;
constexpr int32_t kSubTipLoadSample = 13;
constexpr int32_t kSubTipLoadEffect = 14;

// The panes' buttons in their strips, left to right.
constexpr int32_t kTreeButtons[] = {panelbutton::kLockTree, panelbutton::kFavourite};
constexpr int32_t kPlaylistButtons[] = {panelbutton::kLockPlaylist, panelbutton::kAutoMix, panelbutton::kShuffle,
                                        panelbutton::kNewOnly,      panelbutton::kLoadPlaylist, panelbutton::kSavePlaylist};

std::string columnText(const Localisation& texts, ColumnText c) { return std::string(texts.text(TextSection::kColumns, c)); }

}  // namespace

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
  buildLists(look);
  buildButtons(look);
}

void BrowserPanel::buildLists(const BrowserLook& look) {
  if (!links_.listHost || !links_.bands) return;
  files_ = std::make_unique<BrowserList>(ListKind::kFiles, *links_.listHost, *links_.bands, look);
  playlist_ = std::make_unique<BrowserList>(ListKind::kPlaylist, *links_.listHost, *links_.bands, look);
  database_ = std::make_unique<BrowserList>(ListKind::kDatabase, *links_.listHost, *links_.bands, look);
  if (links_.texts) {
    const Localisation& t = *links_.texts;
    std::vector<std::string> four = {columnText(t, kColumnTitle), columnText(t, kColumnAuthor),
                                     columnText(t, kColumnBpm), columnText(t, kColumnComment)};
    files_->setHeadings(four);
    playlist_->setHeadings(four);
    four.push_back(columnText(t, kColumnDisc));
    four.push_back(columnText(t, kColumnPath));
    database_->setHeadings(four);
  }
  if (links_.playlist) playlist_->attach(links_.playlist);
  for (BrowserList* list : {files_.get(), playlist_.get(), database_.get()}) list->bind(context_);
  if (links_.databaseItems) database_->setItems(links_.databaseItems());
  if (links_.folders && links_.treeHost) {
    tree_ = std::make_unique<FolderTree>(*links_.folders, *links_.treeHost, look);
    tree_->bind(context_);
  }
  if (links_.menuHost) {
    menu_ = std::make_unique<ContextMenu>(*links_.menuHost, look);
    menu_->bind(context_);
  }
  splitters_[0] = std::make_unique<PaneSplitter>([this](int32_t x, bool done) { dragSplitter(0, x, done); }, look);
  splitters_[1] = std::make_unique<PaneSplitter>([this](int32_t x, bool done) { dragSplitter(1, x, done); }, look);
  for (auto& s : splitters_) s->bind(context_);
}

void BrowserPanel::buildButtons(const BrowserLook& look) {
  if (!links_.buttonHost) return;
  auto add = [&](int32_t id, int32_t tipSlot) {
    buttons_.push_back(std::make_unique<PanelButton>(id, *links_.buttonHost, look));
    buttons_.back()->bind(context_);
    if (links_.texts) buttons_.back()->setTooltip(std::string(links_.texts->text(TextSection::kToolTipSubButtons, tipSlot)));
  };
  for (int32_t id = panelbutton::kLockTree; id <= panelbutton::kCut; ++id) add(id, id);
  for (int32_t i = 0; i < kSampleSlots; ++i) add(panelbutton::kLoadSample + i, kSubTipLoadSample);
  for (int32_t i = 0; i < kEffectSlots; ++i) add(panelbutton::kLoadEffect + i, kSubTipLoadEffect);
  for (int32_t i = 0; i < kSampleSlots + kEffectSlots * kEffectParameters; ++i) {
    sliders_.push_back(std::make_unique<PanelSlider>(
        i, [this](int32_t value, int32_t parameter) { sliderMoved(parameter, value); }, look));
    sliders_.back()->bind(context_);
  }
  if (!links_.samples) return;
  for (int32_t j = 0; j < kSampleSlots; ++j) {
    sampleViews_.push_back(std::make_unique<SampleDisplay>(j, *links_.samples, look));
    sampleViews_.back()->bind(context_);
  }
}

void BrowserPanel::place(Widget* w, const SkinRect& r) {
  if (!w) return;
  if (r.width <= 0 || r.height <= 0) {
    w->setRect(kOffPage, kOffPage, 0, 0);  // left out of the page (a panel button keeps its size)
  } else {
    w->setRect(r.x, r.y, r.width, r.height);
  }
}

void BrowserPanel::layout() {
  if (!view_) return;
  const int32_t fontHeight =
      context_ && context_->text ? context_->text->measure(view_->look().listFont, "Ag").height : 14;
  const FilesPageLayout files = layoutFilesPage(zone_, panes_[0].weight(), panes_[1].weight());
  const SearchPageLayout search = layoutSearchPage(zone_, panes_[1].weight(), fontHeight);
  panesArea_[0] = files.treePane;
  panesArea_[1] = page_ == kPageSearch ? search.playlistPane : files.playlistPane;
  place(search_.get(), search.searchField);
  place(files_.get(), files.fileList);
  place(database_.get(), search.databaseList);
  for (int32_t i = 0; i < 3; ++i) place(button(panelbutton::kScanHd + i), search.scanButtons[size_t(i)]);
  layoutPanes(files.treePane, panesArea_[1]);
  layoutMediaPages();
  layoutOptions();
}

// A side pane: its list above a strip of buttons, and its splitter on the
// side of the file list. A pane too narrow for a button leaves it out.
void BrowserPanel::layoutPanes(const SkinRect& treePane, const SkinRect& playlistPane) {
  const SkinRect tree{treePane.x, treePane.y, treePane.width - kSplitterWidth, treePane.height};
  const SkinRect playlist{playlistPane.x + kSplitterWidth, playlistPane.y, playlistPane.width - kSplitterWidth,
                          playlistPane.height};
  place(splitters_[0].get(), {tree.right(), treePane.y, kSplitterWidth, treePane.height});
  place(splitters_[1].get(), {playlistPane.x, playlistPane.y, kSplitterWidth, playlistPane.height});
  place(tree_.get(), {tree.x, tree.y, tree.width, tree.height - kButtonBar});
  place(playlist_.get(), {playlist.x, playlist.y, playlist.width, playlist.height - kButtonBar});
  auto strip = [&](const SkinRect& pane, const int32_t* ids, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      const int32_t x = pane.x + 2 + int32_t(i) * kButtonStep;
      const bool fits = x + kPanelButtonSize <= pane.right();
      place(button(ids[i]), fits ? SkinRect{x, pane.bottom() - kButtonBar + 2, kPanelButtonSize, kPanelButtonSize}
                                 : SkinRect{});
    }
  };
  strip(tree, kTreeButtons, std::size(kTreeButtons));
  strip(playlist, kPlaylistButtons, std::size(kPlaylistButtons));
}

void BrowserPanel::layoutMediaPages() {
  for (int32_t j = 0; j < kSampleSlots; ++j) {
    const SampleSlotLayout slot = layoutSampleSlot(zone_, j);
    sampleDisplays_[size_t(j)] = slot.display;
    place(sampleDisplay(j), slot.display);
    place(button(panelbutton::kLoadSample + j), slot.loadButton);
    if (size_t(j) < sliders_.size()) place(sliders_[size_t(j)].get(), slot.slider);
  }
  for (int32_t i = 0; i < kEffectSlots; ++i) {
    const EffectSlotLayout slot = layoutEffectSlot(zone_, i);
    effectAreas_[size_t(i)] = slot.area;
    place(button(panelbutton::kLoadEffect + i), slot.loadButton);
    for (int32_t k = 0; k < kEffectParameters; ++k) {
      const size_t at = size_t(kSampleSlots + i * kEffectParameters + k);
      if (at < sliders_.size()) place(sliders_[at].get(), effectSliderRect(zone_, slot, k, kEffectParameters));
    }
  }
  place(button(panelbutton::kRecord), {zone_.x + 16, zone_.y + 16, kPanelButtonSize, kPanelButtonSize});
  place(button(panelbutton::kCut), {zone_.x + 16 + kButtonStep, zone_.y + 16, kPanelButtonSize, kPanelButtonSize});
  const int32_t textX = zone_.x + 16 + 2 * kButtonStep + 8;
  recordArea_ = {textX, zone_.y + 16, std::max(zone_.right() - 16 - textX, 0), std::max(zone_.height - 32, 0)};
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
    rows_[size_t(row)]->setRect(zone_.x + kPanelMargin + column * columnWidth,
                                zone_.y + kPanelMargin + line * rowHeight, columnWidth - kPanelMargin, rowHeight);
    rows_[size_t(row)]->setValueColumn(std::min(valueColumn, columnWidth / 2));
  }
}

std::vector<Widget*> BrowserPanel::elementsOf(int32_t page) const {
  std::vector<Widget*> out;
  auto add = [&](Widget* w) {
    if (w && w->rect().x != kOffPage && w->rect().width > 0) out.push_back(w);
  };
  auto addButtons = [&](int32_t from, int32_t to) {
    for (const auto& b : buttons_) {
      if (b->id() >= from && b->id() <= to) add(b.get());
    }
  };
  auto addPlaylistPane = [&] {
    add(splitters_[1].get());
    add(playlist_.get());
    for (int32_t id : kPlaylistButtons) addButtons(id, id);
  };
  switch (page) {
    case kPageFiles:
      add(tree_.get());
      add(splitters_[0].get());
      for (int32_t id : kTreeButtons) addButtons(id, id);
      add(files_.get());
      addPlaylistPane();
      break;
    case kPageSearch:
      add(search_.get());
      addButtons(panelbutton::kScanHd, panelbutton::kDeleteCd);
      add(database_.get());
      addPlaylistPane();
      break;
    case kPageSamples:
      for (const auto& display : sampleViews_) add(display.get());
      addButtons(panelbutton::kLoadSample, panelbutton::kLoadSample + kSampleSlots - 1);
      for (int32_t j = 0; j < kSampleSlots && size_t(j) < sliders_.size(); ++j) add(sliders_[size_t(j)].get());
      break;
    case kPageEffects:
      addButtons(panelbutton::kLoadEffect, panelbutton::kLoadEffect + kEffectSlots - 1);
      for (size_t k = kSampleSlots; k < sliders_.size(); ++k) add(sliders_[k].get());
      break;
    case kPageRecord: addButtons(panelbutton::kRecord, panelbutton::kCut); break;
    case kPageOptions:
      for (const auto& row : rows_) add(row.get());
      break;
    default: break;
  }
  return out;
}

}  // namespace zarnel
