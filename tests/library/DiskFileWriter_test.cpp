#include "library/DiskFileWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zarnel {
namespace {

namespace fs = std::filesystem;

class DiskFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    folder = fs::temp_directory_path() / ("zarnel-diskwriter-" + std::to_string(stamp));
    fs::create_directories(folder);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  static std::string contents(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t entries() const {
    size_t n = 0;
    for (auto it = fs::directory_iterator(folder); it != fs::directory_iterator(); ++it) ++n;
    return n;
  }

  fs::path folder;
  DiskFileWriter writer;
};

TEST_F(DiskFileWriterTest, ReplaceWritesTheWholeFileAndLeavesNoTemporary) {
  ASSERT_TRUE(writer.replace(path("list.m3u"), "/a.mp3\n"));
  ASSERT_TRUE(writer.replace(path("list.m3u"), "/b.mp3\n/c.mp3\n"));
  EXPECT_EQ(contents(path("list.m3u")), "/b.mp3\n/c.mp3\n");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(DiskFileWriterTest, AFailedReplaceLeavesNothingBehind) {
  EXPECT_FALSE(writer.replace(path("no-folder/list.m3u"), "x\n"));
  EXPECT_FALSE(writer.replace("", "x\n"));
  fs::create_directory(folder / "dir");
  EXPECT_FALSE(writer.replace(path("dir"), "x\n"));  // a folder is not replaced
  EXPECT_TRUE(fs::is_directory(folder / "dir"));
  EXPECT_EQ(entries(), 1u);
}

TEST_F(DiskFileWriterTest, ReplaceKeepsASymbolicLinkAndPermissions) {
  ASSERT_TRUE(writer.replace(path("real.m3u"), "old\n"));
  fs::permissions(folder / "real.m3u", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(folder / "real.m3u", folder / "link.m3u");
  ASSERT_TRUE(writer.replace(path("link.m3u"), "new\n"));
  EXPECT_TRUE(fs::is_symlink(folder / "link.m3u"));
  EXPECT_EQ(contents(path("real.m3u")), "new\n");
  EXPECT_EQ(fs::status(folder / "real.m3u").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DiskFileWriterTest, AppendCreatesThenAdds) {
  ASSERT_TRUE(writer.append(path("history.txt"), "one\n"));
  ASSERT_TRUE(writer.append(path("history.txt"), "two\n"));
  EXPECT_EQ(contents(path("history.txt")), "one\ntwo\n");
  EXPECT_FALSE(writer.append(path("no-folder/history.txt"), "x"));
}

}  // namespace
}  // namespace zarnel
