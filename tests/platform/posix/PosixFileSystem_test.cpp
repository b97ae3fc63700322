#include "platform/posix/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/WritableFile.h"
#include "platform/posix/TestMedia.h"

namespace zarnel {
namespace {

std::string readAll(ByteFile& file) {
  std::string out(size_t(file.size()), '?');
  file.seek(0);
  out.resize(size_t(std::max(file.read(out.data(), int32_t(out.size())), 0)));
  return out;
}

TEST(PosixWritableFile, WritesLandAtTheOffsetAndGapsReadAsZeros) {
  test::ScratchDir dir("writable");
  PosixFileSystem files;
  std::string path = dir.file("store.");
  EXPECT_EQ(files.openReadWrite(path.c_str(), false), nullptr);
  auto file = files.openReadWrite(path.c_str(), true);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->size(), 0);
  EXPECT_EQ(file->write("head", 4), 4);
  ASSERT_TRUE(file->seek(8));
  EXPECT_EQ(file->write("tail", 4), 4);
  EXPECT_EQ(file->write("!", 1), 1);  // the offset moved on
  ASSERT_TRUE(file->seek(2));
  EXPECT_EQ(file->write("AD", 2), 2);
  EXPECT_TRUE(file->flush());
  EXPECT_EQ(readAll(*file), std::string("heAD\0\0\0\0tail!", 13));

  ASSERT_TRUE(file->seek(6));
  ASSERT_TRUE(file->truncate(10));
  char two[2];
  EXPECT_EQ(file->read(two, 2), 2);  // truncate kept the offset at 6
  EXPECT_EQ(std::string(two, 2), std::string("\0\0", 2));
  EXPECT_EQ(file->read(two, 2), 2);
  EXPECT_EQ(file->read(two, 2), 0);  // the end
  ASSERT_TRUE(file->truncate(12));
  EXPECT_EQ(readAll(*file), std::string("heAD\0\0\0\0ta\0\0", 12));

  auto reader = files.openRead(path.c_str());
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(readAll(*reader), std::string("heAD\0\0\0\0ta\0\0", 12));
  EXPECT_EQ(files.openReadWrite(dir.file("").c_str(), true), nullptr);  // a folder
}

TEST(PosixWritableFile, ASecondWriterIsRefusedWhileReadersAreNot) {
  test::ScratchDir dir("writers");
  PosixFileSystem files;
  std::string path = dir.file("db");
  auto first = files.openReadWrite(path.c_str(), true);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->write("x", 1), 1);
  EXPECT_EQ(files.openReadWrite(path.c_str(), true), nullptr);
  EXPECT_NE(files.openRead(path.c_str()), nullptr);
  first.reset();
  auto second = files.openReadWrite(path.c_str(), false);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->size(), 1);
}

TEST(PosixWriterLock, TellsABusyFileFromOneThatCannotBeOpened) {
  test::ScratchDir dir("lockstates");
  PosixFileSystem files;
  const std::string path = dir.file("db");
  LockedFile first = files.openLocked(path.c_str(), true, 0);
  ASSERT_EQ(first.state, WriteLock::kHeld);
  ASSERT_NE(first.file, nullptr);
  LockedFile second = files.openLocked(path.c_str(), true, 0);
  EXPECT_EQ(second.state, WriteLock::kBusy);
  EXPECT_EQ(second.file, nullptr);
  EXPECT_EQ(files.openLocked(dir.file("missing").c_str(), false, 0).state, WriteLock::kFailed);
  EXPECT_EQ(files.openLocked(dir.file("").c_str(), true, 0).state, WriteLock::kFailed);  // a folder
  EXPECT_EQ(files.openLocked(dir.file("no/such/folder").c_str(), true, 0).state, WriteLock::kFailed);
}

TEST(PosixWriterLock, AWaitEndsWhenTheWriterLetsGoOrTheTimeIsUp) {
  test::ScratchDir dir("lockwait");
  PosixFileSystem files;
  const std::string path = dir.file("db");
  LockedFile first = files.openLocked(path.c_str(), true, 0);
  ASSERT_EQ(first.state, WriteLock::kHeld);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(files.openLocked(path.c_str(), true, 150).state, WriteLock::kBusy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150));
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    first.file.reset();
  });
  LockedFile waited = files.openLocked(path.c_str(), true, 10000);
  release.join();
  EXPECT_EQ(waited.state, WriteLock::kHeld);
  EXPECT_NE(waited.file, nullptr);
}

// The lock holds between programs: a child process holding the file makes
// this one busy until it exits.
TEST(PosixWriterLock, HoldsAgainstAnotherProcess) {
  test::ScratchDir dir("lockfork");
  PosixFileSystem files;
  const std::string path = dir.file("db");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    LockedFile held = files.openLocked(path.c_str(), true, 0);
    char c = held.state == WriteLock::kHeld ? 'y' : 'n';
    if (::write(ready[1], &c, 1) != 1) ::_exit(2);
    ::usleep(300 * 1000);
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  EXPECT_EQ(files.openLocked(path.c_str(), true, 0).state, WriteLock::kBusy);
  EXPECT_NE(files.openRead(path.c_str()), nullptr);
  EXPECT_EQ(files.openLocked(path.c_str(), true, 10000).state, WriteLock::kHeld);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ::close(ready[0]);
  ::close(ready[1]);
}

}  // namespace
}  // namespace zarnel
