// Effect libraries loaded as the host loads them: the real brake and
// quorvell modules through dlopen, and made-up libraries of both forms
// through the virtual loader.

#include "mixer/EffectLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/posix/PosixDynamicLibraries.h"
#include "platform/virtual/VirtualDynamicLibraries.h"

namespace zarnel {
namespace {

struct Call {
  int32_t delay, command, value;
};
std::vector<Call> gCalls;

int32_t ZARNEL_EFFECT_CALL recordCall(int32_t delay, int32_t command, int32_t value) {
  gCalls.push_back({delay, command, value});
  return 1;
}

std::vector<int16_t> tone(int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  for (int32_t i = 0; i < frames; ++i) out[size_t(i) * 2] = out[size_t(i) * 2 + 1] = int16_t(8000 * std::sin(i * 0.05));
  return out;
}

TEST(EffectLibrary, TheRealBrakeLoadsDescribesItselfAndPausesTheDeskThroughItsCallback) {
  PosixDynamicLibraries libraries;
  std::string error;
  gCalls.clear();
  auto brake = EffectLibrary::load(libraries, ZARNEL_BRAKE_PLUGIN, {3, recordCall, nullptr}, error);
  ASSERT_TRUE(brake) << error;
  EXPECT_FALSE(brake->olderForm());
  EXPECT_EQ(brake->name(), "Brake");
  EXPECT_EQ(brake->vendor(), "Zarnel Prod");
  ASSERT_EQ(brake->parameterCount(), 1);
  EXPECT_EQ(brake->parameterName(0), "Length");
  const ZarnelEffect& b = brake->block();
  EXPECT_EQ(b.parameters[0], 2048);  // init's default
  EXPECT_EQ(b.hostVersion, ZARNEL_EFFECT_HOST_VERSION);
  EXPECT_EQ(b.slot, 3);
  EXPECT_NE(b.module, nullptr);

  // The shortest brake (Length 0, taken at the next rewind): the desk is
  // paused and the effect switched off at the second frame of the block.
  brake->block().parameters[0] = 0;
  brake->start();
  brake->rewindRt(0);
  std::vector<int16_t> block = tone(441);
  brake->processRt(block.data(), 441);
  ASSERT_EQ(gCalls.size(), 2u);
  EXPECT_EQ(gCalls[0].command, ZARNEL_EFFECT_PAUSE);
  EXPECT_EQ(gCalls[1].command, ZARNEL_EFFECT_SWITCH_OFF);
  EXPECT_EQ(gCalls[0].delay, gCalls[1].delay);
  for (size_t i = size_t(gCalls[0].delay) * 2; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << i;
  brake->stop();
}

TEST(EffectLibrary, TheRealQuorvellReportsItsTwoParameters) {
  PosixDynamicLibraries libraries;
  std::string error;
  auto quorvell = EffectLibrary::load(libraries, ZARNEL_QUORVELL_PLUGIN, {0, recordCall, nullptr}, error);
  ASSERT_TRUE(quorvell) << error;
  EXPECT_EQ(quorvell->name(), "Quorvell");
  ASSERT_EQ(quorvell->parameterCount(), 2);
  EXPECT_EQ(quorvell->parameterName(0), "Loop Length");
  EXPECT_EQ(quorvell->parameterName(1), "Volume");
  EXPECT_EQ(quorvell->block().parameters[1], 2731);
}

// An effect of the older form, counting what the host calls.
struct OldEffect {
  static inline int32_t inits = 0, releases = 0, processed = 0;
  static inline float tempo = 0.0f;
  static inline void* module = nullptr;
  static inline ZarnelDspFunctions record{};
  static void ZARNEL_EFFECT_CDECL init(void*) {
    ++inits;
    module = record.module;
  }
  static void ZARNEL_EFFECT_CDECL release(void*) { ++releases; }
  static void ZARNEL_EFFECT_CDECL process(int16_t* frames, int32_t count, float t, float, void* user) {
    processed += count;
    tempo = t;
    frames[0] = 1234;
    *static_cast<int*>(user) = 7;  // the wrapper's slot is the effect's to use
  }
  static ZarnelDspFunctions* ZARNEL_EFFECT_CDECL entry() { return &record; }
};

TEST(EffectLibrary, AnOlderEffectIsWrappedAndItsMissingFunctionsSkipped) {
  VirtualDynamicLibraries libraries;
  OldEffect::record = {};
  OldEffect::record.name = "Old Echo";
  OldEffect::record.init = OldEffect::init;
  OldEffect::record.release = OldEffect::release;
  OldEffect::record.process = OldEffect::process;
  libraries.add("old.so", {{"GetZarnelDsp", VirtualDynamicLibraries::exportOf(&OldEffect::entry)}});
  std::string error;
  {
    auto old = EffectLibrary::load(libraries, "old.so", {1, recordCall, nullptr}, error);
    ASSERT_TRUE(old) << error;
    EXPECT_TRUE(old->olderForm());
    EXPECT_EQ(old->name(), "Old Echo");
    EXPECT_EQ(old->vendor(), "");
    EXPECT_EQ(old->parameterCount(), 0);
    EXPECT_EQ(OldEffect::inits, 1);
    EXPECT_NE(OldEffect::module, nullptr);  // written before init
    old->start();                           // no start function: skipped
    old->block().tempo = 126.0f;
    std::vector<int16_t> block(20);
    old->processRt(block.data(), 10);
    EXPECT_EQ(OldEffect::processed, 10);
    EXPECT_EQ(OldEffect::tempo, 126.0f);
    EXPECT_EQ(block[0], 1234);
    old->rewindRt(-5);
    old->stop();
  }
  EXPECT_EQ(OldEffect::releases, 1);
  EXPECT_EQ(libraries.unloads(), libraries.loads());
}

ZarnelEffectOperations gHalfTable{};
ZarnelEffect gHalfObject{};
int32_t ZARNEL_EFFECT_CALL refusingFactory(const ZarnelGuid*, const ZarnelGuid*, void** object) {
  *object = nullptr;
  return CLASS_E_CLASSNOTAVAILABLE;
}
int32_t ZARNEL_EFFECT_CALL halfFactory(const ZarnelGuid*, const ZarnelGuid*, void** object) {
  gHalfObject.operations = &gHalfTable;  // every operation null
  *object = &gHalfObject;
  return 0;
}

TEST(EffectLibrary, LibrariesThatAreNoEffectsAreRefusedWithAReason) {
  VirtualDynamicLibraries libraries;
  libraries.add("none.so", {{"something", VirtualDynamicLibraries::exportOf(&refusingFactory)}});
  libraries.add("refusing.so", {{"DllGetClassObject", VirtualDynamicLibraries::exportOf(&refusingFactory)}});
  libraries.add("half.so", {{"_DllGetClassObject@12", VirtualDynamicLibraries::exportOf(&halfFactory)}});
  libraries.addNotALibrary("text.so");
  const struct {
    const char* path;
    const char* reason;
  } cases[] = {{"missing.so", "not found"},
               {"text.so", "not a library"},
               {"none.so", "no DllGetClassObject or GetZarnelDsp"},
               {"refusing.so", "no DllGetClassObject or GetZarnelDsp"},
               {"half.so", "lacks an operation"}};
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(EffectLibrary::load(libraries, c.path, {0, recordCall, nullptr}, error)) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.path << ": " << error;
  }
  EXPECT_EQ(libraries.unloads(), libraries.loads());  // nothing stays loaded
}

}  // namespace
}  // namespace zarnel
