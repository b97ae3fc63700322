#include "tools/automix/AutoMixRender.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/App.h"
#include "app/AutoMix.h"
#include "app/AutoMixLink.h"
#include "app/BrowserPanel.h"
#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/MainWindow.h"
#include "app/RecordingControl.h"
#include "app/Settings.h"
#include "app/TextLookup.h"
#include "desk/Desk.h"
#include "desk/FileAnalysis.h"
#include "desk/SharedWord.h"
#include "library/ListItem.h"
#include "library/Playlist.h"
#include "library/TrackStore.h"
#include "library/TrackEntry.h"
#include "mixer/MixerState.h"
#include "mixer/Recorder.h"
#include "platform/FloatMode.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "tools/automix/MixLog.h"

namespace zarnel::tools {
namespace {

constexpr int32_t kStep = 256;  // card frames per pass of the audio loop
constexpr int64_t kRate = 44100;
constexpr int64_t kLogPeriodMs = 200;
// The mix has ended once nothing has played for this long with nothing queued.
constexpr int64_t kQuietEndMs = 1000;
// The most a started track may take to play out (its length twice, and a
// minute), so that every render ends.
constexpr int64_t kTrackMarginSeconds = 60;

void applyOverrides(const AutoMixOverrides& o) {
  Settings& s = settings();
  if (o.longMix) s.longMix = *o.longMix;
  if (o.startMix) s.startMix = *o.startMix;
  if (o.endMix) s.endMix = *o.endMix;
  if (o.autoBpm) s.autoBpm = *o.autoBpm;
  if (o.autoSync) s.autoSync = *o.autoSync;
  if (o.autoZPitch) s.autoZPitch = *o.autoZPitch;
}

class Session {
 public:
  Session(const PlatformServices& services, const AutoMixRenderOptions& options)
      : options_(options), services_(services) {
    card_ = sound_.addCard("Zarnel virtual card");
    registry_.createKey("Software\\Zarnel");
    services_.sound = &sound_;
    services_.threads = &threads_;
    services_.registry = &registry_;  // what the window writes at its close stays here
    services_.mixer = nullptr;
    services_.cd = nullptr;
    services_.dialogs = nullptr;
    services_.folders = nullptr;  // nothing is added to the DJ's history
  }

  AutoMixRenderResult run();

 private:
  bool setUp(AutoMixRenderResult& result);
  void analyseUnknownTracks();
  void pass();
  void dispatchUntil(int64_t ms);
  void logRow(bool tick);
  bool finished();
  void noteStarts();
  void tearDown(AutoMixRenderResult& result);

  const AutoMixRenderOptions& options_;
  PlatformServices services_;
  VirtualSoundSystem sound_;
  SoundDeviceId card_;
  VirtualThreadControl threads_;
  VirtualRegistry registry_;
  VirtualWindowSystem windows_;
  LocalisedTexts texts_{services_.files};
  App app_;
  std::unique_ptr<MainWindow> main_;
  VirtualSoundBuffer* buffer_ = nullptr;
  MixLog log_;
  int64_t frames_ = 0;        // card frames played
  int64_t nextLogMs_ = 0;
  int64_t quietSinceMs_ = -1;
  int64_t boundFrames_ = kTrackMarginSeconds * kRate;
  int32_t tracks_ = 0;
  int32_t started_ = 0;
  const TrackEntry* lastEntry_[2] = {nullptr, nullptr};
  bool wasRunning_ = false;
  int32_t transitions_ = 0;
};

bool Session::setUp(AutoMixRenderResult& result) {
  Settings& s = settings();
  s.outputMode = 0;  // one stereo card: the recording is its output
  s.soundCardGuid.reset();
  s.multiInstance = 1;  // the system volumes are the DJ's, not the render's
  s.autoSave = 1;       // the recording starts with the first desk
  s.autoSaveCut = 0;    // one file
  applyOverrides(options_.overrides);
  texts_.load(languageFilePath(s.homeFolder));
  main_ = std::make_unique<MainWindow>(app_, windows_, services_, texts_);
  main_->setOffline(true);
  if (!main_->create(WindowSpec{"ZARNEL", "Zarnel", 0, 0, 800, 600})) {
    result.error = "the program could not start (" + texts_.errorText(fatalError() > 0 ? fatalError() : 0) +
                   "); is its home folder set up (scripts/run.sh)?";
    return false;
  }
  buffer_ = sound_.openDevices().at(0)->buffers().at(0);
  buffer_->setRecording(options_.keepPlayed);
  LibraryShell& library = *main_->library();
  if (!library.playlist().load(options_.playlist) || library.playlist().empty()) {
    result.error = "no track to mix in " + options_.playlist;
    return false;
  }
  tracks_ = int32_t(library.playlist().size());
  analyseUnknownTracks();
  if (!main_->recording()->start(options_.out)) {
    result.error = "cannot create " + options_.out;
    return false;
  }
  library.otherPanelAction(panelbutton::kAutoMix);
  return true;
}

// Tracks the store has no tempo for are analysed first, as the browser's
// Analyse command does, so that AutoMix can match them from their first mix.
void Session::analyseUnknownTracks() {
  if (!services_.files) return;
  FileAnalysis analysis(*services_.files, main_->database());
  AnalysisProgress quiet;
  int32_t done = 0;
  for (ListItem& item : main_->library()->playlist().items()) {
    TrackEntry* entry = entryOf(item, main_->database());
    if (entry && loadWord(entry->bpm) > 0.0f) continue;
    if (options_.analysing) options_.analysing(item.path, ++done);
    analysis.analyseFile(item.path, quiet);
  }
}

// One pass of the audio thread, then the recorder's writer.
void Session::pass() {
  sound_.advance(kStep);
  main_->soundOutput()->stepRt();
  main_->recording()->writeCycle();
  frames_ += kStep;
  if (options_.keepPlayed) return;
  buffer_->clearRecorded();
}

// Delivers the window's messages due by ms: timers and what the desks posted.
void Session::dispatchUntil(int64_t ms) {
  Message m;
  while (windows_.peekMessage(m, int32_t(std::max<int64_t>(ms - windows_.nowMs(), 0)))) {
    const bool tick = m.id == msg::kTimer && m.wparam == AutoMix::kTimerId;
    windows_.dispatch(m);
    if (tick) logRow(true);
  }
  if (!main_->autoMix()->controller().running() && windows_.nowMs() >= nextLogMs_) logRow(false);
}

void Session::logRow(bool tick) {
  const AutoMix& mix = main_->autoMix()->controller();
  if (tick && !wasRunning_) ++transitions_;
  wasRunning_ = mix.running();
  nextLogMs_ = windows_.nowMs() + kLogPeriodMs;
  MixLog::Row row;
  row.timeMs = windows_.nowMs();
  row.transition = tick;
  row.step = mix.running() ? mix.step() : -1;
  row.crossfader = app_.mixer().crossfader();
  for (int32_t d = 0; d < 2; ++d) {
    const Desk& desk = *main_->desk(d);
    MixLog::DeskRow& out = row.desks[d];
    const TrackEntry* entry = desk.entry();
    out.pitch = desk.pitch();
    if (!entry || desk.position() < 0.0f) continue;
    out.loaded = true;
    out.file = entry->name;
    out.positionS = double(desk.position()) * double(std::max(desk.length(), 1));
    out.bpm = desk.bpm();
    if (const TrackData* data = desk.trackData()) out.firstBeatS = double(data->v1) * std::max(desk.length(), 1);
  }
  log_.add(row);
  if (options_.log) options_.log(log_.csv(row));
}

// A track that starts extends the bound by what it may take.
void Session::noteStarts() {
  for (int32_t d = 0; d < 2; ++d) {
    const Desk& desk = *main_->desk(d);
    if (desk.entry() == lastEntry_[d] || !desk.playing()) continue;
    lastEntry_[d] = desk.entry();
    ++started_;
    boundFrames_ += (2 * int64_t(std::max(desk.length(), 1)) + kTrackMarginSeconds) * kRate;
  }
}

bool Session::finished() {
  const bool quiet = !main_->desk(0)->playing() && !main_->desk(1)->playing() &&
                     !main_->autoMix()->controller().running() && main_->library()->playlist().empty();
  if (!quiet) {
    quietSinceMs_ = -1;
    return false;
  }
  if (quietSinceMs_ < 0) quietSinceMs_ = windows_.nowMs();
  return windows_.nowMs() - quietSinceMs_ >= kQuietEndMs;
}

AutoMixRenderResult Session::run() {
  AutoMixRenderResult result;
  setAudioThreadFloatMode();
  if (!setUp(result)) {
    tearDown(result);
    result.ok = false;
    return result;
  }
  if (options_.log) options_.log(kAutoMixLogHeader);
  int64_t nextProgress = kRate;
  while (!finished()) {
    pass();
    dispatchUntil(frames_ * 1000 / kRate);
    noteStarts();
    if (frames_ >= nextProgress) {
      nextProgress += kRate;
      if (options_.progress) options_.progress(double(frames_) / kRate, started_, tracks_);
    }
    if (frames_ > boundFrames_) {
      result.error = "the mix did not end within the time its tracks can take; stopped";
      break;
    }
  }
  result.ok = result.error.empty();
  tearDown(result);
  return result;
}

void Session::tearDown(AutoMixRenderResult& result) {
  if (main_ && main_->recording()) {
    RecordingControl& recording = *main_->recording();
    if (!recording.stop() && result.ok) {
      result.ok = false;
      result.error = "writing " + options_.out + " failed";
    }
    const RecorderStatus& status = recording.lastStatus();
    result.frames = status.totalFrames;
    if (status.droppedFrames > 0 && result.ok) {
      result.ok = false;
      result.error = "the recorder dropped frames";
    }
  }
  result.transitions = transitions_;
  result.beats = log_.alignment();
  if (buffer_ && options_.keepPlayed) result.played = buffer_->recorded();
  if (main_ && main_->window()) {
    Message destroy;
    destroy.window = main_->window();
    destroy.id = msg::kDestroy;
    main_->handle(destroy);
  }
  main_.reset();
}

}  // namespace

AutoMixRenderResult renderAutoMix(const PlatformServices& services, const AutoMixRenderOptions& options) {
  Session session(services, options);
  return session.run();
}

}  // namespace zarnel::tools
