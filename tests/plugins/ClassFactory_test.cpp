// The class factory and the descriptive operations of both effect libraries,
// through the libraries' one export.

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "plugins/EffectPlugin.h"

namespace zarnel::test {
namespace {

struct LibraryCase {
  const char* path;
  const char* name;
  std::vector<std::string> parameterNames;
  std::vector<int32_t> parameterDefaults;
};

class ClassFactory : public ::testing::TestWithParam<LibraryCase> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.factory() != nullptr) << library_.error();
    FakeHost::calls().clear();
  }
  EffectLibrary library_{GetParam().path};
};

constexpr ZarnelGuid kInterface = ZARNEL_EFFECT_INTERFACE_ID_INIT;
constexpr ZarnelGuid kClass = ZARNEL_EFFECT_CLASS_ID_INIT;

TEST_P(ClassFactory, RefusesAnyOtherInterface) {
  ZarnelGuid other = kInterface;
  other.data4[7] ^= 1;
  void* object = &other;  // must be cleared
  EXPECT_EQ(library_.factory()(&kClass, &other, &object), int32_t(0x80040111u));
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(library_.factory()(&kClass, &kClass, &object), int32_t(0x80040111u));
  EXPECT_LT(library_.factory()(&kClass, &kInterface, nullptr), 0);
}

TEST_P(ClassFactory, MakesAnObjectWithOnlyItsOperationsTableSet) {
  const ZarnelGuid anyClass{};  // the class identifier is not checked
  void* object = nullptr;
  ASSERT_EQ(library_.factory()(&anyClass, &kInterface, &object), 0);
  ASSERT_NE(object, nullptr);
  auto* block = static_cast<ZarnelEffect*>(object);
  ASSERT_NE(block->operations, nullptr);
  ZarnelEffect rest = *block;
  rest.operations = nullptr;
  const ZarnelEffect zero{};
  EXPECT_EQ(std::memcmp(&rest, &zero, sizeof rest), 0);

  // Eight distinct operations, in the table's eight slots.
  const auto* table = reinterpret_cast<void* const*>(block->operations);
  std::set<void*> distinct(table, table + 8);
  EXPECT_EQ(distinct.size(), 8u);
  EXPECT_EQ(distinct.count(nullptr), 0u);
  EXPECT_EQ(block->operations->release(block), 0);
}

TEST_P(ClassFactory, ReportsItsNameVendorAndParameters) {
  LoadedEffect effect(library_);
  const char* name = nullptr;
  const char* vendor = nullptr;
  EXPECT_EQ(effect.operations().getInfo(&effect.block(), &name, &vendor), 0);
  EXPECT_STREQ(name, GetParam().name);
  EXPECT_STREQ(vendor, "Zarnel Prod");

  const char* untouched = "untouched";
  const char* names[3] = {untouched, untouched, untouched};
  int32_t count = -1;
  EXPECT_EQ(effect.operations().getParameters(&effect.block(), &count, names), 0);
  ASSERT_EQ(count, int32_t(GetParam().parameterNames.size()));
  for (int32_t i = 0; i < count; ++i) EXPECT_EQ(names[i], GetParam().parameterNames[i]) << i;
  for (int32_t i = count; i < 3; ++i) EXPECT_EQ(names[i], untouched) << i;
}

TEST_P(ClassFactory, InitSetsOnlyTheParameterDefaults) {
  LoadedEffect effect(library_, 97.5f);
  const auto& defaults = GetParam().parameterDefaults;
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(effect.block().parameters[i], i < defaults.size() ? defaults[i] : 0) << i;
  }
  EXPECT_EQ(effect.block().tempo, 97.5f);
  EXPECT_EQ(effect.block().callback, &FakeHost::callback);
  EXPECT_EQ(effect.block().hostVersion, ZARNEL_EFFECT_HOST_VERSION);
}

TEST_P(ClassFactory, StopAndRewindOutsideARunAreHarmless) {
  LoadedEffect effect(library_);
  effect.rewind(-500);  // the host rewinds every slot of a desk, started or not
  EXPECT_EQ(effect.operations().stop(&effect.block()), 0);
  effect.start();
  std::vector<int16_t> frames = stereo(
      0, 64, [](int i) { return i; }, [](int i) { return -i; });
  effect.process(frames);
  EXPECT_EQ(effect.operations().stop(&effect.block()), 0);
  EXPECT_TRUE(FakeHost::calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EffectLibraries, ClassFactory,
    ::testing::Values(LibraryCase{ZARNEL_BRAKE_PLUGIN, "Brake", {"Length"}, {2048}},
                      LibraryCase{ZARNEL_QUORVELL_PLUGIN, "Quorvell", {"Loop Length", "Volume"}, {2048, 2731}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zarnel::test
