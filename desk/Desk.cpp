#include "desk/Desk.h"

#include "desk/SharedWord.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/Settings.h"
#include "desk/DeskEngine.h"
#include "desk/DeskHooks.h"
#include "desk/sources/CdSource.h"
#include "desk/sources/MpegSource.h"
#include "desk/sources/WavSource.h"
#include "desk/sources/WmaSource.h"
#include "library/TrackStoreLink.h"

namespace zarnel {

namespace {

bool endsWith(const std::string& path, const char* ending) {
  const size_t n = std::strlen(ending);
  if (path.size() < n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(uint8_t(path[path.size() - n + i])) != ending[i]) return false;
  }
  return true;
}

// A disc path names a track by disc: a '=' comes before any ':' or '\'.
bool isDiscPath(const std::string& path) {
  for (char c : path) {
    if (c == '=') return true;
    if (c == ':' || c == '\\') return false;
  }
  return false;
}

}  // namespace

Desk::Desk(int32_t index, const DeskLinks& links)
    : index_(index),
      links_(links),
      wav_(std::make_unique<WavSource>(*links.services.files)),
      mpeg_(std::make_unique<MpegSource>()),
      cd_(std::make_unique<CdSource>(*links.services.files, links.services.cd)),
      wma_(std::make_unique<WmaSource>(links.services.media)),
      analyser_(this),
      out_(std::make_unique<DeskOutputRing>()),
      transition_(std::make_unique<DeskTransition>()),
      decodeRing_(new int16_t[kDecodeRingFrames * 2]()) {
  std::fill(std::begin(blockTime_), std::end(blockTime_), -1.0f);
  for (AudioSource* source : {wav_.get(), mpeg_.get(), cd_.get(), wma_.get()}) reader_.add(source->readAhead());
}

Desk::~Desk() {
  reader_.stop();
  if (entry_ && links_.store) links_.store->release(entry_);
}

void Desk::setServiced(bool serviced) {
  if (serviced) reader_.start();
  serviced_.store(serviced, std::memory_order_release);
  if (!serviced) reader_.stop();
}

// --- mailbox -------------------------------------------------------------

int32_t Desk::post(int32_t command) {
  if (!serviced_.load(std::memory_order_acquire)) {
    // No audio thread: nothing else touches the rings, so run it here.
    executeRt(command);
    return 0;
  }
  // The argument was stored first: the audio thread may take the code at once.
  command_.store(command, std::memory_order_release);
  commandDone_.wait();
  return 0;
}

int32_t Desk::postValue(int32_t command, int32_t value) {
  commandValue_.store(value, std::memory_order_relaxed);
  return post(command);
}

int32_t Desk::postPosition(int32_t command, float position) {
  commandPosition_.store(position, std::memory_order_relaxed);
  return post(command);
}

// --- UI operations -------------------------------------------------------

AudioSource* Desk::chooseSource(const std::string& path) {
  if (endsWith(path, ".wav")) return wav_.get();
  if (endsWith(path, ".cda")) return cd_.get();
  if (endsWith(path, ".wma") || endsWith(path, ".asf")) return wma_.get();
  return mpeg_.get();
}

bool Desk::load(const char* title, const char* author, const char* path, TrackEntry* entry) {
  post(kCmdUnload);
  if (entry_ && links_.store) links_.store->release(entry_);
  entry_ = entry;
  if (source_) source_->close();
  analyser_.fullReset();
  setMixFired(false);
  title_ = title ? title : "";
  author_ = author ? author : "";

  std::string file = path ? path : "";
  source_ = chooseSource(file);
  if (isDiscPath(file)) {
    std::string resolved, message;
    if (!links_.store || !links_.store->resolveDiscPath(file, resolved, message)) {
      discMessage_ = message;
      openFailure_ = OpenFailure::kDiscMissing;
      length_.store(-1);
      position_.store(-1.0f);
      status_.store(kStatusNoDisc);
      return false;
    }
    file = resolved;
  }
  int32_t length = source_->open(file.c_str());
  openFailure_ = source_->openFailure();
  if (length < 0) {
    status_.store(kStatusBadFile);
    length_.store(-1);
    position_.store(-1.0f);
    return false;
  }
  length_.store(length);
  attachTrackData(file);

  float start = startPosition();
  if (!(settings().autoBpm != 0 && links_.matcher && links_.matcher->matchTempo(*this)))
    setPitch(4096);
  if (settings().autoLevel != 0 && !(links_.matcher && links_.matcher->matchLevel(*this)) &&
      links_.matcher)
    links_.matcher->setGain(*this, 2048);
  clearLoopSelection();
  postPosition(kCmdLoad, start);
  status_.store(kStatusLoaded);
  return true;
}

void Desk::attachTrackData(const std::string& path) {
  if (!links_.store) return;
  if (!entry_ || entry_->sizeKey == 0) entry_ = links_.store->find(path.c_str(), source_->sizeKey());
  if (entry_) analyser_.setTrackData(links_.store->acquire(entry_));
}

float Desk::startPosition() {
  if (links_.autoMix && links_.autoMix->autoMixOn()) {
    cueCycle_ = 0;
    return links_.autoMix->startPosition(*this);
  }
  const TrackData* data = trackData();
  float cue = data ? data->v3 : 0.0f;
  cueCycle_ = cue == 0.0f ? 2 : 1;
  return cue;
}

int32_t Desk::play() {
  if (position() < 0) return kRefused;
  return post(kCmdPlay);
}

int32_t Desk::pause() {
  if (position() < 0) return kRefused;
  return post(kCmdPause);
}

int32_t Desk::refresh() {
  if (position() < 0) return kRefused;
  return post(kCmdRefresh);
}

void Desk::eject() {
  clearLoopSelection();
  postPosition(kCmdSeek, 1.0f);
}

void Desk::seekAndPlay(float position) {
  if (length() < 0) return;
  clearLoopSelection();
  postPosition(kCmdSeek, position);
  if (!playing() && this->position() != -1.0f) post(kCmdPlay);
}

void Desk::stopAndSeek(float position) {
  if (length() < 0) return;
  if (playing()) {
    post(kCmdPause);
    cueCycle_ = 0;
  }
  clearLoopSelection();
  postPosition(kCmdSeek, position);
}

void Desk::setPitch(int32_t ratio) {
  if (ratio != pitch()) postValue(kCmdSetPitch, ratio);
}

void Desk::seekTo(float position) { postPosition(kCmdSeek, position); }

void Desk::stop() {
  if (length() < 0) return;
  if (playing()) {
    post(kCmdPause);
    cueCycle_ = 0;
  }
  clearLoopSelection();
  const TrackData* data = trackData();
  const float cue = data ? data->v3 : 0.0f;
  float target = 0.0f;
  switch (cueCycle_.load()) {
    case 0:
      target = cue;
      cueCycle_ = cue == 0.0f ? 2 : 1;
      break;
    case 1:
      target = 0.0f;
      cueCycle_ = 2;
      break;
    default:
      target = data ? loadWord(data->v1) : 0.0f;
      cueCycle_ = 0;
      break;
  }
  seekTo(target);
}

void Desk::setCue() {
  TrackData* data = trackData();
  if (data && position() >= 0) data->v3 = position();
}

void Desk::goToCuePoint(int32_t n) {
  const TrackData* data = trackData();
  if (length() < 0 || n < 0 || !data || int32_t(data->cues.size()) <= n) return;
  if (playing()) post(kCmdPause);
  clearLoopSelection();
  seekTo(data->cues[size_t(n)].position);
}

void Desk::setCuePoint(int32_t n) {
  TrackData* data = trackData();
  if (!data || n < 0 || position() < 0) return;
  if (int32_t(data->cues.size()) <= n) data->cues.resize(size_t(n) + 1);
  data->cues[size_t(n)].position = position();
}

void Desk::jump(int32_t frames) {
  if (position() >= 0) postValue(kCmdJump, frames);
}

void Desk::scratch(int32_t frames) {
  if (position() >= 0) postValue(kCmdScratch, frames);
}

void Desk::hold(bool on) {
  if (position() >= 0) postValue(kCmdHold, on ? 1 : 0);
}

void Desk::toggleLoop(int32_t code) {
  if (position() < 0) return;
  if (code == loopCode_) code = 0;
  postValue(kCmdSetLoop, code);
  loopCode_ = code;
}

float Desk::bpm() const { return entry_ ? loadWord(entry_->bpm) : 0.0f; }

TrackData* Desk::trackData() const { return entry_ ? entry_->data : nullptr; }

int32_t Desk::trackLevel() const {
  const TrackData* data = trackData();
  return data ? loadWord(data->v8) : 0;  // the analyser writes it while the desk plays
}

}  // namespace zarnel
