#include "app/MainWindow.h"

#include <algorithm>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "library/DateStamp.h"
#include "platform/Registry.h"
#include "skin/BalloonImage.h"
#include "skin/SkinFiles.h"
#include "skin/SkinTooltips.h"

namespace zarnel {

namespace {
constexpr uint32_t kGetSkinQuery = 201;  // lparam of the broadcast plug-ins' get-skin query
constexpr char kNoSkinName[] = "";
constexpr uint32_t kBackground = 0x18181C;  // until the skin draws
// No localised text says this: the program's own.
constexpr char kStoreHeldText[] =
    "The internal database is in use by another program.\n"
    "Zarnel opens it read-only: what it learns of your tracks in this session is not kept.";
}  // namespace

MainWindow::MainWindow(App& app, WindowSystem& windows, const PlatformServices& services,
                       const TextLookup& texts)
    : app_(app), windows_(windows), services_(services), texts_(texts) {
  if (services_.fonts) {
    fontText_ = std::make_unique<FontTextRenderer>(*services_.fonts);
    text_ = fontText_.get();
  }
}

// The balloon picture beside the skins, else the one drawn in code.
Bitmap MainWindow::balloonImage() const {
  Bitmap picture;
  if (services_.files && loadSkinPicture(*services_.files, settings().homeFolder, "tooltip", picture) &&
      picture.width == kBalloonImageWidth && picture.height == kBalloonImageHeight)
    return picture;
  return makeBalloonImage();
}

MainWindow::~MainWindow() { onDestroyWithoutSaving(); }

void MainWindow::abandon() { onDestroyWithoutSaving(); }

bool MainWindow::create(const WindowSpec& spec) {
  window_ = windows_.createWindow(spec);
  if (!window_) {
    setFatalError(kErrorInitGraf);
    return false;
  }
  window_->setHandler(this);
  created_ = true;
  if (!buildObjects()) {
    onDestroyWithoutSaving();
    return false;
  }
  return true;
}

// The objects of a running program, in their order of creation. Each step
// that fails leaves FatalError set.
bool MainWindow::buildObjects() {
  if (fatalError() != kErrorNone || !services_.files) return false;
  database_ = std::make_unique<TrackStore>(*services_.files, todayStamp());
  if (!database_->open(settings().homeFolder)) return false;
  DeskLinks links;
  links.services = services_;
  links.poster = this;
  links.store = database_.get();
  for (int32_t d = 0; d < 2; ++d) {
    desks_[d] = std::make_unique<Desk>(d, links);
    if (fatalError() != kErrorNone) return false;
  }
  matcher_ = std::make_unique<BeatMatcher>(*desks_[0], *desks_[1], app_.mixer(), window_.get());
  for (auto& desk : desks_) desk->setLoadMatcher(matcher_.get());
  AutoMixLinks mixLinks;
  mixLinks.app = &app_;
  mixLinks.desks[0] = desks_[0].get();
  mixLinks.desks[1] = desks_[1].get();
  mixLinks.matcher = matcher_.get();
  mixLinks.window = window_.get();
  mixLinks.poster = this;
  mixLinks.settings = &settings();
  mixLinks.nextTrack = [this](int32_t d) { return library_ && library_->nextTrack(d); };
  autoMix_ = std::make_unique<AutoMixLink>(mixLinks);
  for (auto& desk : desks_) desk->setAutoMixWatch(autoMix_.get());
  if (settings().multiInstance == 0) volumes_ = std::make_unique<SystemVolumeGuard>(services_.mixer);
  buildSamples();
  sound_ = std::make_unique<SoundOutput>(*desks_[0], *desks_[1], services_);
  sound_->setSamples(&samples_->players());
  sound_->setDrivenByCaller(offline_);
  if (!sound_->start()) return false;
  sound_->resendParameters(app_.mixer());
  buildRecording();
  buildLibrary();
  attachApp();
  attachInput();
  if (!buildRenderer()) return false;
  library_->open();
  library_->attach(*renderer_);
  window_->acceptFiles(true);
  // Without its window the program runs on without tooltips.
  tooltip_ = std::make_unique<Tooltip>(windows_, *text_, balloonImage());
  if (!tooltip_->create()) tooltip_.reset();
  window_->setTimer(timer::kDisplay, kDisplayRefreshMs);
  return true;
}

// The stored key bindings, and joystick 1 with its calibration.
void MainWindow::attachInput() {
  if (settings().shortcuts) shortcuts_.readValue(kRegBinary, *settings().shortcuts);
  int32_t minimumX = 0, rangeX = 0;
  app_.joystickCaptured = windows_.captureJoystick(window_.get(), minimumX, rangeX);
  if (app_.joystickCaptured) {
    shortcuts_.setJoystickRange(minimumX, rangeX);
    app_.joystickMinX = minimumX;
    app_.joystickRangeX = std::max(rangeX, 1);
  }
}

void MainWindow::attachApp() {
  AppLinks links;
  links.desks[0] = desks_[0].get();
  links.desks[1] = desks_[1].get();
  links.matcher = matcher_.get();
  links.engine = sound_->engine();
  links.window = window_.get();
  links.shell = this;
  links.later = later_;
  app_.attach(links);
}

// The skin decides the window's size, so the window is sized before the
// renderer binds its back buffer (which a resize replaces).
bool MainWindow::buildRenderer() {
  renderer_ = std::make_unique<Renderer>(*this);
  renderer_->setTextRenderer(text_);
  if (!renderer_->loadSkin(*services_.files, settings().homeFolder, settings().skin)) return false;
  applySkinTooltips(*renderer_->skin(), localisation());
  sizeToSkin();
  deskState_ = std::make_unique<DeskState>(desks_[0].get(), desks_[1].get(), app_.mixer());
  zoneState_ = std::make_unique<ZoneState>(desks_[0].get(), desks_[1].get(), app_.mixer(), windows_, services_.clock);
  // The widgets take the mixer's state before the renderer first draws them.
  app_.setSkin(renderer_->skin());
  app_.applyMixerState(true);
  if (!renderer_->start(*window_, rendererLinks(), !offline_)) return false;
  if (settings().maximized != 0) enterFullScreen();
  return true;
}

// A skin of another size than 800 by 600 is centred across the screen at
// the top; a display that cannot be read, or is narrower than 800, counts as
// 800 wide. In full-screen mode the window goes to the corner instead.
void MainWindow::sizeToSkin() {
  const Skin& skin = *renderer_->skin();
  if (settings().maximized != 0) {
    window_->setBounds(0, 0, skin.windowWidth, skin.windowHeight);
    return;
  }
  if (skin.windowWidth == window_->width() && skin.windowHeight == window_->height()) return;
  int32_t screenWidth = 0, screenHeight = 0;
  if (!windows_.displaySize(screenWidth, screenHeight) || screenWidth < 800) screenWidth = 800;
  int32_t x = screenWidth - skin.windowWidth;
  x = x >= 0 ? x / 2 : (x - 1) / 2;  // rounded down
  window_->setBounds(x, 0, skin.windowWidth, skin.windowHeight);
}

bool MainWindow::enterFullScreen() {
  if (!window_ || !window_->setFullScreen(true)) return false;
  fullScreen_ = true;
  return true;
}

void MainWindow::leaveFullScreen() {
  if (!window_ || !fullScreen_) return;
  window_->setFullScreen(false);
  fullScreen_ = false;
}

void MainWindow::toggleFullScreen() {
  if (fullScreen_) {
    leaveFullScreen();
  } else {
    enterFullScreen();
  }
  settings().maximized = fullScreen_ ? 1 : 0;
}

bool MainWindow::replaceSkin(const std::string& name) {
  if (!renderer_ || !window_ || !services_.files) return false;
  std::unique_ptr<Skin> fresh = loadSkin(*services_.files, settings().homeFolder, name);
  if (!fresh) {
    windows_.messageBox(texts_.errorText(kErrorSkin), "Zarnel", MessageBoxKind::error);
    clearFatalError();
    return false;
  }
  settings().skin = name;
  const bool full = fullScreen_;
  leaveFullScreen();
  app_.setSkin(nullptr);
  if (library_) library_->detach();
  std::unique_ptr<Skin> old = renderer_->takeSkin();
  applySkinTooltips(*fresh, localisation());
  renderer_->setSkin(std::move(fresh));
  app_.setSkin(renderer_->skin());
  app_.applyMixerState(false);
  sizeToSkin();
  const bool started = renderer_->start(*window_, rendererLinks(), !offline_);
  if (started && library_) library_->attach(*renderer_);
  if (full) enterFullScreen();
  return started;  // the old skin goes here, after the new one drew
}

bool MainWindow::loadDesk(int32_t d, const char* title, const char* author, const char* path,
                          TrackEntry* entry) {
  const bool loaded = app_.loadDesk(d, title, author, path, entry);
  flush();
  return loaded;
}

void MainWindow::show() {
  window_->show(true);
  placeDialogs();
  paint();
  if (database_ && database_->heldElsewhere()) windows_.messageBox(kStoreHeldText, "Zarnel", MessageBoxKind::ok);
}

void MainWindow::postRt(uint32_t message, int32_t wparam, int32_t lparam) {
  if (window_) window_->post(message, wparam, lparam);
}

// Presents what the dispatch changed outside the mouse routing.
void MainWindow::flush() {
  if (renderer_ && renderer_->started()) renderer_->flush();
}

// Until the skin is drawn, the window shows its cleared back buffer.
void MainWindow::paint() {
  if (renderer_ && renderer_->started()) return renderer_->paint();
  uint32_t* pixels = window_->backBuffer();
  std::fill(pixels, pixels + size_t(window_->width()) * size_t(window_->height()), kBackground);
  window_->present();
}

intptr_t MainWindow::handle(const Message& m) {
  if (routeMouse(m) || handleDeskMessage(m)) return 0;
  intptr_t result = 0;
  if (handleSysCommand(m, result)) return result;
  switch (m.id) {
    case msg::kTimer:
      onTimer(m.wparam);
      return 0;
    case msg::kPaint:
      paint();
      return 0;
    case kRhythmFrameMessage:
      if (renderer_) renderer_->presentRhythm();
      return 0;
    case msg::kClose:
      onClose();
      return 0;
    case msg::kEndSession:
      // The session ends whether or not a desk plays: no question to answer.
      if (m.wparam != 0 && !destroyed_) closeWithoutAsking();
      return 0;
    case msg::kKeyDown:
    case msg::kSysKeyDown:
      if (library_) library_->setKeyModifiers(m.modifiers);
      if (shortcuts_.handleKey(m.wparam, m.lparam, m.modifiers)) flush();
      return 0;
    case msg::kDropFiles:
      if (library_) library_->dropFiles(m.files);
      flush();
      return 0;
    case msg::kJoy1Move:
      shortcuts_.joystickMove(m.wparam, m.lparam & 0xFFFF);
      flush();
      return 0;
    case msg::kJoy1ButtonDown:
      shortcuts_.joystickButton(m.wparam);
      flush();
      return 0;
    case msg::kUser:
      // The broadcast plug-ins' get-skin query: no skin name to give.
      return m.lparam == int32_t(kGetSkinQuery) ? reinterpret_cast<intptr_t>(kNoSkinName) : -1;
    default:
      return 0;
  }
}

bool MainWindow::handleDeskMessage(const Message& m) {
  if (m.id != kMsgMixIn && m.id != kMsgTrackEnded && m.id != kMsgEffect) return false;
  if (m.id == kMsgMixIn) app_.mixIn(m.wparam);
  if (m.id == kMsgTrackEnded) app_.trackEnded(m.wparam);
  if (m.id == kMsgEffect) app_.effectRequest(m.wparam, m.lparam);
  flush();
  return true;
}

// Screen savers and monitor power-off never interrupt a set. The "close"
// button's command closes as the window's own close does; the window
// system has no minimised state, so "minimize" changes nothing.
bool MainWindow::handleSysCommand(const Message& m, intptr_t& result) {
  if (m.id != msg::kSysCommand) return false;
  const int32_t command = m.wparam & 0xFFF0;
  result = command == msg::kScScreenSave || command == msg::kScMonitorPower ? 1 : 0;
  if (command == syscmd::kClose && !destroyed_) onClose();
  return true;
}

// Mouse messages, in client coordinates; the right button's messages carry
// the 0x2000 bit in their key state, and the routing adds the released
// button's own bit.
bool MainWindow::routeMouse(const Message& m) {
  if (m.id < msg::kMouseMove || m.id > msg::kMouseWheel) return false;
  if (!renderer_ || !renderer_->started()) return true;
  MouseRouter& mouse = renderer_->mouse();
  const int32_t keys = m.wparam & 0xFFFF & ~msg::kMkRightFlag;
  switch (m.id) {
    case msg::kMouseMove:
      mouse.mouseMove(m.x, m.y, keys);
      if (library_) library_->pointerAt(m.x, m.y);
      break;
    case msg::kLButtonDown:
    case msg::kLButtonDblClk: mouse.buttonDown(m.x, m.y, keys, false, windows_.nowMs()); break;
    case msg::kRButtonDown:
    case msg::kRButtonDblClk: mouse.buttonDown(m.x, m.y, keys, true, windows_.nowMs()); break;
    case msg::kLButtonUp: mouse.buttonUp(m.x, m.y, keys, false); break;
    case msg::kRButtonUp: mouse.buttonUp(m.x, m.y, keys, true); break;
    case msg::kMouseWheel: mouse.wheel(m.x, m.y, keys, m.wheel); break;
    default: return false;
  }
  renderer_->flush();
  return true;
}

void MainWindow::captureMouse() { window_->captureMouse(true); }
void MainWindow::releaseMouse() { window_->captureMouse(false); }
void MainWindow::moveWindowBy(int32_t dx, int32_t dy) {
  window_->moveBy(dx, dy);
  placeDialogs();
}
void MainWindow::setCursorPos(int32_t x, int32_t y) { window_->warpMouse(x, y); }
bool MainWindow::tooltipsOn() const { return settings().toolTip != 0; }
void MainWindow::showTooltip(int32_t x, int32_t y, const std::string& text) {
  if (tooltip_) tooltip_->show(window_->screenX() + x, window_->screenY() + y, text);
}

void MainWindow::releaseKeyboardUnlessAt(int32_t x, int32_t y) {
  if (library_) library_->releaseKeyboardUnlessAt(x, y);
}

void MainWindow::hideTooltip() {
  if (tooltip_) tooltip_->hide();
}

void MainWindow::onTimer(int32_t id) {
  if (library_ && library_->onTimer(id)) {
    flush();
    return;
  }
  if (id == timer::kAutoMix) {
    if (autoMix_) autoMix_->controller().tick();
    flush();
    return;
  }
  if (id == timer::kDisplay) {
    if (autoMix_) autoMix_->sync();
    if (library_) library_->refreshRecording();
    if (samples_) samples_->refresh();
    if (renderer_) renderer_->refresh();
    return;
  }
  for (int32_t d = 0; d < 2; ++d) {
    if (id == timer::kPitchReset[d]) {
      app_.pitchResetTick(d);
      flush();
    }
    if (id == timer::kLoad[d]) {
      window_->killTimer(id);
      app_.loadTimer[d] = 0;
    }
  }
}

bool MainWindow::confirmClose() {
  OutputEngine* engine = sound_ ? sound_->engine() : nullptr;
  if (!engine || !engine->isAudible(-1)) return true;
  return windows_.messageBox(texts_.text(TextSection::kOthers, kOtherQueryClose), "Zarnel", MessageBoxKind::yesNo) ==
         MessageBoxAnswer::yes;
}

void MainWindow::onClose() {
  if (confirmClose()) closeWithoutAsking();
}

void MainWindow::closeWithoutAsking() {
  for (int32_t id : {timer::kAutoMix, timer::kLoad[0], timer::kLoad[1], timer::kPitchReset[0],
                     timer::kPitchReset[1], timer::kDisplay, timer::kPanes, timer::kCaret, timer::kBrowser})
    window_->killTimer(id);
  window_->acceptFiles(false);
  if (renderer_) renderer_->stop();
  for (auto& desk : desks_)
    if (desk && desk->playing()) desk->pause();
  onDestroy();
}

// Tears down in the reverse order of creation and writes the settings last.
void MainWindow::onDestroy() {
  if (library_) library_->close();
  onDestroyWithoutSaving();
  settings().shortcuts = shortcuts_.value();
  saveSettings(services_, true);
  destroyed_ = true;
  windows_.postQuit();
}

void MainWindow::onDestroyWithoutSaving() {
  int32_t minimumX = 0, rangeX = 0;
  if (app_.joystickCaptured) windows_.captureJoystick(nullptr, minimumX, rangeX);
  app_.joystickCaptured = false;
  app_.detach();
  leaveFullScreen();
  tooltip_.reset();
  shortcuts_.setKeyboardHolder(nullptr);
  shortcuts_.setFallback(nullptr);
  if (library_) library_->detach();
  renderer_.reset();
  deskState_.reset();
  zoneState_.reset();
  if (services_.dialogs) services_.dialogs->setPumpHook(nullptr);
  if (later_ == library_.get()) later_ = &noLater_;
  library_.reset();
  optionDialogs_.reset();
  recording_.reset();  // before the engine goes: it lets go of the recorder first
  if (sound_) sound_->stop();
  sound_.reset();
  samples_.reset();
  if (volumes_) volumes_->restore();
  volumes_.reset();
  for (auto& desk : desks_)
    if (desk) desk->setAutoMixWatch(nullptr);
  autoMix_.reset();
  matcher_.reset();
  desks_[1].reset();
  desks_[0].reset();
  if (database_) database_->close();
  database_.reset();
}

}  // namespace zarnel
