#include "app/RecordingControl.h"

#include "app/DialogTexts.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "app/TextSlots.h"
#include "mixer/OutputEngine.h"
#include "mixer/Recorder.h"
#include "mixer/RecorderStatusText.h"
#include "platform/DynamicLibrary.h"

namespace zarnel {

RecordingControl::RecordingControl(RecordingLinks links) : links_(std::move(links)) {}

RecordingControl::~RecordingControl() { stop(); }

void RecordingControl::toggle() {
  if (recorder_) {
    stop();
    return;
  }
  if (fileName_.empty() && !chooseFileName()) return;
  start(fileName_);
}

bool RecordingControl::start(const std::string& name) {
  stop();
  if (!links_.files) return false;
  fileName_ = name;
  RecorderOptions options;
  if (links_.settings) {
    options.autoStart = links_.settings->autoSave != 0;
    options.autoCut = links_.settings->autoSaveCut != 0;
  }
  options.hostWindow = links_.hostWindow;
  recorder_ = std::make_unique<Recorder>(*links_.files, links_.libraries);
  failureTold_ = false;
  // A recorder that failed stays, showing its error, until the next press.
  const bool ok = links_.writerThread ? recorder_->create(name, options) : recorder_->open(name, options);
  if (ok) engineBack();
  return ok;
}

bool RecordingControl::stop() {
  if (!recorder_) return true;
  detach();
  const bool ok = recorder_->stop();
  last_ = recorder_->status();
  recorder_.reset();
  return ok;
}

void RecordingControl::cut() {
  if (recorder_) recorder_->requestCut();
}

// The engine lets go first: from then on no audio thread touches the
// recorder, and its stop needs no answer from one.
void RecordingControl::detach() {
  if (attached_) attached_->detachRecorder();
  attached_ = nullptr;
  if (recorder_) recorder_->setFedByAudio(false);
}

void RecordingControl::engineGone() { detach(); }

void RecordingControl::engineBack() {
  detach();
  OutputEngine* engine = links_.engine ? links_.engine() : nullptr;
  if (!recorder_ || !engine) return;
  const RecorderPhase phase = recorder_->status().phase;
  if (phase != RecorderPhase::kArmed && phase != RecorderPhase::kRecording) return;
  attached_ = engine;
  engine->attachRecorder(recorder_.get());
}

void RecordingControl::writeCycle() {
  if (recorder_) recorder_->writeCycle();
}

bool RecordingControl::chooseFileName() {
  if (!links_.dialogs || !links_.texts) return false;
  FileDialogSpec spec;
  spec.title = browserTitle(*links_.texts, kTitleSaveWav);
  spec.filters = fileFilters(*links_.texts, kFilterSave);
  // A plug-in is a shared library of this system, whatever the filter's text says.
  for (FileFilter& filter : spec.filters) {
    if (filter.patterns == "*.dll") filter.patterns = std::string(1, '*').append(kNativeLibraryExtension);
  }
  spec.initialName = fileName_;
  spec.defaultExtension = "wav";
  spec.confirmOverwrite = true;
  const std::string chosen = links_.dialogs->saveFile(spec);
  if (chosen.empty()) return false;
  fileName_ = chosen;
  return true;
}

std::string RecordingControl::takeFailure() {
  if (!recorder_ || failureTold_ || recorder_->status().phase != RecorderPhase::kWriteFailed) return {};
  failureTold_ = true;
  return statusText();
}

std::string RecordingControl::statusText() const {
  if (!recorder_ || !links_.texts) return {};
  RecorderTexts texts;
  texts.recording = links_.texts->text(TextSection::kOthers, kOtherSaveMsg);
  texts.waiting = links_.texts->text(TextSection::kOthers, kOtherSaveMsgWait);
  texts.noFile = links_.texts->text(TextSection::kOthers, kOtherSaveMsgErr);
  texts.broadcasting = links_.texts->text(TextSection::kOthers, kOtherBroadcastMsg);
  texts.broadcastWaiting = links_.texts->text(TextSection::kOthers, kOtherBroadcastMsgWait);
  texts.broadcastError = links_.texts->text(TextSection::kOthers, kOtherBroadcastMsgErr);
  return recorderStatusText(recorder_->status(), texts);
}

}  // namespace zarnel
