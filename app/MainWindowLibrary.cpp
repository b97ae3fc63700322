// The library's part of the main window: the browser panel, the options
// page's dialogs and the sound configuration's engine rebuild.

#include <optional>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "library/LibraryPaths.h"
#include "platform/DialogService.h"
#include "platform/FolderService.h"
#include "skin/SkinFiles.h"

namespace zarnel {
namespace {

constexpr int32_t kSoundPictureWidth = 87;
constexpr int32_t kSoundPictureHeight = 90;

}  // namespace

// The library serves the dispatch's browser seams unless a test gave its own.
void MainWindow::buildLibrary() {
  LibraryLinks links;
  links.window = window_.get();
  links.files = services_.files;
  links.folders = services_.folders;
  links.dialogs = services_.dialogs;
  links.drives = services_.drives;
  links.clock = services_.clock;
  links.settings = &settings();
  links.texts = &localisation();
  links.app = &app_;
  links.mixer = &app_.mixer();
  links.desks[0] = desks_[0].get();
  links.desks[1] = desks_[1].get();
  links.matcher = matcher_.get();
  links.store = database_.get();
  links.engine = [this] { return sound_ ? sound_->engine() : nullptr; };
  links.autoMix = autoMix_.get();
  links.recording = recording_.get();
  links.samples = samples_.get();
  optionDialogs_ = std::make_unique<OptionDialogs>(optionDialogLinks());
  if (services_.dialogs) services_.dialogs->setPumpHook([this] { pumpWhileModal(); });
  links.optionActions = optionDialogs_.get();
  library_ = std::make_unique<LibraryShell>(links);
  if (later_ == &noLater_) later_ = library_.get();
  shortcuts_.setKeyboardHolder(library_.get());
  shortcuts_.setFallback(library_.get());
}

// The sample slots, with the files the settings name, before the first engine.
void MainWindow::buildSamples() {
  SampleSlotLinks links;
  links.files = services_.files;
  links.dialogs = services_.dialogs;
  links.texts = &localisation();
  links.settings = &settings();
  samples_ = std::make_unique<SampleSlots>(links);
  samples_->loadFromSettings();
}

void MainWindow::buildRecording() {
  RecordingLinks links;
  links.files = services_.files;
  links.libraries = services_.libraries;
  links.dialogs = services_.dialogs;
  links.texts = &localisation();
  links.settings = &settings();
  links.engine = [this] { return sound_ ? sound_->engine() : nullptr; };
  links.writerThread = !offline_;
  recording_ = std::make_unique<RecordingControl>(links);
}

// While a modal job runs (a scan under its progress window), the window
// keeps drawing and the desks' messages are served; the DJ's input to the
// main window is dropped, as a modal dialog disables its owner.
void MainWindow::pumpWhileModal() {
  Message m;
  while (windows_.peekMessage(m, 0)) {
    const bool input = (m.id >= msg::kMouseMove && m.id <= msg::kMouseWheel) || m.id == msg::kKeyDown ||
                       m.id == msg::kSysKeyDown || m.id == msg::kKeyUp || m.id == msg::kDropFiles;
    if (!input) windows_.dispatch(m);
  }
}

void MainWindow::placeDialogs() {
  if (services_.dialogs && window_)
    services_.dialogs->setOwner(window_->screenX(), window_->screenY(), window_->width(), window_->height());
}

OptionDialogLinks MainWindow::optionDialogLinks() {
  OptionDialogLinks links;
  links.dialogs = services_.dialogs;
  links.texts = &localisation();
  links.settings = &settings();
  links.files = services_.files;
  links.shortcuts = &shortcuts_;
  links.keyName = [this](int32_t scanCode) { return windows_.keyName(scanCode); };
  links.skinNames = [this] { return skinNames(); };
  links.replaceSkin = [this](const std::string& name) { return replaceSkin(name); };
  links.sound.sound = services_.sound;
  links.sound.settings = &settings();
  links.sound.texts = &localisation();
  links.sound.rebuild = [this] { return rebuildSound(); };
  links.sound.showError = [this](int32_t error) {
    if (services_.dialogs) services_.dialogs->message(texts_.errorText(error), "Zarnel");
  };
  links.sound.pictures = soundConfigPictures();
  links.saveHistory = [this] {
    if (library_) library_->saveHistoryAs();
  };
  links.recordFileName = [this] { return recording_ ? recording_->fileName() : std::string(); };
  links.chooseRecordFile = [this] {
    if (recording_) recording_->chooseFileName();
  };
  return links;
}

// The skins folder's names with both a picture and a description.
std::vector<std::string> MainWindow::skinNames() const {
  std::vector<std::string> names;
  if (!services_.folders) return names;
  const FolderListing listing =
      services_.folders->list(pathInFolder(settings().homeFolder, "skins"), kFolderListTimeoutMs);
  for (const FolderEntry& e : listing.entries) {
    if (!e.folder) names.push_back(e.name);
  }
  return skinNamesOf(names);
}

// The six pictures of the sound configuration, cut from their strip.
std::vector<std::vector<uint32_t>> MainWindow::soundConfigPictures() const {
  std::vector<std::vector<uint32_t>> pictures;
  if (!services_.files) return pictures;
  Bitmap strip;
  if (!loadSkinPicture(*services_.files, settings().homeFolder, "soundconfig", strip) ||
      strip.width < 6 * kSoundPictureWidth || strip.height < kSoundPictureHeight)
    return pictures;
  for (int32_t i = 0; i < 6; ++i) {
    std::vector<uint32_t> picture;
    for (int32_t y = 0; y < kSoundPictureHeight; ++y) {
      for (int32_t x = 0; x < kSoundPictureWidth; ++x) picture.push_back(strip.pixels[size_t(y) * size_t(strip.width) + size_t(i * kSoundPictureWidth + x)]);
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

int32_t MainWindow::rebuildSound() {
  if (!sound_) return kErrorDirectSound;
  if (recording_) recording_->engineGone();
  sound_->stop();
  int32_t error = kErrorNone;
  if (!sound_->start()) {
    error = fatalError();
    settings().outputMode = 0;
    settings().soundCardGuid.reset();
    settings().soundCard1Guid.reset();
    settings().soundCard2Guid.reset();
    sound_->startOrFallBack();
  }
  clearFatalError();
  if (recording_) recording_->engineBack();
  sound_->resendParameters(app_.mixer());
  attachApp();
  return error == kErrorNone && !sound_->engine() ? kErrorDirectSound : error;
}

}  // namespace zarnel
