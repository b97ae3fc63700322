#include "platform/virtual/VirtualFileSystem.h"

#include <gtest/gtest.h>

#include "platform/WritableFile.h"

namespace zarnel {
namespace {

TEST(VirtualFileSystemLock, OneWriterAtATimeWhileReadersGoOn) {
  VirtualFileSystem files;
  LockedFile first = files.openLocked("db", true, 0);
  ASSERT_EQ(first.state, WriteLock::kHeld);
  ASSERT_NE(first.file, nullptr);
  EXPECT_EQ(first.file->write("x", 1), 1);
  LockedFile second = files.openLocked("db", true, 0);
  EXPECT_EQ(second.state, WriteLock::kBusy);
  EXPECT_EQ(second.file, nullptr);
  EXPECT_EQ(files.openReadWrite("db", false), nullptr);
  EXPECT_NE(files.openRead("db"), nullptr);
  first.file.reset();
  LockedFile third = files.openLocked("db", false, 0);
  EXPECT_EQ(third.state, WriteLock::kHeld);
  EXPECT_EQ(third.file->size(), 1);
  EXPECT_EQ(files.openLocked("missing", false, 0).state, WriteLock::kFailed);
  EXPECT_EQ(files.pauses(), 0);
}

TEST(VirtualFileSystemLock, AWaitPollsUntilTheOtherProgramLetsGo) {
  VirtualFileSystem files;
  files.put("db", {});
  files.holdWriterLock("db", 250);
  // Too short a wait: still busy after pauses that add up to the wait.
  EXPECT_EQ(files.openLocked("db", false, 150).state, WriteLock::kBusy);
  EXPECT_EQ(files.clockMs(), 150);
  EXPECT_EQ(files.pauses(), 2);  // 100 then 50: never more than the poll interval
  LockedFile got = files.openLocked("db", false, 1000);
  EXPECT_EQ(got.state, WriteLock::kHeld);
  EXPECT_EQ(files.clockMs(), 250);
  // A file held without end stays busy for any wait.
  got.file.reset();
  files.lockWrites("db", true);
  EXPECT_EQ(files.openLocked("db", false, 300).state, WriteLock::kBusy);
  files.lockWrites("db", false);
  EXPECT_EQ(files.openLocked("db", false, 0).state, WriteLock::kHeld);
}

}  // namespace
}  // namespace zarnel
