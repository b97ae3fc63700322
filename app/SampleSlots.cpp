#include "app/SampleSlots.h"

#include "app/BrowserPanel.h"
#include "app/DialogTexts.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "library/LibraryPaths.h"
#include "mixer/SampleLoader.h"
#include "platform/DialogService.h"
#include "skin/Widget.h"

namespace zarnel {

namespace {
const std::string kNoError;
}  // namespace

SampleSlots::SampleSlots(const SampleSlotLinks& links) : links_(links) {}

void SampleSlots::attach(BrowserPanel* panel) {
  panel_ = panel;
  if (!panel_) return;
  for (int32_t slot = 0; slot < kSamplePlayers; ++slot) {
    if (PanelSlider* slider = panel_->slider(slot)) slider->setValue(players_.volume(slot), false);
  }
}

void SampleSlots::loadFromSettings() {
  if (!links_.settings) return;
  for (int32_t slot = 0; slot < kSamplePlayers; ++slot) load(slot, links_.settings->samples[size_t(slot)], false);
}

bool SampleSlots::load(int32_t slot, const std::string& path, bool tell) {
  if (slot < 0 || slot >= kSamplePlayers) return false;
  errors_[size_t(slot)].clear();
  // The old sample goes first: a failure leaves the slot empty.
  players_.set(slot, nullptr, "");
  if (!path.empty() && links_.files) {
    SampleLoad loaded = decodeSample(*links_.files, path);
    if (loaded.data) {
      players_.set(slot, std::move(loaded.data), sampleName(path));
    } else {
      errors_[size_t(slot)] = sampleLoadErrorText(loaded);
      if (tell) tellFailure(path, errors_[size_t(slot)]);
    }
  }
  redraw(slot);
  return players_.loaded(slot);
}

void SampleSlots::tellFailure(const std::string& path, const std::string& why) const {
  if (links_.dialogs) links_.dialogs->message(sampleName(path) + ": " + why, "Zarnel");
}

const std::string& SampleSlots::lastError(int32_t slot) const {
  return slot >= 0 && slot < kSamplePlayers ? errors_[size_t(slot)] : kNoError;
}

void SampleSlots::chooseAndLoad(int32_t slot) {
  if (slot < 0 || slot >= kSamplePlayers || !links_.dialogs || !links_.texts || !links_.settings) return;
  FileDialogSpec spec;
  spec.title = browserTitle(*links_.texts, kTitleLoadWav);
  spec.filters = fileFilters(*links_.texts, kFilterSample);
  spec.startFolder = pathInFolder(links_.settings->homeFolder, "samples");
  spec.mustExist = true;
  const std::string path = links_.dialogs->openFile(spec);
  if (path.empty()) return;
  // A longer path would not come back whole from the settings: it plays
  // for this run only.
  if (path.size() <= kMaxPath) links_.settings->samples[size_t(slot)] = path;
  load(slot, path, true);
}

void SampleSlots::pressSample(int32_t slot, int32_t keys) {
  if (players_.press(slot, (keys & keys::kRight) != 0)) redraw(slot);
}

void SampleSlots::releaseSample(int32_t slot) {
  const bool was = players_.playing(slot);
  players_.release(slot);
  if (was != players_.playing(slot)) redraw(slot);
}

void SampleSlots::trigger(int32_t slot) {
  if (players_.trigger(slot)) redraw(slot);
}

void SampleSlots::stopAll() {
  players_.stopAll();
  for (int32_t slot = 0; slot < kSamplePlayers; ++slot) redraw(slot);
}

void SampleSlots::setVolume(int32_t slot, int32_t volume) { players_.setVolume(slot, volume); }

void SampleSlots::refresh() {
  players_.reclaim();
  if (!panel_) return;
  for (int32_t slot = 0; slot < kSamplePlayers; ++slot) {
    const SampleDisplay* display = panel_->sampleDisplay(slot);
    if (display && display->shownLit() != players_.playing(slot)) redraw(slot);
  }
}

std::string SampleSlots::sampleCaption(int32_t slot) const {
  if (players_.loaded(slot)) return players_.name(slot);
  if (links_.texts) return std::string(links_.texts->text(TextSection::kOthers, kOtherEmpty));
  return "(Empty)";
}

void SampleSlots::redraw(int32_t slot) {
  if (panel_) panel_->redrawSample(slot);
}

}  // namespace zarnel
