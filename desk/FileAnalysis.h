#pragma once
// The extended analysis of whole files, as the disk scan and the browser's
// Analyse command run it: a desk-less beat analyser fed from a WAV or MPEG
// source of its own over three tempo windows, the opening up to the first
// beat and the closing stretch from the last beat, with the results kept in
// the track's TrackData and TrackEntry.

#include <cstdint>
#include <memory>
#include <string>

#include "desk/AnalysisProgress.h"
#include "desk/sources/AudioSource.h"
#include "library/TrackEntry.h"

namespace zarnel {

class AudioSource;
class BeatAnalyser;
class FileSystem;
class MpegSource;
class TrackStoreLink;
class WavSource;

// What one file's analysis left in its record.
struct FileAnalysisResult {
  bool opened = false;    // the source opened the file
  OpenFailure failure = OpenFailure::kNone;  // why it did not
  bool faulted = false;   // a fault ended the analysis
  bool stopped = false;   // the user stopped it
  int32_t length = -1;    // whole seconds, as the source's open gave it
  int32_t blocks = 0;     // blocks fed
  float tempo = 0.0f;     // the analyser's last vote winner (999.9: no beat)
  float bpm = 0.0f;       // the entry's bpm afterwards (0: none)
  float firstBeat = 0.0f; // v1
  float lastBeat = 0.0f;  // v2
  int32_t level = 0;      // v8
};

class FileAnalysis {
 public:
  // Tempo windows: where each starts and how many blocks (7.9 s) it feeds.
  static constexpr float kWindowStarts[3] = {0.3f, 0.5f, 0.7f};
  static constexpr int32_t kWindowBlocks = 304;

  // files: for WAV files. store: where the results go; null keeps them in a
  // scratch record of this object. Both must outlive it. UI thread.
  FileAnalysis(FileSystem& files, TrackStoreLink* store);
  ~FileAnalysis();
  FileAnalysis(const FileAnalysis&) = delete;
  FileAnalysis& operator=(const FileAnalysis&) = delete;

  // Runs the extended analysis of path: a ".wav" ending (any case) takes the
  // WAV source, anything else the MPEG source. A file that does not open is
  // skipped (opened false, failure telling why). The entry found by path and
  // size key is acquired for the analysis and released after it, which
  // stores it.
  // Each file is measured afresh, by an analyser in its state after creation
  // and from the record's defaults for the beats (v1, v2, v4, v5, v7), so
  // that the same file gives the same beats whatever was analysed before it
  // or stored for it; the stored bpm and its confirmation count (v6) and the
  // loudness peak (v8) go on from their stored values. The results replace
  // the stored ones only when the analysis ran to its end (not stopped, no
  // fault).
  // Return: the results read before the release. UI thread.
  FileAnalysisResult analyseFile(const std::string& path, AnalysisProgress& progress);

  const BeatAnalyser& analyser() const { return *analyser_; }

 private:
  AudioSource* openSource(const std::string& path);
  TrackData* attachRecord(const std::string& path);
  void startMeasure(const TrackData& stored);
  void keepMeasure(TrackData& stored) const;
  void detachRecord();
  void runPhases(TrackData& data);
  void tempoWindows();
  void untilFirstBeat(TrackData& data);
  void fromLastBeat(TrackData& data);
  void seekAndClear(float x);
  bool feedBlock();
  FileAnalysisResult resultOf(const TrackData& data) const;

  TrackStoreLink* store_;
  std::unique_ptr<WavSource> wav_;
  std::unique_ptr<MpegSource> mpeg_;
  std::unique_ptr<BeatAnalyser> analyser_;
  std::unique_ptr<int16_t[]> block_;
  AudioSource* source_ = nullptr;
  TrackEntry* entry_ = nullptr;  // acquired from the store for this file
  TrackEntry scratchEntry_;
  TrackData scratchData_;
  TrackEntry measuredEntry_;  // takes the bpm the analyser confirms
  TrackData measured_;        // the record the analyser writes
  AnalysisProgress* progress_ = nullptr;
  float lead_ = 0.0f;  // the kernels' 113 samples as a fraction of the track
  int32_t blocks_ = 0;
  bool stopped_ = false;
};

}  // namespace zarnel
