#include "platform/virtual/VirtualFolderService.h"

#include <gtest/gtest.h>

#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

std::vector<std::string> names(const FolderListing& listing) {
  std::vector<std::string> out;
  for (const FolderEntry& e : listing.entries) out.push_back(e.name);
  return out;
}

TEST(VirtualFolderServiceTest, TreesListInTheOrderAddedWithLinksResolved) {
  VirtualFolderService folders;
  folders.addFile("/m/b.mp3", 7);
  folders.addFolder("/m/sub");
  folders.addFile("/m/.h", -1);
  folders.addLink("/m/l.mp3", "/m/b.mp3");
  folders.neverAnswers("/m/dead");
  const FolderListing listing = folders.list("/m", 0);
  ASSERT_TRUE(listing.ok);
  EXPECT_EQ(names(listing), (std::vector<std::string>{"b.mp3", "sub", ".h", "l.mp3", "dead"}));
  EXPECT_TRUE(listing.entries[1].folder);
  EXPECT_TRUE(listing.entries[2].hidden);
  EXPECT_EQ(listing.entries[3].size, 7);
  EXPECT_EQ(listing.entries[3].target, "/m/b.mp3");
  EXPECT_FALSE(folders.list("/m/dead", 0).ok);
  EXPECT_FALSE(folders.list("/m/b.mp3", 0).ok);
  EXPECT_EQ(names(folders.list("/", 0)), std::vector<std::string>{"m"});
  VirtualFolderService windows('\\');
  windows.addFile("C:\\x\\y.mp3", 1);
  EXPECT_EQ(names(windows.list("C:\\", 0)), std::vector<std::string>{"x"});
}

TEST(VirtualFolderServiceTest, FileOperationsNeverReplaceAFile) {
  VirtualFolderService folders;
  folders.addFile("/a/x.mp3", 1);
  folders.addFile("/b/x.mp3", 2);
  folders.addFolder("/c");
  EXPECT_FALSE(folders.copyFile("/a/x.mp3", "/b"));
  EXPECT_FALSE(folders.moveFile("/a/x.mp3", "/b"));
  EXPECT_FALSE(folders.renameFile("/a/x.mp3", "/b/x.mp3"));
  EXPECT_TRUE(folders.copyFile("/a/x.mp3", "/c"));
  EXPECT_FALSE(folders.moveFile("/b/x.mp3", "/c"));
  EXPECT_FALSE(folders.moveFile("/b/x.mp3", "/nowhere"));
  folders.addFolder("/d");
  EXPECT_TRUE(folders.moveFile("/b/x.mp3", "/d"));
  EXPECT_FALSE(folders.exists("/b/x.mp3"));
  EXPECT_EQ(folders.list("/d", 0).entries.at(0).size, 2);
  EXPECT_TRUE(folders.deleteFile("/d/x.mp3"));
  EXPECT_FALSE(folders.deleteFile("/d"));
  EXPECT_TRUE(folders.list("/d", 0).entries.empty());
}

TEST(VirtualFolderServiceTest, ReplaceMovesTheAttachedFilesBytes) {
  VirtualFileSystem files;
  VirtualFolderService folders;
  folders.attachFiles(&files);
  files.put("list.new", {1, 2});
  files.put("list", {9});
  EXPECT_TRUE(folders.replaceFile("list.new", "list"));
  EXPECT_EQ(files.bytes("list"), (std::vector<uint8_t>{1, 2}));
  EXPECT_FALSE(files.exists("list.new"));
  EXPECT_FALSE(folders.replaceFile("list.new", "list"));
}

}  // namespace
}  // namespace zarnel
