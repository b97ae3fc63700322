// The library's part of the main window.

#include "app/LibraryShell.h"

#include "app/App.h"
#include "app/AutoMixLink.h"
#include "app/DialogTexts.h"
#include "app/FatalError.h"
#include "app/FavouriteFolder.h"
#include "app/Localisation.h"
#include "app/RecordingControl.h"
#include "app/SampleSlots.h"
#include "app/Settings.h"
#include "desk/Desk.h"
#include "library/LibraryPaths.h"
#include "library/TrackStore.h"
#include "mixer/OutputEngine.h"
#include "platform/DialogService.h"
#include "platform/FolderService.h"
#include "platform/WindowSystem.h"
#include "skin/Renderer.h"

namespace zarnel {
namespace {

constexpr const char* kScanListName = "mp3database.txt";

// The punctuation keys of a US keyboard: virtual key, plain, shifted.
struct PunctuationKey {
  int32_t key;
  char plain, shifted;
};
constexpr PunctuationKey kPunctuation[] = {
    {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'}, {0xBE, '.', '>'}, {0xBF, '/', '?'},
    {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

std::string charactersOfKey(int32_t key, int32_t modifiers) {
  const bool shift = (modifiers & msg::kModShift) != 0;
  if ((modifiers & msg::kModCtrl) != 0) return {};
  if (key >= 'A' && key <= 'Z') return std::string(1, char(shift ? key : key - 'A' + 'a'));
  if (key >= '0' && key <= '9') return std::string(1, shift ? kShiftedDigits[key - '0'] : char(key));
  if (key >= 0x60 && key <= 0x69) return std::string(1, char('0' + key - 0x60));  // numeric keypad
  if (key == 0x20) return " ";
  for (const PunctuationKey& p : kPunctuation) {
    if (p.key == key) return std::string(1, shift ? p.shifted : p.plain);
  }
  return {};
}

LibraryShell::LibraryShell(const LibraryLinks& links)
    : links_(links),
      options_(*links.settings, *links.mixer, links.desks[0], links.desks[1], links.matcher, links.optionActions),
      writer_(links.files, links.folders),
      playlistFiles_(*links.files, writer_,
                     links.drives ? PlaylistPaths::forDrives(*links.drives, '/') : PlaylistPaths('/')),
      playlist_(playlistFiles_, links.store),
      history_(writer_, links.clock),
      panel_(panelLinks()),
      actions_(BrowserActionLinks{&panel_, this, links.store, &playlist_, &playlistFiles_, &history_, &scanList_,
                                  links.dialogs, links.folders, links.files, links.settings, links.texts}) {
  for (size_t i = 0; i < bands_.size(); ++i) bands_[i] = links.settings->bandSizes[i];
  history_.onChange = [this] { actions_.historyChanged(); };
}

BrowserPanelLinks LibraryShell::panelLinks() {
  BrowserPanelLinks p;
  p.window = this;
  p.texts = links_.texts;
  p.settings = links_.settings;
  p.options = &options_;
  p.scanList = &scanList_;
  p.folders = links_.folders;
  p.listHost = &actions_;
  p.treeHost = &actions_;
  p.buttonHost = &actions_;
  p.menuHost = &actions_;
  p.bands = &bands_;
  p.playlist = &playlist_.items();
  p.databaseItems = [this] { return databaseItems(); };
  p.recordStatus = [this] { return links_.recording ? links_.recording->statusText() : std::string(); };
  p.samples = links_.samples;
  p.sliderMoved = [this](int32_t parameter, int32_t value) {
    if (links_.samples && parameter < kSamplePlayers) links_.samples->setVolume(parameter, value);
  };
  return p;
}

LibraryShell::~LibraryShell() { detach(); }

std::string LibraryShell::homePath(const char* name) const {
  return pathInFolder(links_.settings->homeFolder, name);
}

std::vector<ListItem> LibraryShell::databaseItems() const {
  std::vector<ListItem> out;
  out.reserve(scanList_.shown().size());
  for (int32_t i : scanList_.shown()) {
    const ScanItem& item = scanList_.items()[size_t(i)];
    if (!item.path.empty()) out.push_back(makeListItem(item.path, item.size));
  }
  return out;
}

void LibraryShell::open() {
  if (links_.files) scanList_.load(*links_.files, homePath(kScanListName));
}

void LibraryShell::attach(Renderer& renderer) {
  Skin* skin = renderer.skin();
  if (!skin || !skin->browser) return;
  renderer_ = &renderer;
  cutDragCursors(renderer.panelPixels());
  panel_.attach(*skin->browser, renderer.context());
  if (FolderTree* tree = panel_.tree()) {
    std::string favourite = decodeFavourite(links_.settings->favorite);
    if (favourite.empty() || !links_.folders || !links_.folders->isFolder(favourite)) {
      const std::string songs = homePath("sample songs");
      favourite = links_.folders && links_.folders->isFolder(songs) ? songs : links_.settings->homeFolder;
    }
    tree->build(favourite);
  }
  panel_.reloadDatabase();
  if (links_.samples) links_.samples->attach(&panel_);
  panel_.drawContent();
}

// The drag cursors: 32 by 32 at (600, 0), (632, 0) and (664, 0) of the panel picture.
void LibraryShell::cutDragCursors(const Bitmap& panel) {
  constexpr int32_t kSize = 32, kFirstX = 600;
  for (size_t i = 0; i < dragCursors_.size(); ++i) {
    Bitmap& b = dragCursors_[i];
    b = Bitmap{};
    const int32_t left = kFirstX + int32_t(i) * kSize;
    if (panel.width < left + kSize || panel.height < kSize) continue;
    b.width = b.height = kSize;
    for (int32_t y = 0; y < kSize; ++y) {
      for (int32_t x = 0; x < kSize; ++x) b.pixels.push_back(panel.pixels[size_t(y) * size_t(panel.width) + size_t(left + x)]);
    }
  }
}

void LibraryShell::showCursor(CursorShape shape) {
  if (links_.window) links_.window->setCursor(shape);
}

void LibraryShell::showDragCursor(int32_t kind) {
  if (!links_.window) return;
  if (kind < 1 || kind > 3 || dragCursors_[size_t(kind - 1)].width == 0) return links_.window->setCursor(CursorShape::kArrow);
  links_.window->setCursor(CursorShape::kPicture, &dragCursors_[size_t(kind - 1)], 0, 0);
}

void LibraryShell::detach() {
  if (links_.samples) links_.samples->attach(nullptr);
  panel_.detach();
  renderer_ = nullptr;
}

void LibraryShell::close() {
  history_.write(homePath(kHistoryFile), true);
  for (size_t i = 0; i < bands_.size(); ++i) links_.settings->bandSizes[i] = bands_[i];
  if (FolderTree* tree = panel_.tree(); tree && !tree->favourite().empty()) {
    links_.settings->favorite = encodeFavourite(tree->favourite());
  }
}

void LibraryShell::saveHistoryAs() {
  if (!links_.dialogs || !links_.texts) return;
  FileDialogSpec spec;
  spec.title = browserTitle(*links_.texts, kTitleSaveHistory);
  spec.filters = fileFilters(*links_.texts, kFilterTxt);
  spec.defaultExtension = "txt";
  spec.confirmOverwrite = true;
  const std::string path = links_.dialogs->saveFile(spec);
  if (path.empty()) return;
  if (!history_.write(path, false)) {
    links_.dialogs->message(std::string(links_.texts->errorText(kErrorCreateFile)), "Zarnel");
    return;
  }
  if (links_.folders) links_.folders->openForEditing(path);
}

bool LibraryShell::onTimer(int32_t id) {
  switch (id) {
    case timer::kPanes: panel_.paneTick(); return true;
    case timer::kCaret:
      if (SearchField* field = panel_.searchField()) field->caretTick();
      return true;
    case timer::kBrowser: actions_.repeatTick(); return true;
    default: break;
  }
  for (int32_t d = 0; d < 2; ++d) {
    if (id != timer::kLoad[d]) continue;
    // 40 seconds on the desk: the track joins the play history.
    killTimer(id);
    if (links_.app) links_.app->loadTimer[d] = 0;
    if (links_.desks[d] && links_.desks[d]->entry()) history_.add(links_.desks[d]->entry());
    return true;
  }
  return false;
}

void LibraryShell::releaseKeyboardUnlessAt(int32_t x, int32_t y) {
  SearchField* field = panel_.searchField();
  if (field && field->holdsKeyboard() && !field->hitTest(x, y)) field->releaseKeyboard();
}

// The search page asks once per run for a hard-disk scan when the scan list is empty.
void LibraryShell::showBrowserPage(int32_t page) {
  panel_.showPage(page);
  if (page != kPageSearch || askedForScan_ || !scanList_.items().empty() || !links_.dialogs || !links_.texts) return;
  askedForScan_ = true;
  const std::string question(links_.texts->text(TextSection::kOthers, kOtherScanHd));
  if (links_.dialogs->ask(question, "Zarnel", std::string(links_.texts->dialogText(kDialogDefault, kDialogOk)),
                          std::string(links_.texts->dialogText(kDialogDefault, kDialogCancel)))) {
    runHardDiskScan(scanLinks());
  }
}

ScanDialogLinks LibraryShell::scanLinks() {
  ScanDialogLinks l;
  l.dialogs = links_.dialogs;
  l.folders = links_.folders;
  l.files = links_.files;
  l.store = links_.store;
  l.list = &scanList_;
  l.settings = links_.settings;
  l.texts = links_.texts;
  l.reloaded = [this] { panel_.reloadDatabase(); };
  return l;
}

bool LibraryShell::autoMixOn() const { return links_.autoMix && links_.autoMix->autoMixOn(); }

void LibraryShell::autoMixNow() {
  if (links_.autoMix) links_.autoMix->controller().mixNow();
}

void LibraryShell::autoMixTransitionStopped() {
  if (links_.autoMix) links_.autoMix->controller().endTransition();
}

void LibraryShell::mixIn(int32_t desk) {
  if (links_.autoMix) links_.autoMix->controller().mixIn(desk);
}

void LibraryShell::trackEnded(int32_t desk) {
  if (links_.autoMix) links_.autoMix->controller().trackEnded(desk);
}

bool LibraryShell::nextTrack(int32_t desk) {
  std::optional<ListItem> item = playlist_.next();
  if (!item) return false;
  load(desk, *item, item->entry ? item->entry : entryOf(*item, links_.store));
  if (!hasTrack(1 - desk)) {
    if (std::optional<ListItem> second = playlist_.next()) {
      load(1 - desk, *second, second->entry ? second->entry : entryOf(*second, links_.store));
    }
  }
  if (BrowserList* list = panel_.playlistList()) list->itemsChanged();
  return true;
}

void LibraryShell::otherPanelAction(int32_t id) {
  switch (id) {
    case panelbutton::kAutoMix:
      if (!links_.autoMix) return;
      links_.autoMix->setOn(!links_.autoMix->autoMixOn());
      if (PanelButton* b = panel_.button(panelbutton::kAutoMix)) {
        b->setOn(links_.autoMix->autoMixOn());
        b->draw();
      }
      return;
    case panelbutton::kRecord: return toggleRecording();
    case panelbutton::kCut: return flagRecordingCut();
    case panelbutton::kScanHd: return runHardDiskScan(scanLinks());
    case panelbutton::kScanCd: return runCdScan(scanLinks());
    case panelbutton::kDeleteCd: return runDeleteCd(scanLinks());
    default: break;
  }
  const int32_t sample = id - panelbutton::kLoadSample;
  if (links_.samples && sample >= 0 && sample < kSamplePlayers) links_.samples->chooseAndLoad(sample);
}

void LibraryShell::triggerSample(int32_t player) {
  if (links_.samples) links_.samples->trigger(player);
}

void LibraryShell::stopAllSamples() {
  if (links_.samples) links_.samples->stopAll();
}

void LibraryShell::browserCommand(int32_t n) { actions_.panelAction(n); }

void LibraryShell::toggleRecording() {
  if (!links_.recording) return;
  links_.recording->toggle();
  if (PanelButton* b = panel_.button(panelbutton::kRecord)) {
    b->setOn(links_.recording->active());
    b->draw();
  }
  panel_.refreshRecordStatus();
}

// A write that failed (a full disk, a lost drive) is said once, whatever
// page is shown; the record page follows the recorder's state.
void LibraryShell::refreshRecording() {
  if (!links_.recording) return;
  const std::string failure = links_.recording->takeFailure();
  if (!failure.empty() && links_.dialogs) links_.dialogs->message(failure, "Zarnel");
  panel_.refreshRecordStatus();
}

void LibraryShell::flagRecordingCut() {
  if (links_.recording) links_.recording->cut();
}

void LibraryShell::setTimer(int32_t id, int32_t periodMs) {
  if (links_.window) links_.window->setTimer(id, periodMs);
}

void LibraryShell::killTimer(int32_t id) {
  if (links_.window) links_.window->killTimer(id);
}

void LibraryShell::setRepeatTimer(int32_t periodMs) { setTimer(timer::kBrowser, periodMs); }
void LibraryShell::killRepeatTimer() { killTimer(timer::kBrowser); }

std::string LibraryShell::translateKey(int32_t key) { return charactersOfKey(key, modifiers_); }

bool LibraryShell::takeKey(int32_t virtualKey, int32_t) {
  SearchField* field = panel_.searchField();
  return field && field->holdsKeyboard() && field->key(virtualKey);
}

int32_t LibraryShell::defaultDesk() const { return links_.app ? links_.app->activeDesk() : 0; }

bool LibraryShell::hasTrack(int32_t d) const {
  return links_.desks[d] && links_.desks[d]->status() != kStatusNothingLoaded;
}

bool LibraryShell::playing(int32_t d) const { return links_.desks[d] && links_.desks[d]->playing(); }

bool LibraryShell::audible(int32_t d) const {
  OutputEngine* engine = links_.engine ? links_.engine() : nullptr;
  return engine && engine->isAudible(d);
}

void LibraryShell::load(int32_t d, const ListItem& item, TrackEntry* entry) {
  if (links_.app) links_.app->loadDesk(d, item.title.c_str(), item.author.c_str(), item.path.c_str(), entry);
}

// A desk's drop zone, the playlist list, another widget of the window, or none.
PlacementTarget LibraryShell::dropTargetAt(int32_t x, int32_t y) {
  Skin* skin = renderer_ ? renderer_->skin() : nullptr;
  if (!skin) return {PlacementTarget::Kind::kNowhere, 0, -1};
  for (const auto& zone : skin->dropZones) {
    if (zone->hitTest(x, y) && zone->desk() >= 0) return {PlacementTarget::Kind::kDesk, zone->desk(), -1};
  }
  if (BrowserList* list = panel_.playlistList(); list && panel_.listAt(x, y) == list) {
    return {PlacementTarget::Kind::kPlaylist, 0, -1};
  }
  if (renderer_->mouse().widgetAt(x, y)) return {PlacementTarget::Kind::kOtherWidget, 0, -1};
  return {PlacementTarget::Kind::kNowhere, 0, -1};
}

}  // namespace zarnel
