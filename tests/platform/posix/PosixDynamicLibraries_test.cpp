#include "platform/posix/PosixDynamicLibraries.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace zarnel {
namespace {

std::filesystem::path scratchFolder() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("zarnel-dl-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(PosixDynamicLibraries, LoadsALibraryAndFindsItsExports) {
  PosixDynamicLibraries libraries;
  std::string error = "stale";
  std::unique_ptr<LoadedLibrary> library = libraries.load(ZARNEL_TEST_BROADCAST, error);
  ASSERT_TRUE(library) << error;
  EXPECT_EQ(error, "");
  EXPECT_NE(library->moduleHandle(), nullptr);
  EXPECT_NE(library->symbol("winampDSPGetHeader2"), nullptr);
  EXPECT_EQ(library->symbol("winampDSPGetHeader"), nullptr);
  EXPECT_EQ(library->symbol("no_such_export"), nullptr);
  // Its own symbols only: RTLD_LOCAL, and no lookup of the process's.
  EXPECT_EQ(library->symbol("malloc_of_nobody"), nullptr);
}

TEST(PosixDynamicLibraries, MissingFileIsNotFound) {
  PosixDynamicLibraries libraries;
  std::string error;
  const std::string path = (scratchFolder() / "missing.so").string();
  EXPECT_FALSE(libraries.load(path, error));
  EXPECT_EQ(error, "not found: " + path);
  EXPECT_FALSE(libraries.load("", error));
  EXPECT_EQ(error, "not found: ");
  EXPECT_FALSE(libraries.load(scratchFolder().string(), error));  // a folder
  EXPECT_EQ(error.rfind("not found: ", 0), 0u);
}

// A bare name is the working folder's file, never one of the system's libraries.
TEST(PosixDynamicLibraries, BareNameIsNeverSearchedOnTheSystemPath) {
  PosixDynamicLibraries libraries;
  std::string error;
  EXPECT_FALSE(libraries.load("libc.so.6", error));
  EXPECT_EQ(error, "not found: libc.so.6");
}

TEST(PosixDynamicLibraries, TextFileIsNotALibrary) {
  PosixDynamicLibraries libraries;
  const std::string path = (scratchFolder() / "notes.so").string();
  std::ofstream(path) << "plain text\n";
  std::string error;
  EXPECT_FALSE(libraries.load(path, error));
  EXPECT_EQ(error.rfind("not a library: ", 0), 0u) << error;
  EXPECT_GT(error.size(), std::string("not a library: ").size());
  std::filesystem::remove(path);
}

TEST(PosixDynamicLibraries, EachLoadIsFreedOnItsOwn) {
  PosixDynamicLibraries libraries;
  std::string error;
  std::unique_ptr<LoadedLibrary> first = libraries.load(ZARNEL_TEST_BROADCAST_OLD, error);
  std::unique_ptr<LoadedLibrary> second = libraries.load(ZARNEL_TEST_BROADCAST_OLD, error);
  ASSERT_TRUE(first && second);
  void* getter = first->symbol("winampDSPGetHeader");
  EXPECT_EQ(second->symbol("winampDSPGetHeader"), getter);
  first.reset();
  EXPECT_EQ(second->symbol("winampDSPGetHeader"), getter);  // still loaded for the second
}

}  // namespace
}  // namespace zarnel
