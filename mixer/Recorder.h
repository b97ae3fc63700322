#pragma once
// The recorder of the mix. The audio thread hands it, on every cursor
// update, the frames the sound card has just played; its writer thread
// stores them in WAV files, cut into numbered files on request, or, when the
// name is a plug-in library's (see isBroadcastName), hands them to a
// broadcast plug-in (see BroadcastPlugin.h). The audio thread never waits
// for the writer: what does not fit in the ring is dropped and counted.
//
// Threads: the UI thread creates, requests and stops; the audio thread calls
// appendRt only; the writer thread runs writeCycle every period.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "mixer/BroadcastPlugin.h"
#include "mixer/RecordSink.h"
#include "mixer/WavRecordFile.h"
#include "platform/SpscRing.h"

namespace zarnel {

class DynamicLibraries;
class FileSystem;

constexpr int32_t kRecorderRingFrames = 22050;  // 0.5 s between the audio thread and the writer
constexpr int32_t kRecorderBatchFrames = 2250;  // the writer waits for at least this many
constexpr int32_t kRecorderPeriodMs = 50;

struct RecorderOptions {
  bool autoStart = false;  // record only from the first requestStart (a desk starting to play)
  bool autoCut = false;    // cuts are expected: the first file is numbered too (base000.wav)
  // A file this long continues in the next numbered file, as a cut would:
  // a WAV file's sizes end at 4 GB, and a long set must not stop there.
  int64_t maxFileFrames = kWavRecordMaxFrames;
  int32_t periodMs = kRecorderPeriodMs;  // rest of the writer thread between cycles
  // Broadcast mode: the program's main window (an HWND on Windows), handed
  // to the plug-in as its parent; null for the recorder's own host record.
  void* hostWindow = nullptr;
};

enum class RecorderMode : int32_t {
  kWav,
  kBroadcast,
};

enum class RecorderPhase : int32_t {
  kNoFile,  // the first file could not be created, or the plug-in not loaded: nothing records
  kArmed,   // waiting for the start request
  kRecording,
  kWriteFailed,  // a write, close or new file failed: recording stopped there
  kStopped,
};

// What the status text shows, copied at one moment.
struct RecorderStatus {
  RecorderMode mode = RecorderMode::kWav;
  RecorderPhase phase = RecorderPhase::kNoFile;
  std::string fileName;       // the file being written (or the one that failed); the plug-in's path
  int64_t fileFrames = 0;     // frames in that file (broadcast: as totalFrames)
  int64_t totalFrames = 0;    // frames written in all files, or handed to the plug-in
  std::string loadError;      // broadcast mode, kNoFile: why the plug-in did not load
  int64_t droppedFrames = 0;  // frames the audio thread could not fit in the ring
};

class Recorder : public RecordSink {
 public:
  // Pre: files outlives the recorder. Without libraries, a broadcast name
  // fails to open.
  explicit Recorder(FileSystem& files);
  // Pre: files and libraries (may be null) outlive the recorder.
  Recorder(FileSystem& files, DynamicLibraries* libraries);
  // Stops (see stop).
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Opens the first file for name, or for a broadcast name loads the plug-in
  // (BroadcastPlugin::load: Init and Config run here), and starts the writer
  // thread. Without autoStart the start request is set at once. UI thread, once.
  // Return: false when the file cannot be created, the plug-in not loaded
  // or no thread can start: the phase is then kNoFile, no file stays open,
  // no plug-in stays loaded and no thread runs.
  bool create(std::string_view name, const RecorderOptions& options);
  // As create, without the writer thread: the caller runs writeCycle itself.
  bool open(std::string_view name, const RecorderOptions& options);
  // Ends the recording: stops the audio thread's appends (waiting for its
  // acknowledgement while setFedByAudio(true) holds), stops the writer,
  // writes the frames still in the ring, however few, and closes the file
  // with valid sizes, or, broadcasting, hands them to the plug-in and
  // unloads it (Quit, then the library is freed). UI thread; idempotent.
  // Return: false if any write of the recording failed.
  bool stop();

  // Any thread.
  void requestStart() { startRequest_.store(true, std::memory_order_release); }
  void requestCut() { cutRequest_.store(true, std::memory_order_release); }
  // Says whether an audio thread calls appendRt: set true before the
  // recorder is handed to a running engine, false once no audio thread can
  // call it any more (the engine's thread joined). stop waits for the audio
  // thread's acknowledgement only while it is true. UI thread.
  void setFedByAudio(bool fed) { fed_.store(fed, std::memory_order_release); }

  // --- audio thread ---
  // Call on every cursor update with the frames just played (count may be 0).
  // Acknowledges a stop; while recording, copies the frames into the ring and
  // drops, counting them, those that do not fit. Never allocates, locks or waits.
  void appendRt(const int16_t* frames, int32_t count) override;
  // A desk started to play: the start request. Any thread.
  void deskStarted() override { requestStart(); }

  // --- writer thread (or the caller of open) ---
  // One cycle: drops a cut requested while not recording (or broadcasting),
  // takes a start request, appends the ring's frames to the file (or hands
  // them to the plug-in) once at least kRecorderBatchFrames wait, then
  // performs a pending cut.
  void writeCycle();

  // Any thread.
  RecorderStatus status() const;
  bool recording() const { return recording_.load(std::memory_order_acquire); }
  // Return: whether the writer thread runs (from create to stop). UI thread.
  bool writerRunning() const { return writer_.joinable(); }

 private:
  bool openFile(std::string_view name);
  bool openPlugin(std::string_view name);
  void closeOutput();
  void runWriter();
  void drain(int32_t minFrames);
  void writeFrames(int16_t* frames, int32_t count);
  bool nextFile();
  void failWrite();
  void setFileName(std::string name);
  void acknowledgedStop();
  void stopWriter();

  FileSystem& files_;
  DynamicLibraries* libraries_;
  RecorderOptions options_;
  std::string base_;
  int32_t counter_ = 0;  // the cut counter: the current file's number
  WavRecordFile file_;   // writer thread while it runs, else the UI thread
  BroadcastPlugin plugin_;  // loaded and unloaded by the UI thread; fed as file_ is written
  SpscRing ring_;
  // The frames of one append, taken from the ring; twice the ring's frames,
  // the room a plug-in's ModifySamples may use.
  std::unique_ptr<int16_t[]> batch_;

  std::atomic<bool> startRequest_{false};
  std::atomic<bool> cutRequest_{false};
  std::atomic<bool> recording_{false};      // the audio thread appends while set
  std::atomic<bool> stopHandshake_{false};  // set by stop: the audio thread must acknowledge
  std::atomic<bool> stopAck_{false};        // set by the audio thread: it appends no more
  std::atomic<bool> fed_{false};
  std::atomic<RecorderMode> mode_{RecorderMode::kWav};
  std::atomic<RecorderPhase> phase_{RecorderPhase::kNoFile};
  std::atomic<int64_t> fileFrames_{0};
  std::atomic<int64_t> totalFrames_{0};
  std::atomic<int64_t> dropped_{0};
  static_assert(std::atomic<int64_t>::is_always_lock_free, "the audio thread counts dropped frames");
  bool failed_ = false;   // a write failed (writer thread, then the UI thread after the join)
  bool stopped_ = false;  // UI thread

  mutable std::mutex nameMutex_;  // the file name, changed at a cut, read by status
  std::string fileName_;
  std::string loadError_;  // under nameMutex_

  std::thread writer_;
  std::mutex wakeMutex_;
  std::condition_variable wake_;
  bool stopWriter_ = false;  // under wakeMutex_
};

}  // namespace zarnel
