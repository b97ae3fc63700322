#include "platform/posix/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <string>
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

}  // namespace
}  // namespace zarnel
