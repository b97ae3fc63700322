// The browser panel's placement rules and pane slides.

#include "app/PanelLayout.h"

#include <algorithm>

namespace zarnel {

FilesPageLayout layoutFilesPage(const SkinRect& zone, int32_t t, int32_t p) {
  const int64_t w = std::max(0, zone.width - 2 * kSplitterWidth);
  const int64_t tt = std::clamp(t, 0, kWeightOne), pp = std::clamp(p, 0, kWeightOne);
  const int64_t s = tt * (kWeightOne - pp) + (kWeightOne - tt) * (kWeightOne - pp) + pp * (kWeightOne - tt);
  int32_t tree = 0, playlist = 0;
  if (s > 0) {
    tree = static_cast<int32_t>(w * tt * (kWeightOne - pp) / s);
    playlist = static_cast<int32_t>(w * pp * (kWeightOne - tt) / s);
  } else {  // both panes full: share the width
    tree = static_cast<int32_t>(w / 2);
    playlist = static_cast<int32_t>(w) - tree;
  }
  const int32_t files = static_cast<int32_t>(w) - tree - playlist;
  FilesPageLayout out;
  out.treePane = {zone.x, zone.y, tree + kSplitterWidth, zone.height};
  out.fileList = {zone.x + tree + kSplitterWidth, zone.y, files, zone.height};
  out.playlistPane = {out.fileList.x + files, zone.y, playlist + kSplitterWidth, zone.height};
  return out;
}

SearchPageLayout layoutSearchPage(const SkinRect& zone, int32_t p, int32_t fontHeight) {
  SearchPageLayout out;
  for (int32_t i = 0; i < 3; ++i) {
    out.scanButtons[i] = {zone.x + 8 + 30 * i, zone.y + 4, kPanelButtonSize, kPanelButtonSize};
  }
  const int32_t fieldHeight = fontHeight + 4;
  out.searchField = {zone.x + zone.width / 4, zone.y + (28 - fieldHeight) / 2, zone.width / 2, fieldHeight};
  const int32_t width = std::max(0, zone.width - kSplitterWidth);
  const int32_t playlist = static_cast<int32_t>(int64_t{width} * std::clamp(p, 0, kWeightOne) / kWeightOne);
  const int32_t top = zone.y + 32, height = std::max(0, zone.height - 32);
  out.databaseList = {zone.x, top, width - playlist, height};
  out.playlistPane = {zone.x + width - playlist, top, playlist + kSplitterWidth, height};
  return out;
}

SampleSlotLayout layoutSampleSlot(const SkinRect& zone, int32_t j) {
  const int32_t column = zone.width / 12;
  const int32_t e = j * column + column;
  SampleSlotLayout out;
  out.display = {zone.x + j * column + 4, zone.y + 4, column - 8, zone.height - 132};
  out.loadButton = {zone.x + e - 30, zone.y + zone.height - 124, kPanelButtonSize, kPanelButtonSize};
  out.slider = {zone.x + e - 31, zone.y + zone.height - 94, 29, 90};
  return out;
}

EffectSlotLayout layoutEffectSlot(const SkinRect& zone, int32_t i) {
  EffectSlotLayout out;
  out.offset = zone.width * ((i & ~1) + (i % 2) * 7) / 13;
  out.width = 2 * zone.width / 13;
  out.area = {zone.x + out.offset + 8, zone.y + 8, out.width - 16, zone.height - 136};
  out.loadButton = {zone.x + out.offset + out.width - 30, zone.y + zone.height - 124, kPanelButtonSize,
                    kPanelButtonSize};
  return out;
}

SkinRect effectSliderRect(const SkinRect& zone, const EffectSlotLayout& slot, int32_t k, int32_t n) {
  const int32_t x = zone.x + slot.offset + (slot.width - 29 * n) * (k + 1) / (n + 1) + 29 * k;
  return {x, zone.y + zone.height - 94, 29, 90};
}

void SlidingPane::start(int32_t openSize, bool locked) {
  openSize_ = std::clamp(openSize, 0, kMaxWeight);
  locked_ = locked;
  weight_ = target_ = locked ? openSize_ : 0;
  delay_ = 0;
}

void SlidingPane::pointerEnters() {
  if (locked_ || target_ == openSize_) return;
  if (weight_ == 0) delay_ = kOpenDelayTicks;
  target_ = openSize_;
}

void SlidingPane::pointerLeaves() {
  if (locked_ || target_ == 0) return;
  if (weight_ == openSize_) delay_ = kCloseDelayTicks;
  target_ = 0;
}

bool SlidingPane::tick() {
  if (delay_ > 0) {
    --delay_;
    return false;
  }
  if (weight_ == target_) return false;
  weight_ += std::clamp(target_ - weight_, -kPaneStep, kPaneStep);
  return true;
}

void SlidingPane::drag(int32_t weight) {
  weight_ = target_ = std::clamp(weight, 0, kMaxWeight);
  delay_ = 0;
}

void SlidingPane::setLocked(bool locked) {
  locked_ = locked;
  if (locked) {
    target_ = openSize_;
    delay_ = 0;
  }
}

}  // namespace zarnel
