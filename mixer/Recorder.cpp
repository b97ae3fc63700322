#include "mixer/Recorder.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "mixer/RecorderNames.h"
#include "platform/AudioThread.h"

namespace zarnel {

namespace {

constexpr uint32_t kFrameBytes = kWavRecordFrameBytes;
constexpr uint32_t kFillLimitBytes = uint32_t(kRecorderRingFrames) * kFrameBytes;

// The ring's capacity must be a power of two; the fill is held to
// kRecorderRingFrames within it.
constexpr uint32_t ringCapacity() {
  uint32_t c = 1;
  while (c < kFillLimitBytes) c <<= 1;
  return c;
}

}  // namespace

Recorder::Recorder(FileSystem& files) : Recorder(files, nullptr) {}

Recorder::Recorder(FileSystem& files, DynamicLibraries* libraries)
    : files_(files),
      libraries_(libraries),
      ring_(ringCapacity()),
      batch_(new int16_t[size_t(kRecorderRingFrames) * 2 * 2]) {}

Recorder::~Recorder() { stop(); }

// --- UI thread ---------------------------------------------------------------

bool Recorder::open(std::string_view name, const RecorderOptions& options) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  options_ = options;
  // A limit below one frame would cut forever; a period of 0 would spin.
  options_.maxFileFrames = std::clamp<int64_t>(options_.maxFileFrames, 1, kWavRecordMaxFrames);
  options_.periodMs = std::max(options_.periodMs, 1);
  const bool broadcast = isBroadcastName(name);
  mode_.store(broadcast ? RecorderMode::kBroadcast : RecorderMode::kWav, std::memory_order_release);
  if (!(broadcast ? openPlugin(name) : openFile(name))) {
    phase_.store(RecorderPhase::kNoFile, std::memory_order_release);
    return false;
  }
  phase_.store(RecorderPhase::kArmed, std::memory_order_release);
  if (!options_.autoStart) requestStart();
  return true;
}

bool Recorder::openFile(std::string_view name) {
  base_ = recordBaseName(name);
  counter_ = 0;
  const std::string first = recordFileName(base_, counter_, options_.autoCut);
  setFileName(first);
  return file_.create(files_, first);
}

bool Recorder::openPlugin(std::string_view name) {
  const std::string path(name);
  setFileName(path);
  std::string error = "no dynamic-library service";
  const bool loaded = libraries_ != nullptr && plugin_.load(*libraries_, path, options_.hostWindow, error);
  if (!loaded) {
    std::lock_guard<std::mutex> lock(nameMutex_);
    loadError_ = std::move(error);
  }
  return loaded;
}

// Closes the file (a failed write or close sets failed_) or unloads the
// plug-in.
void Recorder::closeOutput() {
  if (mode_.load(std::memory_order_relaxed) == RecorderMode::kBroadcast) {
    plugin_.unload();
  } else if (!file_.close()) {
    failed_ = true;
  }
}

bool Recorder::create(std::string_view name, const RecorderOptions& options) {
  if (!open(name, options)) return false;
  try {
    writer_ = std::thread([this] { runWriter(); });
  } catch (const std::system_error&) {
    closeOutput();
    failed_ = false;  // nothing was recorded, so no write failed
    phase_.store(RecorderPhase::kNoFile, std::memory_order_release);
    return false;
  }
  return true;
}

bool Recorder::stop() {
  if (stopped_ || phase_.load(std::memory_order_acquire) == RecorderPhase::kNoFile) return !failed_;
  ZARNEL_NOT_ON_AUDIO_THREAD();
  stopped_ = true;
  acknowledgedStop();
  stopWriter();
  // The writer waits for a whole batch; the end of a set must not be lost
  // for being shorter.
  if (!failed_) drain(1);
  closeOutput();
  phase_.store(failed_ ? RecorderPhase::kWriteFailed : RecorderPhase::kStopped, std::memory_order_release);
  return !failed_;
}

// The audio thread may be inside appendRt with the ring in hand: it says
// when it has seen the stop, and appends nothing after that. The wait polls,
// so the audio thread never has anyone to wake.
void Recorder::acknowledgedStop() {
  recording_.store(false, std::memory_order_release);
  // Release: pairs with appendRt's acquire, so an audio thread that sees the
  // handshake also sees recording cleared.
  stopHandshake_.store(true, std::memory_order_release);
  // Acquire: pairs with appendRt's release of the acknowledgement, so every
  // frame it put in the ring is visible to the final drain.
  while (fed_.load(std::memory_order_acquire) && !stopAck_.load(std::memory_order_acquire))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void Recorder::stopWriter() {
  if (!writer_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(wakeMutex_);
    stopWriter_ = true;
  }
  wake_.notify_one();
  writer_.join();
}

// --- audio thread ------------------------------------------------------------

void Recorder::appendRt(const int16_t* frames, int32_t count) {
  if (stopHandshake_.load(std::memory_order_acquire)) {
    // Release: the frames this thread wrote before are visible to the stopper.
    stopAck_.store(true, std::memory_order_release);
    return;
  }
  if (count <= 0 || !recording_.load(std::memory_order_acquire)) return;
  // The fill counts whole frames, as every write and read moves whole frames.
  const uint32_t fill = ring_.capacity() - ring_.writable();
  const uint32_t room = fill < kFillLimitBytes ? kFillLimitBytes - fill : 0;
  const uint32_t wanted = uint32_t(count) * kFrameBytes;
  const uint32_t n = wanted < room ? wanted : room;
  if (n > 0) ring_.write(reinterpret_cast<const uint8_t*>(frames), n);
  if (n < wanted) dropped_.fetch_add((wanted - n) / kFrameBytes, std::memory_order_relaxed);
}

// --- writer thread -----------------------------------------------------------

void Recorder::runWriter() {
  std::unique_lock<std::mutex> lock(wakeMutex_);
  while (!stopWriter_) {
    lock.unlock();
    writeCycle();
    lock.lock();
    wake_.wait_for(lock, std::chrono::milliseconds(options_.periodMs), [this] { return stopWriter_; });
  }
}

void Recorder::writeCycle() {
  const RecorderPhase phase = phase_.load(std::memory_order_acquire);
  if (phase != RecorderPhase::kArmed && phase != RecorderPhase::kRecording) return;
  if (!recording_.load(std::memory_order_acquire) || mode_.load(std::memory_order_relaxed) == RecorderMode::kBroadcast)
    cutRequest_.store(false, std::memory_order_relaxed);
  if (startRequest_.exchange(false, std::memory_order_acq_rel)) {
    phase_.store(RecorderPhase::kRecording, std::memory_order_release);
    recording_.store(true, std::memory_order_release);
  }
  drain(kRecorderBatchFrames);
  if (!failed_ && recording_.load(std::memory_order_acquire) && cutRequest_.exchange(false, std::memory_order_acq_rel))
    nextFile();
}

void Recorder::drain(int32_t minFrames) {
  const int32_t available = int32_t(ring_.readable() / kFrameBytes);
  if (available == 0 || available < minFrames) return;
  ring_.read(reinterpret_cast<uint8_t*>(batch_.get()), uint32_t(available) * kFrameBytes);
  writeFrames(batch_.get(), available);
}

void Recorder::writeFrames(int16_t* frames, int32_t count) {
  if (mode_.load(std::memory_order_relaxed) == RecorderMode::kBroadcast) {
    // The batch is the writer's own copy: whatever the plug-in writes into it
    // reaches nothing else.
    plugin_.feed(frames, count);
    fileFrames_.fetch_add(count, std::memory_order_relaxed);
    totalFrames_.fetch_add(count, std::memory_order_relaxed);
    return;
  }
  while (count > 0 && !failed_) {
    const int64_t room = options_.maxFileFrames - file_.frames();
    if (room <= 0) {
      nextFile();
      continue;
    }
    const int32_t n = room < count ? int32_t(room) : count;
    if (!file_.append(frames, n)) {
      failWrite();
      return;
    }
    fileFrames_.store(file_.frames(), std::memory_order_relaxed);
    totalFrames_.fetch_add(n, std::memory_order_relaxed);
    frames += size_t(n) * 2;
    count -= n;
  }
}

// Closes the current file and continues in the next numbered one.
bool Recorder::nextFile() {
  if (!file_.close()) {
    failWrite();
    return false;
  }
  ++counter_;
  std::string name = recordFileName(base_, counter_, options_.autoCut);
  fileFrames_.store(0, std::memory_order_relaxed);
  const bool created = file_.create(files_, name);
  setFileName(std::move(name));
  if (!created) failWrite();
  return created;
}

// A full disk or a lost drive: recording stops where the last good write
// ended, and says so, rather than carry on without saving.
void Recorder::failWrite() {
  failed_ = true;
  recording_.store(false, std::memory_order_release);
  phase_.store(RecorderPhase::kWriteFailed, std::memory_order_release);
  file_.close();
}

// --- any thread --------------------------------------------------------------

void Recorder::setFileName(std::string name) {
  std::lock_guard<std::mutex> lock(nameMutex_);
  fileName_ = std::move(name);
}

RecorderStatus Recorder::status() const {
  RecorderStatus s;
  s.mode = mode_.load(std::memory_order_acquire);
  s.phase = phase_.load(std::memory_order_acquire);
  {
    std::lock_guard<std::mutex> lock(nameMutex_);
    s.fileName = fileName_;
    s.loadError = loadError_;
  }
  s.fileFrames = fileFrames_.load(std::memory_order_relaxed);
  s.totalFrames = totalFrames_.load(std::memory_order_relaxed);
  s.droppedFrames = dropped_.load(std::memory_order_relaxed);
  return s;
}

}  // namespace zarnel
