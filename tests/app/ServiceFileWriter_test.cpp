#include "app/ServiceFileWriter.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualFolderService.h"

namespace zarnel {
namespace {

std::string textOf(const VirtualFileSystem& files, const std::string& path) {
  const std::vector<uint8_t> b = files.bytes(path);
  return std::string(b.begin(), b.end());
}

TEST(ServiceFileWriter, ReplacesWholeAndAppendsAndAFailureKeepsTheOldFile) {
  VirtualFileSystem files;
  VirtualFolderService folders;
  folders.addFolder("/home");
  folders.attachFiles(&files);
  files.put("/home/history.txt", {'o', 'l', 'd'});
  ServiceFileWriter writer(&files, &folders);
  EXPECT_TRUE(writer.append("/home/history.txt", " more"));
  EXPECT_EQ(textOf(files, "/home/history.txt"), "old more");
  EXPECT_TRUE(writer.replace("/home/list.m3u", "a.mp3\n"));
  EXPECT_EQ(textOf(files, "/home/list.m3u"), "a.mp3\n");
  EXPECT_TRUE(writer.replace("/home/list.m3u", "b\n"));
  EXPECT_EQ(textOf(files, "/home/list.m3u"), "b\n");  // shorter text: nothing of the old left

  files.put("/home/list.m3u.~new", {});  // a leftover replacement that another writer holds
  files.lockWrites("/home/list.m3u.~new", true);
  EXPECT_FALSE(writer.replace("/home/list.m3u", "a long text that fails"));
  EXPECT_EQ(textOf(files, "/home/list.m3u"), "b\n");
  ServiceFileWriter none(nullptr, nullptr);
  EXPECT_FALSE(none.replace("/home/x", "y"));
}

}  // namespace
}  // namespace zarnel
