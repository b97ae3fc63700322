#include "skin/TextFile.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

TEST(TextFile, ReadsWholeFilesAndNamesEachFailure) {
  VirtualFileSystem files;
  std::vector<uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7);
  files.put("big", bytes);
  std::string out = "stale";
  ASSERT_EQ(readTextFile(files, "big", bytes.size(), out), TextFileStatus::kOk);
  EXPECT_EQ(out, std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(readTextFile(files, "big", bytes.size() - 1, out), TextFileStatus::kTooLarge);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(readTextFile(files, "none", 10, out), TextFileStatus::kCannotOpen);
  files.failReadsAfter("big", 70000);
  EXPECT_EQ(readTextFile(files, "big", bytes.size(), out), TextFileStatus::kReadError);
  EXPECT_TRUE(out.empty());
  files.put("empty", {});
  EXPECT_EQ(readTextFile(files, "empty", 0, out), TextFileStatus::kOk);
  EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace zarnel
