// The broadcast plug-in host against in-process plug-ins registered with the
// virtual dynamic libraries: each refusal of the interface, what the host
// sets in the module, and the recorder in broadcast mode driven by hand.
// The same host against real shared libraries: BroadcastLibrary_test.cpp.

#include "mixer/BroadcastPlugin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mixer/BroadcastRefusal.h"
#include "mixer/RecordedWav.h"
#include "mixer/Recorder.h"
#include "mixer/RecorderStatusText.h"
#include "platform/AudioThread.h"
#include "platform/virtual/VirtualDynamicLibraries.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

using test::recordedSignal;

// One in-process plug-in at a time: what it saw, and what it gives the host.
struct FakeDsp {
  static inline std::string calls;
  static inline std::vector<int16_t> received;
  static inline int lastFormat[3] = {};
  static inline DspModule module;
  static inline DspHeader header;
  static inline bool nullHeader = false;
  static inline bool nullModule = false;

  static void config(DspModule*) { calls += 'C'; }
  static int init(DspModule*) {
    calls += 'I';
    return 0;
  }
  static int modifySamples(DspModule*, short* samples, int frames, int bits, int channels, int rate) {
    calls += 'M';
    received.insert(received.end(), samples, samples + size_t(frames) * 2);
    lastFormat[0] = bits;
    lastFormat[1] = channels;
    lastFormat[2] = rate;
    for (size_t i = 0; i < size_t(frames) * 4; ++i) samples[i] = -1;  // garbage over all its room
    return -12345;
  }
  static void quit(DspModule*) { calls += 'Q'; }
  static DspModule* getModule(int index) { return nullModule || index != 0 ? nullptr : &module; }
  static DspHeader* getHeader() { return nullHeader ? nullptr : &header; }
  static DspHeader* getOlderHeader() {
    calls += 'o';
    return getHeader();
  }

  FakeDsp() {
    calls.clear();
    received.clear();
    nullHeader = nullModule = false;
    module = {nullptr, nullptr, nullptr, config, init, modifySamples, quit, nullptr};
    header = {0x20, nullptr, getModule, nullptr};
  }
};

constexpr const char* kPlugin = "plugins/dsp_stream.dll";

struct BroadcastRig {
  FakeDsp dsp;
  VirtualDynamicLibraries libraries;
  VirtualFileSystem files;
  Recorder recorder{files, &libraries};
  int64_t fed = 0;

  explicit BroadcastRig(bool registered = true) {
    if (registered)
      libraries.add(kPlugin, {{"winampDSPGetHeader2", VirtualDynamicLibraries::exportOf(&FakeDsp::getHeader)}});
  }
  void feed(int64_t frames) {
    const AudioThreadTag tag;
    while (frames > 0) {
      const int32_t n = int32_t(std::min<int64_t>(frames, 441));
      const std::vector<int16_t> block = recordedSignal(fed, n);
      recorder.appendRt(block.data(), n);
      fed += n;
      frames -= n;
    }
  }
  // Expects the recorder to refuse the plug-in, freeing it at once.
  void expectRefused(const std::string& why) {
    test::expectBroadcastRefused(recorder, kPlugin, why);
    EXPECT_EQ(libraries.loaded(), 0);
    EXPECT_TRUE(FakeDsp::received.empty());
    EXPECT_EQ(FakeDsp::calls.find_first_of("ICMQ"), std::string::npos) << FakeDsp::calls;
  }
};

TEST(DspHostQuery, GetSkinAnswersAnEmptySkin) {
  char buffer[8] = "skin";
  const intptr_t answer = answerDspHostQuery(0x0400, reinterpret_cast<uintptr_t>(buffer), 201);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'k');  // only the terminator is written
  ASSERT_NE(answer, 0);
  ASSERT_NE(answer, -1);
  EXPECT_STREQ(reinterpret_cast<const char*>(answer), "");
  const intptr_t withoutBuffer = answerDspHostQuery(0x0400, 0, 201);
  ASSERT_NE(withoutBuffer, -1);
  EXPECT_STREQ(reinterpret_cast<const char*>(withoutBuffer), "");
}

TEST(DspHostQuery, OtherQueriesAnswerMinusOne) {
  char buffer[4] = "abc";
  EXPECT_EQ(answerDspHostQuery(0x0400, reinterpret_cast<uintptr_t>(buffer), 200), -1);
  EXPECT_EQ(answerDspHostQuery(0x0400, 0, 0), -1);
  EXPECT_EQ(answerDspHostQuery(0x0401, reinterpret_cast<uintptr_t>(buffer), 201), -1);
  EXPECT_STREQ(buffer, "abc");
}

TEST(BroadcastPluginLoad, SetsTheModuleAndCallsInitThenConfig) {
  FakeDsp dsp;
  VirtualDynamicLibraries libraries;
  libraries.add(kPlugin, {{"winampDSPGetHeader2", VirtualDynamicLibraries::exportOf(&FakeDsp::getHeader)}});
  BroadcastPlugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.load(libraries, kPlugin, nullptr, error)) << error;
  EXPECT_EQ(FakeDsp::calls, "IC");
  EXPECT_EQ(FakeDsp::module.hDllInstance, libraries.moduleHandleOf(kPlugin));
  // Without a window of the program's, the host's own record answers.
  auto* window = static_cast<DspHostWindow*>(FakeDsp::module.hwndParent);
  ASSERT_NE(window, nullptr);
  char skin[16] = "default";
  const intptr_t answer = window->sendMessage(window, 0x0400, reinterpret_cast<uintptr_t>(skin), 201);
  EXPECT_STREQ(skin, "");
  EXPECT_STREQ(reinterpret_cast<const char*>(answer), "");
  EXPECT_EQ(window->sendMessage(window, 0x0400, 0, 7), -1);
  plugin.unload();
  EXPECT_EQ(FakeDsp::calls, "ICQ");
  EXPECT_EQ(libraries.unloads(), 1);
  plugin.unload();  // nothing more
  EXPECT_EQ(FakeDsp::calls, "ICQ");
}

TEST(BroadcastPluginLoad, TheProgramsWindowIsTheParentWhenGiven) {
  FakeDsp dsp;
  VirtualDynamicLibraries libraries;
  libraries.add(kPlugin, {{"winampDSPGetHeader2", VirtualDynamicLibraries::exportOf(&FakeDsp::getHeader)}});
  int mainWindow = 0;
  BroadcastPlugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.load(libraries, kPlugin, &mainWindow, error));
  EXPECT_EQ(FakeDsp::module.hwndParent, &mainWindow);
}

TEST(BroadcastPluginLoad, PrefersTheNewerHeaderExport) {
  FakeDsp dsp;
  VirtualDynamicLibraries libraries;
  libraries.add(kPlugin, {{"winampDSPGetHeader", VirtualDynamicLibraries::exportOf(&FakeDsp::getOlderHeader)},
                          {"winampDSPGetHeader2", VirtualDynamicLibraries::exportOf(&FakeDsp::getHeader)}});
  BroadcastPlugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.load(libraries, kPlugin, nullptr, error));
  EXPECT_EQ(FakeDsp::calls, "IC");
}

TEST(BroadcastPluginLoad, TakesTheOlderHeaderExportWhenTheNewerIsMissing) {
  FakeDsp dsp;
  VirtualDynamicLibraries libraries;
  libraries.add(kPlugin, {{"winampDSPGetHeader", VirtualDynamicLibraries::exportOf(&FakeDsp::getOlderHeader)}});
  BroadcastPlugin plugin;
  std::string error;
  ASSERT_TRUE(plugin.load(libraries, kPlugin, nullptr, error));
  EXPECT_EQ(FakeDsp::calls, "oIC");
  EXPECT_TRUE(plugin.loaded());
}

TEST(BroadcastRefusal, MissingFile) {
  BroadcastRig rig(false);
  rig.expectRefused("not found: plugins/dsp_stream.dll");
  EXPECT_EQ(rig.libraries.loads(), 0);
}

TEST(BroadcastRefusal, FileThatIsNotALibrary) {
  BroadcastRig rig;
  rig.libraries.addNotALibrary(kPlugin, "invalid ELF header");
  rig.expectRefused("not a library: invalid ELF header");
}

TEST(BroadcastRefusal, NoHeaderExport) {
  BroadcastRig rig;
  rig.libraries.add(kPlugin, {{"winampGetHeader", VirtualDynamicLibraries::exportOf(&FakeDsp::getHeader)}});
  rig.expectRefused("no winampDSPGetHeader2 or winampDSPGetHeader export");
  EXPECT_EQ(rig.libraries.loads(), 1);
}

TEST(BroadcastRefusal, NullHeader) {
  BroadcastRig rig;
  FakeDsp::nullHeader = true;
  rig.expectRefused("no header");
}

TEST(BroadcastRefusal, NullModuleGetter) {
  BroadcastRig rig;
  FakeDsp::header.getModule = nullptr;
  rig.expectRefused("no module getter");
}

TEST(BroadcastRefusal, NullModule) {
  BroadcastRig rig;
  FakeDsp::nullModule = true;
  rig.expectRefused("no module 0");
}

TEST(BroadcastRefusal, ModuleWithANullFunction) {
  for (int which = 0; which < 4; ++which) {
    BroadcastRig rig;
    DspModule& m = FakeDsp::module;
    if (which == 0) m.Config = nullptr;
    if (which == 1) m.Init = nullptr;
    if (which == 2) m.ModifySamples = nullptr;
    if (which == 3) m.Quit = nullptr;
    rig.expectRefused("lacks a function");
  }
}

TEST(BroadcastRefusal, RecorderWithoutTheLibraryService) {
  FakeDsp dsp;
  VirtualFileSystem files;
  Recorder recorder(files);
  EXPECT_FALSE(recorder.create("dsp_stream.DLL", {}));
  EXPECT_EQ(recorder.status().mode, RecorderMode::kBroadcast);
  EXPECT_EQ(recorder.status().phase, RecorderPhase::kNoFile);
  EXPECT_FALSE(recorder.writerRunning());
  EXPECT_FALSE(files.exists("dsp_stream.DLL.wav"));
}

TEST(BroadcastRecorder, FeedsThePluginEveryFrameInBatchesAndUnloadsAtStop) {
  BroadcastRig rig;
  ASSERT_TRUE(rig.recorder.open(kPlugin, {}));
  EXPECT_EQ(FakeDsp::calls, "IC");
  rig.recorder.writeCycle();
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kRecording);
  rig.feed(kRecorderBatchFrames - 1);
  rig.recorder.writeCycle();
  EXPECT_TRUE(FakeDsp::received.empty());  // less than a batch waits
  for (int cycle = 0; cycle < 30; ++cycle) {  // the ring wraps
    rig.feed(3 * 441 + cycle);
    rig.recorder.writeCycle();
  }
  rig.feed(100);  // the tail reaches the plug-in at stop
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(FakeDsp::received, recordedSignal(0, int32_t(rig.fed)));
  EXPECT_EQ(FakeDsp::calls.front(), 'I');
  EXPECT_EQ(FakeDsp::calls.back(), 'Q');
  EXPECT_EQ(FakeDsp::lastFormat[0], 16);
  EXPECT_EQ(FakeDsp::lastFormat[1], 2);
  EXPECT_EQ(FakeDsp::lastFormat[2], 44100);
  EXPECT_EQ(rig.recorder.status().totalFrames, rig.fed);
  EXPECT_EQ(rig.recorder.status().phase, RecorderPhase::kStopped);
  EXPECT_EQ(rig.libraries.loaded(), 0);
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(std::count(FakeDsp::calls.begin(), FakeDsp::calls.end(), 'Q'), 1);
}

TEST(BroadcastRecorder, CutsAreIgnoredAndNoFileIsWritten) {
  BroadcastRig rig;
  RecorderOptions options;
  options.autoCut = true;
  ASSERT_TRUE(rig.recorder.open(kPlugin, options));
  rig.recorder.writeCycle();
  rig.feed(3000);
  rig.recorder.requestCut();
  rig.recorder.writeCycle();
  rig.feed(3000);
  rig.recorder.writeCycle();
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(FakeDsp::received, recordedSignal(0, 6000));
  EXPECT_EQ(rig.recorder.status().fileName, kPlugin);
  for (const char* name : {"plugins/dsp_stream.wav", "plugins/dsp_stream000.wav", "plugins/dsp_stream001.wav",
                           "plugins/dsp_stream.dll.wav", "plugins/dsp_stream.dll000.wav", "plugins/dsp_stream.dll001.wav"})
    EXPECT_FALSE(rig.files.exists(name)) << name;
}

TEST(BroadcastRecorder, AutoStartWaitsForPlayAndShowsItsTexts) {
  BroadcastRig rig;
  RecorderOptions options;
  options.autoStart = true;
  ASSERT_TRUE(rig.recorder.open(kPlugin, options));
  const RecorderTexts texts = {"rec %s", "wait %s", "file error"};
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), texts), "Broadcasting\n** Auto Start on Play **");
  rig.feed(3000);
  rig.recorder.writeCycle();
  EXPECT_TRUE(FakeDsp::received.empty());
  rig.recorder.requestStart();
  rig.recorder.writeCycle();
  // 1 h 2 min 3 s (fed over many cycles: the ring holds half a second).
  const int64_t frames = 158760000LL + 2 * 2646000 + 3 * 44100;
  for (int64_t done = 0; done < frames; done += 20000) {
    rig.feed(std::min<int64_t>(20000, frames - done));
    rig.recorder.writeCycle();
  }
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), texts), "Broadcasting\nTotal Time: 1:02:03");
  EXPECT_TRUE(rig.recorder.stop());
  EXPECT_EQ(recorderStatusText(rig.recorder.status(), texts), "");
  EXPECT_EQ(int64_t(FakeDsp::received.size()), frames * 2);
  EXPECT_EQ(FakeDsp::received.front(), test::recordedLeft(3000));
}

TEST(BroadcastRecorder, HandsTheHostWindowOfTheOptions) {
  BroadcastRig rig;
  int mainWindow = 0;
  RecorderOptions options;
  options.hostWindow = &mainWindow;
  ASSERT_TRUE(rig.recorder.open(kPlugin, options));
  EXPECT_EQ(FakeDsp::module.hwndParent, &mainWindow);
  EXPECT_EQ(FakeDsp::module.hDllInstance, rig.libraries.moduleHandleOf(kPlugin));
}

}  // namespace
}  // namespace zarnel
