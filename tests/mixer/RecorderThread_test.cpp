// The recorder with its writer thread and an audio thread of the test's own:
// the audio side must never wait for the writer, and stop must take every
// frame the audio thread handed over before it acknowledged. Named for the
// ThreadSanitizer run.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "mixer/RecordedWav.h"
#include "mixer/Recorder.h"
#include "platform/AudioThread.h"
#include "platform/WritableFile.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

using test::expectSignal;
using test::expectValidWav;
using test::readRecordedWav;
using test::recordedSignal;

// Return: whether done() held within 20 s.
template <typename Done>
bool waitUntil(Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Holds every write while closed, as a disk that has stopped answering.
class WriteGate {
 public:
  void close() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = false;
  }
  void open() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }
  void pass() {
    std::unique_lock<std::mutex> lock(mutex_);
    ++waiting_;
    changed_.wait(lock, [this] { return open_; });
    --waiting_;
  }
  int32_t waiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = true;
  int32_t waiting_ = 0;
};

class GatedFile : public WritableFile {
 public:
  GatedFile(std::unique_ptr<WritableFile> inner, WriteGate& gate) : inner_(std::move(inner)), gate_(gate) {}
  int32_t read(void* dst, int32_t bytes) override { return inner_->read(dst, bytes); }
  bool seek(int64_t offset) override { return inner_->seek(offset); }
  int64_t size() override { return inner_->size(); }
  int32_t write(const void* src, int32_t bytes) override {
    gate_.pass();
    return inner_->write(src, bytes);
  }
  bool flush() override { return inner_->flush(); }
  bool truncate(int64_t size) override { return inner_->truncate(size); }

 private:
  std::unique_ptr<WritableFile> inner_;
  WriteGate& gate_;
};

class GatedFileSystem : public VirtualFileSystem {
 public:
  WriteGate gate;

 protected:
  LockedFile tryOpenLocked(const char* path, bool create) override {
    LockedFile opened = VirtualFileSystem::tryOpenLocked(path, create);
    if (opened.file) opened.file = std::make_unique<GatedFile>(std::move(opened.file), gate);
    return opened;
  }
};

// Hands the signal's frames [first, first + count) over, perCall frames a
// call, on a thread tagged as the audio thread, and sets done when through.
std::thread appendOnAudioThread(Recorder& recorder, int64_t first, int32_t count, int32_t perCall,
                                std::atomic<bool>& done) {
  return std::thread([&recorder, first, count, perCall, &done] {
    const std::vector<int16_t> signal = recordedSignal(first, count);
    const AudioThreadTag tag;
    for (int32_t at = 0; at < count; at += perCall)
      recorder.appendRt(signal.data() + size_t(at) * 2, std::min(perCall, count - at));
    done.store(true);
  });
}

TEST(RecorderThread, AudioAppendsNeverWaitForABlockedWriter) {
  GatedFileSystem files;
  Recorder recorder(files);
  RecorderOptions options;
  options.periodMs = 2;
  ASSERT_TRUE(recorder.create("mix.wav", options));
  ASSERT_TRUE(waitUntil([&] { return recorder.recording(); }));
  files.gate.close();
  recorder.setFedByAudio(true);
  std::atomic<bool> firstDone{false}, secondDone{false};
  appendOnAudioThread(recorder, 0, 3000, 3000, firstDone).join();
  const bool stuck = waitUntil([&] { return files.gate.waiting() > 0; });  // the writer holds its batch
  // A second of audio while the writer is stuck: the ring takes half of it.
  std::thread audio = appendOnAudioThread(recorder, 3000, 44100, 441, secondDone);
  const bool inTime = waitUntil([&] { return secondDone.load(); });
  EXPECT_EQ(recorder.status().droppedFrames, 44100 - kRecorderRingFrames);
  files.gate.open();  // lets an audio thread that waited (the fault) finish, so the test ends
  audio.join();
  ASSERT_TRUE(stuck);
  ASSERT_TRUE(inTime);
  recorder.setFedByAudio(false);  // the audio thread is gone: stop must not wait for it
  EXPECT_TRUE(recorder.stop());
  const test::RecordedWav w = readRecordedWav(files.bytes("mix.wav"));
  expectValidWav(w);
  expectSignal(w.samples, 0, 3000 + kRecorderRingFrames);
}

// The audio thread plays on at about real time while the UI thread cuts
// three times and stops: the four files hold one unbroken run of the signal.
TEST(RecorderThread, CutsAndStopKeepEveryFrameTheAudioThreadHandedOver) {
  VirtualFileSystem files;
  Recorder recorder(files);
  RecorderOptions options;
  options.autoCut = true;
  options.periodMs = 2;
  ASSERT_TRUE(recorder.create("mix.wav", options));
  ASSERT_TRUE(waitUntil([&] { return recorder.recording(); }));
  recorder.setFedByAudio(true);
  constexpr int32_t kSignalFrames = 1 << 21;
  constexpr int32_t kPerCall = 64;
  const std::vector<int16_t> signal = recordedSignal(0, kSignalFrames);
  std::atomic<bool> quit{false};
  std::thread audio([&] {
    const AudioThreadTag tag;
    for (int32_t at = 0; !quit.load(); at = std::min(at + kPerCall, kSignalFrames)) {
      recorder.appendRt(signal.data() + size_t(at) * 2, std::min(kPerCall, kSignalFrames - at));
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  bool cutsTaken = true;
  for (int32_t cut = 1; cut <= 3 && cutsTaken; ++cut) {
    cutsTaken = waitUntil([&] { return recorder.status().totalFrames >= 3000 * cut; });
    recorder.requestCut();
    const std::string next = "mix00" + std::to_string(cut) + ".wav";
    cutsTaken = cutsTaken && waitUntil([&] { return recorder.status().fileName == next; });
  }
  cutsTaken = cutsTaken && waitUntil([&] { return recorder.status().totalFrames >= 12000; });
  EXPECT_TRUE(recorder.stop());
  quit.store(true);
  audio.join();
  ASSERT_TRUE(cutsTaken);
  const RecorderStatus s = recorder.status();
  EXPECT_EQ(s.droppedFrames, 0);
  std::vector<int16_t> all;
  for (const char* name : {"mix000.wav", "mix001.wav", "mix002.wav", "mix003.wav"}) {
    const test::RecordedWav w = readRecordedWav(files.bytes(name));
    expectValidWav(w);
    EXPECT_FALSE(w.samples.empty()) << name;
    all.insert(all.end(), w.samples.begin(), w.samples.end());
  }
  EXPECT_EQ(int64_t(all.size()), s.totalFrames * 2);
  expectSignal(all, 0, s.totalFrames);
}

}  // namespace
}  // namespace zarnel
