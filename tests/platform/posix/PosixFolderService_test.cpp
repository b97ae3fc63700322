#include "platform/posix/PosixFolderService.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/posix/PosixMounts.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

class PosixFolderServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zarnel-folders-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }
  void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  const FolderEntry* find(const FolderListing& listing, const std::string& name) {
    for (const FolderEntry& e : listing.entries)
      if (e.name == name) return &e;
    return nullptr;
  }

  fs::path dir;
  PosixFolderService folders;
};

TEST_F(PosixFolderServiceTest, ListingDescribesFilesFoldersHiddenEntriesAndLinks) {
  write(dir / "a.mp3", "12345");
  write(dir / ".hidden.mp3", "1");
  write(dir / "sub" / "x.wav", "xy");
  fs::create_symlink(dir / "a.mp3", dir / "link.mp3");
  fs::create_symlink(dir / "sub", dir / "sublink");
  fs::create_symlink(dir / "missing.mp3", dir / "dangling.mp3");
  const FolderListing listing = folders.list(dir.string(), kFolderListTimeoutMs);
  ASSERT_TRUE(listing.ok);
  EXPECT_EQ(listing.entries.size(), 6u);
  const FolderEntry* a = find(listing, "a.mp3");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->size, 5);
  EXPECT_FALSE(a->folder || a->hidden || a->link);
  EXPECT_TRUE(find(listing, ".hidden.mp3")->hidden);
  const FolderEntry* sub = find(listing, "sub");
  EXPECT_TRUE(sub->folder);
  EXPECT_EQ(sub->size, -1);
  const FolderEntry* link = find(listing, "link.mp3");
  EXPECT_TRUE(link->link);
  EXPECT_EQ(link->size, 5);
  EXPECT_EQ(link->target, fs::canonical(dir / "a.mp3").string());
  const FolderEntry* sublink = find(listing, "sublink");
  EXPECT_TRUE(sublink->link && sublink->folder);
  const FolderEntry* dangling = find(listing, "dangling.mp3");
  EXPECT_TRUE(dangling->link);
  EXPECT_TRUE(dangling->target.empty());
  EXPECT_EQ(dangling->size, -1);
  EXPECT_TRUE(folders.isFolder(dir.string()));
  EXPECT_FALSE(folders.isFolder((dir / "a.mp3").string()));
}

TEST_F(PosixFolderServiceTest, AMissingFolderFailsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  const FolderListing listing = folders.list((dir / "nope").string(), kFolderListTimeoutMs);
  EXPECT_FALSE(listing.ok);
  EXPECT_TRUE(listing.entries.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST_F(PosixFolderServiceTest, AListingPastItsTimeIsGivenUpAndItsFolderIsRefusedUntilItsWorkerEnds) {
  // Thousands of entries cannot be read and described within no time at all.
  for (int i = 0; i < 3000; ++i) std::ofstream(dir / ("f" + std::to_string(i) + ".mp3")) << "x";
  const FolderListing late = folders.list(dir.string(), 0);
  EXPECT_FALSE(late.ok);
  EXPECT_TRUE(late.entries.empty());
  // While the worker is still reading, the same folder gets no second thread:
  // it is refused at once; a worker that already ended lets it list whole.
  const auto start = std::chrono::steady_clock::now();
  const FolderListing again = folders.list(dir.string(), 10000);
  if (!again.ok) {
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  } else {
    EXPECT_EQ(again.entries.size(), 3000u);
  }
  // The given-up worker finishes on its own; afterwards the folder lists again.
  for (int i = 0; i < 500 && folders.stuckListings() != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(folders.stuckListings(), 0u);
  const FolderListing listing = folders.list(dir.string(), 10000);
  EXPECT_TRUE(listing.ok);
  EXPECT_EQ(listing.entries.size(), 3000u);
}

TEST_F(PosixFolderServiceTest, CopyRefusesToReplaceAFileAndLeavesNoTemporary) {
  write(dir / "a.mp3", "new bytes");
  write(dir / "out" / "a.mp3", "old");
  EXPECT_FALSE(folders.copyFile((dir / "a.mp3").string(), (dir / "out").string()));
  EXPECT_EQ(read(dir / "out" / "a.mp3"), "old");
  fs::create_directories(dir / "out2");
  ::chmod((dir / "a.mp3").c_str(), 0640);
  EXPECT_TRUE(folders.copyFile((dir / "a.mp3").string(), (dir / "out2").string()));
  EXPECT_EQ(read(dir / "out2" / "a.mp3"), "new bytes");
  EXPECT_EQ(fs::status(dir / "out2" / "a.mp3").permissions(), fs::status(dir / "a.mp3").permissions());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out2"), {}), 1);
  EXPECT_FALSE(folders.copyFile((dir / "missing.mp3").string(), (dir / "out2").string()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out2"), {}), 1);
}

TEST_F(PosixFolderServiceTest, MoveRenameAndDeleteNeverReplaceAFile) {
  write(dir / "a.mp3", "A");
  write(dir / "b.mp3", "B");
  write(dir / "dest" / "b.mp3", "kept");
  EXPECT_FALSE(folders.renameFile((dir / "a.mp3").string(), (dir / "b.mp3").string()));
  EXPECT_EQ(read(dir / "b.mp3"), "B");
  EXPECT_TRUE(folders.renameFile((dir / "a.mp3").string(), (dir / "c.mp3").string()));
  EXPECT_FALSE(folders.moveFile((dir / "b.mp3").string(), (dir / "dest").string()));
  EXPECT_EQ(read(dir / "dest" / "b.mp3"), "kept");
  EXPECT_TRUE(folders.moveFile((dir / "c.mp3").string(), (dir / "dest").string()));
  EXPECT_FALSE(fs::exists(dir / "c.mp3"));
  EXPECT_EQ(read(dir / "dest" / "c.mp3"), "A");
  EXPECT_FALSE(folders.deleteFile((dir / "dest").string()));
  EXPECT_TRUE(folders.deleteFile((dir / "b.mp3").string()));
  EXPECT_FALSE(fs::exists(dir / "b.mp3"));
  EXPECT_TRUE(folders.replaceFile((dir / "dest" / "c.mp3").string(), (dir / "dest" / "b.mp3").string()));
  EXPECT_EQ(read(dir / "dest" / "b.mp3"), "A");
}

TEST_F(PosixFolderServiceTest, RootsStartWithHomeAndTheFileSystem) {
  const std::vector<FolderRoot> roots = folders.roots();
  ASSERT_GE(roots.size(), 2u);
  EXPECT_EQ(roots[0].displayName, "Home");
  EXPECT_EQ(roots[0].kind, FolderRootKind::kHome);
  EXPECT_EQ(roots[1].path, "/");
  EXPECT_EQ(roots[1].displayName, "File System");
}

TEST(PosixMountsTest, MediaAreTakenAndPseudoFileSystemsLeftOut) {
  const std::string table =
      "proc /proc proc rw 0 0\n"
      "/dev/vda / ext4 rw 0 0\n"
      "tmpfs /mnt/ram tmpfs rw 0 0\n"
      "/dev/sdb1 /media/u/MY\\040STICK vfat rw 0 0\n"
      "/dev/sr0 /run/media/u/DISC iso9660 ro 0 0\n"
      "server:/music /srv/music nfs4 rw 0 0\n"
      "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
      "/dev/sdc1 /home/u ext4 rw 0 0\n"
      "/dev/sdb1 /media/u/MY\\040STICK vfat rw 0 0\n"
      "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw 0 0\n"
      "garbage\n"
      "\n";
  const std::vector<FolderRoot> roots = parseMountTable(table, {"/home/u"});
  ASSERT_EQ(roots.size(), 3u);
  EXPECT_EQ(roots[0].path, "/media/u/MY STICK");
  EXPECT_EQ(roots[0].displayName, "MY STICK");
  EXPECT_EQ(roots[0].kind, FolderRootKind::kRemovable);
  EXPECT_EQ(roots[1].displayName, "DISC");
  EXPECT_EQ(roots[1].kind, FolderRootKind::kOptical);
  EXPECT_EQ(roots[2].path, "/srv/music");
  EXPECT_EQ(roots[2].kind, FolderRootKind::kNetwork);
  EXPECT_EQ(decodeMountField("a\\134b\\04"), "a\\b\\04");
}

}  // namespace
}  // namespace zarnel
