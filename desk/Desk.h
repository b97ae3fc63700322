#pragma once
// One of the two players: its sources, decode ring, resampler state, output
// ring and the one-slot command mailbox between the UI and audio threads.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "desk/AudioFormat.h"
#include "desk/BeatAnalyser.h"
#include "desk/DeskTransition.h"
#include "desk/SharedWord.h"
#include "desk/sources/AudioSource.h"
#include "desk/sources/ReadAheadThread.h"
#include "mixer/DeskEffects.h"
#include "mixer/DeskOutputRing.h"
#include "mixer/Resampler.h"
#include "platform/AutoResetEvent.h"
#include "platform/Services.h"

namespace zarnel {

class AudioSource;
class AutoMixWatch;
class DeskEngine;
class LoadMatcher;
class MessagePoster;
class TrackStoreLink;
struct TrackEntry;

constexpr int32_t kDecodeRingFrames = 294912;  // 256 blocks, 6.69 s
constexpr int32_t kDecodeRingBlocks = kDecodeRingFrames / kBlockFrames;
constexpr int32_t kDecodeGate = 74880;  // heard frames kept behind the play index
// Frames heard while the source's data is late before the status says so.
constexpr int32_t kLateGraceFrames = 22050;

enum DeskCommand : int32_t {
  kCmdNone = 0,
  kCmdLoad = 1,
  kCmdUnload = 2,
  kCmdPlay = 3,
  kCmdPause = 4,
  kCmdSeek = 6,
  kCmdJump = 7,
  kCmdScratch = 8,
  kCmdSetPitch = 9,
  kCmdRefresh = 10,
  kCmdSetLoop = 11,
  kCmdHold = 12,
};

enum DeskStatus : int32_t {
  kStatusLoaded = 0,
  kStatusNoDisc = 152,
  kStatusReadError = 153,
  kStatusBadFile = 156,
  kStatusNothingLoaded = 157,
  kStatusSourceLate = 158,  // loaded, but the reader is late: the decode ring is running down
};

constexpr int32_t kRefused = 256;  // result of a guarded operation on an empty desk

// What a desk is connected to. All borrowed; null members are allowed and
// mean the feature is absent.
struct DeskLinks {
  PlatformServices services;
  MessagePoster* poster = nullptr;
  TrackStoreLink* store = nullptr;
  LoadMatcher* matcher = nullptr;
  AutoMixWatch* autoMix = nullptr;
};

class Desk {
 public:
  // Creates the desk with its four sources. UI thread.
  Desk(int32_t index, const DeskLinks& links);
  ~Desk();
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  // --- UI thread ---------------------------------------------------------
  // Attaches the matching that a load applies (null: none).
  void setLoadMatcher(LoadMatcher* matcher) { links_.matcher = matcher; }
  // Attaches AutoMix (null: off). Pre: no audio thread runs.
  void setAutoMixWatch(AutoMixWatch* watch) { links_.autoMix = watch; }
  // Attaches the output engine (null: none). Pre: no audio thread runs.
  void setEngine(DeskEngine* engine) { engine_ = engine; }
  // Tells the desk whether an audio thread services it. Without one, posted
  // commands run at once on the calling thread.
  // A serviced desk reads ahead on its reader thread; otherwise the audio
  // loop's caller reads as it decodes. Pre: the audio thread is not running.
  void setServiced(bool serviced);
  // Starts the reader thread that fills the sources' read-aheads, or stops
  // it (then the decode step reads for itself). setServiced does this; a
  // test that drives the audio loop by hand may too. Pre: the audio thread
  // is not running.
  void startReader() { reader_.start(); }
  void stopReader() { reader_.stop(); }
  // Return: true when the reader has nothing left to do for the loaded
  // source (no seek waits; its read-ahead is full or at the end). Audio
  // thread, or the thread that drives the audio loop.
  bool readerSettledRt() { return !source_ || source_->readAhead().settledRt(); }

  // Loads a track, paused at its start position. Return: false if the file
  // cannot be opened (status 156) or its disc is missing (status 152).
  bool load(const char* title, const char* author, const char* path, TrackEntry* entry);
  int32_t play();
  int32_t pause();
  // Stops and forgets the audio.
  void eject();
  // Seeks, then plays unless already playing. Guard: length >= 0.
  void seekAndPlay(float position);
  // Posts SetPitch when ratio (Q12) differs from the current pitch.
  void setPitch(int32_t ratio);
  int32_t refresh();
  // Posts Seek (used by the cue and loop commands). Pauses first if playing.
  void stopAndSeek(float position);

  // The cue cycle: from a playing desk back to the cue, then to the start,
  // then to the first beat. Guard: length >= 0.
  void stop();
  // Starts the cue cycle again, so that the next stop returns to the cue.
  void clearCueCycle() { cueCycle_.store(0); }
  // Stores the heard position as the track's cue.
  void setCue();
  // Seeks to cue point n (0..3) when the track has it. Guard: length >= 0.
  void goToCuePoint(int32_t n);
  // Stores the heard position as cue point n, growing the list as needed.
  void setCuePoint(int32_t n);
  // Moves the heard point by frames (negative: back). Guard: position >= 0.
  void jump(int32_t frames);
  // Scratches by frames, or moves directly with scratching disabled.
  void scratch(int32_t frames);
  // Brakes to a stop (on) or starts again (off). Guard: position >= 0.
  void hold(bool on);
  // Loop of code beats (1, 2, 4, 8; -2 and -4 for a half and a quarter; 0
  // ends it). Pressing the lit code again ends the loop. Guard: position >= 0.
  void toggleLoop(int32_t code);
  // Forgets the lit loop button (a seek ends the loop in the desk itself).
  void clearLoopSelection() { loopCode_ = 0; }
  int32_t loopCode() const { return loopCode_; }

  float bpm() const;
  int32_t trackLevel() const;
  int32_t beatMeter() const { return analyser_.beatMeter(); }
  // Envelope samples from the heard point to the next beat, and from around
  // to the strongest beat near it (positive: later); 0 without enough audio.
  int32_t nextBeatOffset() const { return analyser_.nextBeatOffset(); }
  int32_t nearestBeatOffset(int32_t around) const { return analyser_.nearestBeatOffset(around); }
  // Fills count points of 0..height - 1 with the beat strength from the
  // heard point forward, for the rhythm views. Any thread.
  void strengthCurve(int32_t* values, int32_t count, int32_t height) const {
    analyser_.strengthCurve(values, count, height);
  }
  // The analyser's measurements (tempo, vote, strength ring). Any thread reads.
  const BeatAnalyser& analyser() const { return analyser_; }

  // Words read by any thread.
  int32_t index() const { return index_; }
  bool playing() const { return playing_.load(std::memory_order_relaxed) != 0; }
  bool decoding() const { return decoding_.load(std::memory_order_relaxed) != 0; }
  int32_t pitch() const { return pitch_.load(std::memory_order_relaxed); }
  float position() const { return position_.load(std::memory_order_relaxed); }
  int32_t length() const { return length_.load(std::memory_order_relaxed); }
  int32_t status() const { return status_.load(std::memory_order_relaxed); }
  bool hold() const { return hold_.load(std::memory_order_relaxed) != 0; }
  bool mixFired() const { return mixFired_.load(std::memory_order_relaxed) != 0; }
  void setMixFired(bool fired) { mixFired_.store(fired ? 1 : 0, std::memory_order_relaxed); }
  int32_t cueCycle() const { return cueCycle_.load(std::memory_order_relaxed); }
  const std::string& title() const { return title_; }
  const std::string& author() const { return author_; }
  const std::string& discMessage() const { return discMessage_; }
  // Return: why the last load failed to open its file (kDiscMissing for a
  // disc that is not in the drive); kNone after a load that opened. UI thread.
  OpenFailure openFailure() const { return openFailure_; }
  TrackEntry* entry() const { return entry_; }
  TrackData* trackData() const;

  // --- audio thread ------------------------------------------------------
  // One service: a pending command, else one resampler pass, else one decode step.
  void serviceRt();
  // New heard index a of the output ring, from the engine's cursor update.
  void positionUpdateRt(int32_t a);
  // Decodes one block if the gate allows. Return: true if a block was written.
  bool decodeStepRt();

  // State the resampler and the mixing pass work on. Audio thread only.
  DeskOutputRing& outputRing() { return *out_; }
  DeskTransition& transition() { return *transition_; }
  bool transitionActive() const { return transition_->active; }
  DeskLoop& loop() { return loop_; }
  Resampler& resampler() { return resampler_; }
  DeskEffects& effects() { return effects_; }
  const int16_t* decodeRing() const { return decodeRing_.get(); }
  int32_t readIndex() const { return readIndex_; }
  void setReadIndex(int32_t i) { readIndex_ = i; }
  int32_t writeIndex() const { return writeIndex_; }
  int32_t playIndex() const { return playIndex_; }
  int32_t unfilled() const { return unfilled_; }
  float blockTime(int32_t slot) const { return blockTime_[slot]; }
  // The distance a transition with g output frames left still owes, and its
  // speed there (ring frames per output frame).
  int32_t transitionOwedRt(int32_t g) const;
  float transitionSpeedRt(int32_t g) const;

 private:
  int32_t post(int32_t command);
  int32_t postValue(int32_t command, int32_t value);
  int32_t postPosition(int32_t command, float position);
  void executeRt(int32_t command);
  void playRt();
  void pauseRt();
  void unloadRt();
  void setPitchRt(int32_t p);
  void seekRt(float x);
  void seekInsideRt(float x);
  bool completeSeekRt();
  void startAtTopRt();
  void noteStarvedRt();
  void noteFedRt();
  void clearRingsRt();
  void refreshRt();
  int32_t loopedPlayIndexRt(int32_t ahead);
  void jumpRt(int32_t n);
  void movedRt(int32_t h);
  void scratchRt(int32_t n);
  void moveDirectlyRt(int32_t n);
  void holdRt(bool on);
  void setLoopRt(int32_t code);
  void startTransitionRt(int32_t n, float A, float B);
  bool limitTransitionRt(int32_t& n) const;
  void renderTransitionRt(int32_t n, float A, float B);
  int32_t transitionHeardRt(int32_t a);
  void seekTo(float position);
  void endOfTrackRt();
  void advanceWriteRt();
  AudioSource* chooseSource(const std::string& path);
  void attachTrackData(const std::string& path);
  float startPosition();

  const int32_t index_;
  DeskLinks links_;
  DeskEngine* engine_ = nullptr;
  std::atomic<int32_t> serviced_{0};

  std::atomic<int32_t> playing_{0};
  std::atomic<int32_t> decoding_{0};
  std::atomic<int32_t> pitch_{4096};
  std::atomic<float> position_{-1.0f};
  std::atomic<int32_t> command_{kCmdNone};
  std::atomic<int32_t> commandValue_{0};
  std::atomic<float> commandPosition_{0.0f};
  AutoResetEvent commandDone_;
  std::atomic<int32_t> mixFired_{0};
  std::atomic<int32_t> length_{-1};
  std::atomic<int32_t> status_{kStatusNothingLoaded};
  std::atomic<int32_t> hold_{0};

  AudioSource* source_ = nullptr;
  std::string title_, author_;
  std::string discMessage_;  // shown for status 152
  OpenFailure openFailure_ = OpenFailure::kNone;
  TrackEntry* entry_ = nullptr;
  std::atomic<int32_t> cueCycle_{0};  // written by both threads
  int32_t loopCode_ = 0;  // the lit loop button; UI thread
  std::unique_ptr<AudioSource> wav_, mpeg_, cd_, wma_;
  ReadAheadThread reader_;  // fills the four sources' read-aheads
  BeatAnalyser analyser_;

  std::unique_ptr<DeskOutputRing> out_;
  std::unique_ptr<DeskTransition> transition_;
  // Written by the audio thread, read by the beat searches and the rhythm views.
  RtWord unfilled_{kDecodeRingFrames};
  RtWord playIndex_{0};
  RtWord writeIndex_{0};
  RtWord readIndex_{0};
  float blockTime_[kDecodeRingBlocks];
  int32_t blockCursor_ = 0;
  // A seek handed to the reader, taking effect when its data arrives.
  bool seekPending_ = false;
  float seekTarget_ = 0.0f;
  // While decode steps find no data: the play index when last looked, and
  // the frames heard since the data stopped.
  bool starving_ = false;
  int32_t starvedFrom_ = 0;
  int32_t starvedFrames_ = 0;
  std::atomic<int32_t> unloaded_{1};
  std::unique_ptr<int16_t[]> decodeRing_;
  DeskLoop loop_;
  Resampler resampler_;
  DeskEffects effects_;
};

}  // namespace zarnel
