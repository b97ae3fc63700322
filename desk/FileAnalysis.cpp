#include "desk/FileAnalysis.h"

#include <algorithm>
#include <cctype>

#include "desk/BeatAnalyser.h"
#include "desk/sources/MpegSource.h"
#include "desk/sources/WavSource.h"
#include "library/TrackStoreLink.h"

namespace zarnel {

namespace {

// The kernels' lead: 113 envelope samples of 36 frames, in seconds.
constexpr float kLeadSeconds = 0.0922449f;
// The first beat is looked for up to this fraction, the last one from here.
constexpr float kOpeningEnd = 0.3f;
constexpr float kClosingStart = 0.9f;
// The last beat is settled once the source is this far past it.
constexpr float kSettleSeconds = 1.5f;

bool isWavPath(const std::string& path) {
  static constexpr char kEnding[] = ".wav";
  if (path.size() < 4) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (std::tolower(uint8_t(path[path.size() - 4 + i])) != kEnding[i]) return false;
  }
  return true;
}

}  // namespace

FileAnalysis::FileAnalysis(FileSystem& files, TrackStoreLink* store)
    : store_(store),
      wav_(std::make_unique<WavSource>(files)),
      mpeg_(std::make_unique<MpegSource>()),
      analyser_(std::make_unique<BeatAnalyser>(nullptr)),
      block_(new int16_t[kBlockFrames * kChannels]()) {}

FileAnalysis::~FileAnalysis() {
  if (source_) source_->close();
}

FileAnalysisResult FileAnalysis::analyseFile(const std::string& path, AnalysisProgress& progress) {
  FileAnalysisResult result;
  AudioSource* source = openSource(path);
  if (!source) {
    result.failure = (isWavPath(path) ? static_cast<AudioSource*>(wav_.get()) : mpeg_.get())->openFailure();
    return result;
  }
  progress_ = &progress;
  blocks_ = 0;
  stopped_ = false;
  // A new analyser: no kernel choice, cursor or vote carries over from the
  // file before.
  analyser_ = std::make_unique<BeatAnalyser>(nullptr);
  // A track shorter than a second counts as one, so fractions stay finite.
  lead_ = kLeadSeconds / float(std::max(source->length(), 1));
  TrackData* data = attachRecord(path);
  startMeasure(*data);
  bool faulted = false;
  try {
    runPhases(measured_);
  } catch (...) {
    faulted = true;
  }
  if (!faulted && !stopped_) keepMeasure(*data);
  result = resultOf(*data);
  result.faulted = faulted;
  detachRecord();
  if (faulted) progress.fault("Fatal error in file " + path);
  return result;
}

AudioSource* FileAnalysis::openSource(const std::string& path) {
  if (source_) source_->close();
  source_ = isWavPath(path) ? static_cast<AudioSource*>(wav_.get()) : mpeg_.get();
  if (source_->open(path.c_str()) < 0) {
    source_ = nullptr;
    return nullptr;
  }
  return source_;
}

TrackData* FileAnalysis::attachRecord(const std::string& path) {
  TrackData* data = nullptr;
  if (store_) {
    entry_ = store_->find(path.c_str(), source_->sizeKey());
    data = store_->acquire(entry_);
  }
  if (!data) {
    entry_ = nullptr;
    scratchEntry_ = TrackEntry{};
    scratchEntry_.sizeKey = source_->sizeKey();
    scratchData_ = TrackData{};
    scratchData_.entry = &scratchEntry_;
    data = &scratchData_;
  }
  return data;
}

// The analyser writes into a record of its own: the beats from their
// defaults, the bpm, its confirmation count and the loudness peak from the
// stored record.
void FileAnalysis::startMeasure(const TrackData& stored) {
  measuredEntry_ = TrackEntry{};
  measuredEntry_.bpm = stored.entry ? stored.entry->bpm : 0.0f;
  measured_ = TrackData{};
  measured_.entry = &measuredEntry_;
  measured_.v6 = stored.v6;
  measured_.v8 = stored.v8;
  analyser_->setTrackData(&measured_);
}

void FileAnalysis::keepMeasure(TrackData& stored) const {
  stored.v1 = measured_.v1;
  stored.v2 = measured_.v2;
  stored.v4 = measured_.v4;
  stored.v5 = measured_.v5;
  stored.v6 = measured_.v6;
  stored.v7 = measured_.v7;
  stored.v8 = measured_.v8;
  if (stored.entry) stored.entry->bpm = measuredEntry_.bpm;
}

void FileAnalysis::detachRecord() {
  analyser_->setTrackData(nullptr);
  if (entry_ && store_) store_->release(entry_);
  entry_ = nullptr;
}

FileAnalysisResult FileAnalysis::resultOf(const TrackData& data) const {
  FileAnalysisResult result;
  result.opened = true;
  result.stopped = stopped_;
  result.length = source_->length();
  result.blocks = blocks_;
  result.tempo = analyser_->tempo();
  result.bpm = data.entry ? data.entry->bpm : 0.0f;
  result.firstBeat = data.v1;
  result.lastBeat = data.v2;
  result.level = data.v8;
  return result;
}

void FileAnalysis::runPhases(TrackData& data) {
  tempoWindows();
  untilFirstBeat(data);
  fromLastBeat(data);
}

void FileAnalysis::seekAndClear(float x) {
  source_->seekRt(x);
  analyser_->clearRt();
}

// Return: false when feeding stops: the source gave no block, or the user
// asked to stop (which ends every later phase too).
bool FileAnalysis::feedBlock() {
  if (stopped_) return false;
  analyser_->setFallbackPosition(source_->position() - lead_);
  if (source_->readRt(block_.get()) != kReadBlock) return false;
  analyser_->feedRt(block_.get());
  ++blocks_;
  if (progress_->stopRequested()) {
    stopped_ = true;
    return false;
  }
  progress_->blockDone(source_->position());
  return true;
}

// Three windows of 7.9 s inside the track give the vote its tempo.
void FileAnalysis::tempoWindows() {
  for (float start : kWindowStarts) {
    seekAndClear(start);
    for (int32_t i = 0; i < kWindowBlocks && feedBlock(); ++i) {
    }
  }
  seekAndClear(0.0f);
}

// From the start until a first beat earlier than the windows' is found, up
// to that beat or 0.3 of the track.
void FileAnalysis::untilFirstBeat(TrackData& data) {
  const float f0 = data.v1;
  const float limit = data.v1 < kOpeningEnd ? data.v1 : kOpeningEnd;
  while (data.v1 >= f0 && source_->position() < limit && feedBlock()) {
  }
}

// From the last beat found (at least 0.9 of the track) until the end, or
// until a later last beat has been followed by 1.5 s without another.
void FileAnalysis::fromLastBeat(TrackData& data) {
  const float start = data.v2 >= kClosingStart ? data.v2 : kClosingStart;
  seekAndClear(start);
  const float l0 = data.v2;
  const float settle = kSettleSeconds / float(std::max(source_->length(), 1));
  while (!(data.v2 != l0 && source_->position() >= data.v2 + settle) && feedBlock()) {
  }
}

}  // namespace zarnel
