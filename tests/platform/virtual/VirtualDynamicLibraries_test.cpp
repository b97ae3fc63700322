#include "platform/virtual/VirtualDynamicLibraries.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

int answer() { return 42; }

TEST(VirtualDynamicLibraries, RegisteredLibraryGivesItsExportsAndCountsLoads) {
  VirtualDynamicLibraries libraries;
  libraries.add("plug.dll", {{"answer", VirtualDynamicLibraries::exportOf(&answer)}});
  std::string error;
  std::unique_ptr<LoadedLibrary> a = libraries.load("plug.dll", error);
  ASSERT_TRUE(a);
  EXPECT_EQ(error, "");
  EXPECT_EQ(reinterpret_cast<int (*)()>(a->symbol("answer"))(), 42);
  EXPECT_EQ(a->symbol("other"), nullptr);
  EXPECT_EQ(a->moduleHandle(), libraries.moduleHandleOf("plug.dll"));
  EXPECT_NE(a->moduleHandle(), nullptr);
  std::unique_ptr<LoadedLibrary> b = libraries.load("plug.dll", error);
  EXPECT_EQ(libraries.loads(), 2);
  EXPECT_EQ(libraries.loaded(), 2);
  a.reset();
  b.reset();
  EXPECT_EQ(libraries.unloads(), 2);
  EXPECT_EQ(libraries.loaded(), 0);
}

TEST(VirtualDynamicLibraries, UnknownPathAndNonLibraryFail) {
  VirtualDynamicLibraries libraries;
  libraries.addNotALibrary("readme.dll");
  std::string error;
  EXPECT_FALSE(libraries.load("nothing.dll", error));
  EXPECT_EQ(error, "not found: nothing.dll");
  EXPECT_FALSE(libraries.load("readme.dll", error));
  EXPECT_EQ(error, "not a library: invalid file format");
  EXPECT_EQ(libraries.loads(), 0);
  EXPECT_EQ(libraries.moduleHandleOf("nothing.dll"), nullptr);
}

}  // namespace
}  // namespace zarnel
