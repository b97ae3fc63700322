// The recorder in broadcast mode with real plug-ins: shared libraries built
// beside the tests (tests/mixer/plugins) loaded through dlopen. The test
// opens each library a second time itself, to read what the plug-in saw
// through its extra exports (the same library: dlopen counts the opens).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "mixer/BroadcastRefusal.h"
#include "mixer/RecordedWav.h"
#include "mixer/Recorder.h"
#include "mixer/RecorderStatusText.h"
#include "support/mix/EngineRig.h"
#include "platform/AudioThread.h"
#include "platform/posix/PosixDynamicLibraries.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

using test::recordedSignal;

// The test's own handle on a test plug-in.
class PluginProbe {
 public:
  explicit PluginProbe(const char* path) {
    std::string error;
    library_ = libraries_.load(path, error);
    EXPECT_TRUE(library_) << error;
    if (library_) call<void (*)()>("testBroadcastReset")();
  }
  std::vector<int16_t> received() {
    const short* data = nullptr;
    const int frames = call<int (*)(const short**)>("testBroadcastReceived")(&data);
    return std::vector<int16_t>(data, data + size_t(frames) * 2);
  }
  std::string calls() { return call<const char* (*)()>("testBroadcastCalls")(); }
  std::string skinAnswer() { return call<const char* (*)()>("testBroadcastSkinAnswer")(); }
  std::string skinBuffer() { return call<const char* (*)()>("testBroadcastSkinBuffer")(); }
  intptr_t nullBufferAnswer() { return call<intptr_t (*)()>("testBroadcastNullBufferAnswer")(); }
  intptr_t otherQueryAnswer() { return call<intptr_t (*)()>("testBroadcastOtherQueryAnswer")(); }
  void* instance() { return call<void* (*)()>("testBroadcastInstance")(); }
  std::vector<int> format() {
    std::vector<int> f(3);
    call<void (*)(int*)>("testBroadcastFormat")(f.data());
    return f;
  }
  void* moduleHandle() { return library_->moduleHandle(); }

 private:
  template <typename Function>
  Function call(const char* name) {
    void* address = library_ ? library_->symbol(name) : nullptr;
    if (address == nullptr) throw std::runtime_error(std::string("no export ") + name);
    return reinterpret_cast<Function>(address);
  }

  PosixDynamicLibraries libraries_;
  std::unique_ptr<LoadedLibrary> library_;
};

struct RealRig {
  PosixDynamicLibraries libraries;
  VirtualFileSystem files;
  Recorder recorder{files, &libraries};
  int64_t fed = 0;
  std::vector<std::vector<int16_t>> handed;  // the blocks handed to appendRt, kept as they were after the call

  void feed(int64_t frames) {
    const AudioThreadTag tag;
    while (frames > 0) {
      const int32_t n = int32_t(std::min<int64_t>(frames, 441));
      handed.push_back(recordedSignal(fed, n));
      recorder.appendRt(handed.back().data(), n);
      fed += n;
      frames -= n;
    }
  }
  void expectRefused(const char* path, const std::string& why) { test::expectBroadcastRefused(recorder, path, why); }
};

// A folder of the test's own for files that are not libraries.
std::filesystem::path scratchFolder() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("zarnel-broadcast-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(BroadcastLibrary, PluginReceivesExactlyTheFramesAppended) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  RealRig rig;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST, {})) << rig.recorder.status().loadError;
  EXPECT_EQ(probe.calls(), "IC");
  rig.recorder.writeCycle();
  for (int cycle = 0; cycle < 40; ++cycle) {  // 40 x ~1300 frames: the ring wraps twice
    rig.feed(3 * 441 + cycle * 7);
    rig.recorder.writeCycle();
  }
  rig.feed(1000);  // less than a batch: handed over at stop
  EXPECT_TRUE(rig.recorder.stop());
  const std::vector<int16_t> received = probe.received();
  ASSERT_EQ(int64_t(received.size()), rig.fed * 2);
  EXPECT_EQ(received, recordedSignal(0, int32_t(rig.fed)));
  EXPECT_EQ(probe.format(), (std::vector<int>{16, 2, 44100}));
  EXPECT_EQ(rig.recorder.status().totalFrames, rig.fed);
  EXPECT_EQ(rig.recorder.status().droppedFrames, 0);
}

TEST(BroadcastLibrary, InitBeforeConfigAndQuitAtStop) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  RealRig rig;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST, {}));
  EXPECT_EQ(probe.calls(), "IC");
  rig.recorder.writeCycle();
  rig.feed(2500);
  rig.recorder.writeCycle();
  EXPECT_EQ(probe.calls(), "ICM");
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(probe.calls(), "ICMQ");
  // The instance field holds the library's module handle: the handle of the same library.
  EXPECT_EQ(probe.instance(), probe.moduleHandle());
}

TEST(BroadcastLibrary, GetSkinQueryAnswersAnEmptyString) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  RealRig rig;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST, {}));
  EXPECT_EQ(probe.skinAnswer(), "");
  EXPECT_EQ(probe.skinBuffer(), "");
  ASSERT_NE(probe.nullBufferAnswer(), -1);
  ASSERT_NE(probe.nullBufferAnswer(), 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(probe.nullBufferAnswer()), "");
  EXPECT_EQ(probe.otherQueryAnswer(), -1);
}

// The plug-in writes over its samples and returns garbage: nothing the audio
// thread handed over changes, and the next batches still come whole.
TEST(BroadcastLibrary, GarbageFromThePluginChangesNothingElse) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  RealRig rig;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST, {}));
  rig.recorder.writeCycle();
  for (int cycle = 0; cycle < 5; ++cycle) {
    rig.feed(2500);
    rig.recorder.writeCycle();
  }
  int64_t first = 0;
  for (const std::vector<int16_t>& block : rig.handed) {
    EXPECT_EQ(block, recordedSignal(first, int32_t(block.size() / 2)));
    first += int64_t(block.size() / 2);
  }
  EXPECT_EQ(probe.received(), recordedSignal(0, 5 * 2500));
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kRecording);
  EXPECT_TRUE(rig.recorder.stop());
}

TEST(BroadcastLibrary, OlderExportIsFoundWhenTheNewerIsMissing) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST_OLD);
  RealRig rig;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST_OLD, {})) << rig.recorder.status().loadError;
  rig.recorder.writeCycle();
  rig.feed(3000);
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(probe.calls(), "ICMQ");
  EXPECT_EQ(probe.received(), recordedSignal(0, 3000));
}

TEST(BroadcastLibrary, StatusTextsWhileBroadcasting) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  RealRig rig;
  RecorderOptions options;
  options.autoStart = true;
  ASSERT_TRUE(rig.recorder.open(ZARNEL_TEST_BROADCAST, options));
  const RecorderTexts texts = {"rec", "wait", "file error"};
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), texts), "Broadcasting\n** Auto Start on Play **");
  rig.recorder.requestStart();
  rig.recorder.writeCycle();
  for (int cycle = 0; cycle < 10; ++cycle) {
    rig.feed(441 * 10);
    rig.recorder.writeCycle();
  }
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), texts), "Broadcasting\nTotal Time: 0:00:01");
  EXPECT_TRUE(rig.recorder.stop());
}

TEST(BroadcastLibraryRefusal, MissingFile) {
  RealRig rig;
  const std::string path = (scratchFolder() / "missing.dll").string();
  rig.expectRefused(path.c_str(), "not found");
}

TEST(BroadcastLibraryRefusal, TextFileIsNotALibrary) {
  RealRig rig;
  const std::string path = (scratchFolder() / "notes.so").string();
  std::ofstream(path) << "not a library, only text\n";
  rig.expectRefused(path.c_str(), "not a library: ");
  std::filesystem::remove(path);
}

TEST(BroadcastLibraryRefusal, LibraryWithoutTheExport) {
  RealRig rig;
  rig.expectRefused(ZARNEL_TEST_BROADCAST_NOEXPORT, "no winampDSPGetHeader2 or winampDSPGetHeader export");
}

TEST(BroadcastLibraryRefusal, NullModule) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST_NOMODULE);
  RealRig rig;
  rig.expectRefused(ZARNEL_TEST_BROADCAST_NOMODULE, "no module 0");
  EXPECT_EQ(probe.calls(), "");
}

// The writer thread feeds the plug-in while an audio thread of the test's
// own appends; stop hands over every frame appended before its
// acknowledgement. Named for the ThreadSanitizer run.
TEST(BroadcastLibraryThread, WriterThreadFeedsEveryFrame) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  PosixDynamicLibraries libraries;
  VirtualFileSystem files;
  Recorder recorder(files, &libraries);
  RecorderOptions options;
  options.periodMs = 5;
  ASSERT_TRUE(recorder.create(ZARNEL_TEST_BROADCAST, options));
  EXPECT_TRUE(recorder.writerRunning());
  recorder.setFedByAudio(true);
  // The start request is taken by the writer's first cycle: the audio
  // thread starts once frames are recorded, so the plug-in's first frame is
  // the signal's first.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!recorder.recording() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(recorder.recording());
  std::atomic<bool> quit{false};
  std::thread audio([&] {
    const AudioThreadTag tag;
    int64_t n = 0;
    while (!quit.load()) {
      const std::vector<int16_t> block = recordedSignal(n, 441);
      recorder.appendRt(block.data(), 441);
      n += 441;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  });
  deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (recorder.status().totalFrames < 20000 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_TRUE(recorder.stop());
  quit.store(true);
  audio.join();
  recorder.setFedByAudio(false);
  EXPECT_FALSE(recorder.writerRunning());
  const std::vector<int16_t> received = probe.received();
  const int64_t frames = int64_t(received.size() / 2);
  EXPECT_GE(frames, 20000);
  EXPECT_EQ(frames, recorder.status().totalFrames);
  EXPECT_EQ(recorder.status().droppedFrames, 0);
  EXPECT_EQ(received, recordedSignal(0, int32_t(frames)));
  EXPECT_EQ(probe.calls().back(), 'Q');
}

// The whole chain: two desks playing through the mode-0 engine on the
// virtual card, the recorder in broadcast mode fed by the engine's cursor
// updates. The plug-in hears exactly what the card played, and what it
// scribbles into its copy changes nothing heard.
TEST(BroadcastLibrary, TheEnginesMixReachesThePluginExactlyAndNothingHeardChanges) {
  PluginProbe probe(ZARNEL_TEST_BROADCAST);
  PosixDynamicLibraries libraries;
  VirtualFileSystem files;
  Recorder recorder(files, &libraries);
  ASSERT_TRUE(recorder.open(ZARNEL_TEST_BROADCAST, {})) << recorder.status().loadError;
  test::EngineRig withPlugin, without;
  for (test::EngineRig* rig : {&withPlugin, &without}) {
    rig->sound.addCard("card");
    ASSERT_TRUE(rig->open(0));
    rig->playBoth();
  }
  recorder.writeCycle();  // takes the start request: recording from the next update
  withPlugin.engine->attachRecorder(&recorder);
  for (int32_t i = 0; i < 40; ++i) {
    withPlugin.run(2205);
    without.run(2205);
    recorder.writeCycle();
  }
  withPlugin.engine->detachRecorder();
  EXPECT_TRUE(recorder.stop());

  const std::vector<int16_t>& played = withPlugin.sound.openDevices().at(0)->buffers().at(0)->recorded();
  const std::vector<int16_t>& reference = without.sound.openDevices().at(0)->buffers().at(0)->recorded();
  EXPECT_TRUE(played == reference) << "the plug-in changed what was heard";
  const std::vector<int16_t> received = probe.received();
  ASSERT_GT(received.size(), size_t(44100 * 2 * 19 / 10));
  ASSERT_LE(received.size(), played.size());
  EXPECT_TRUE(std::equal(received.begin(), received.end(), played.end() - ptrdiff_t(received.size())));
  EXPECT_GT(*std::max_element(received.begin(), received.end()), 1000);
}

}  // namespace
}  // namespace zarnel
