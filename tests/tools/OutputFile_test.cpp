#include "tools/common/OutputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/tools/ToolProcess.h"

namespace zarnel {
namespace {

using test::readText;
using test::TempFolder;
using test::writeText;

bool put(tools::OutputFile& file, const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), file.stream()) == text.size();
}

TEST(OutputFile, RefusesATargetThatIsAnInputByAnyPath) {
  TempFolder dir;
  writeText(dir / "track.mp3", "the user's track");
  ASSERT_EQ(link((dir / "track.mp3").c_str(), (dir / "hard.mp3").c_str()), 0);
  ASSERT_EQ(symlink("track.mp3", (dir / "soft.mp3").c_str()), 0);
  std::filesystem::create_directory(dir / "sub");
  const std::string paths[] = {dir / "track.mp3", dir / "hard.mp3", dir / "soft.mp3", dir / "sub/../track.mp3"};
  for (const std::string& target : paths) {
    for (const std::string& input : paths) {
      tools::OutputFile out;
      std::string error;
      EXPECT_FALSE(out.open(target, {"other.mp3", input}, error)) << target << " over " << input;
      EXPECT_NE(error.find("is the input"), std::string::npos) << error;
      EXPECT_FALSE(out.isOpen());
    }
  }
  EXPECT_EQ(readText(dir / "track.mp3"), "the user's track");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"hard.mp3", "soft.mp3", "sub", "track.mp3"}));
}

TEST(OutputFile, CommitReplacesTheTargetOnlyAtTheEnd) {
  TempFolder dir;
  const std::string target = dir / "mix.wav";
  writeText(target, "old");
  chmod(target.c_str(), 0640);
  tools::OutputFile out;
  std::string error;
  ASSERT_TRUE(out.open(target, {dir / "a.wav"}, error)) << error;
  ASSERT_TRUE(put(out, "new contents"));
  std::fflush(out.stream());
  EXPECT_EQ(readText(target), "old");  // the bytes go beside it meanwhile
  EXPECT_EQ(std::filesystem::path(out.temporaryPath()).parent_path(), std::filesystem::path(dir.path()));
  EXPECT_EQ(dir.names().size(), 2u);
  ASSERT_TRUE(out.commit(error)) << error;
  EXPECT_EQ(readText(target), "new contents");
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"mix.wav"}));
  struct stat st;
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's mode is kept
}

TEST(OutputFile, AnUncommittedFileLeavesNothingAndKeepsTheOldTarget) {
  TempFolder dir;
  writeText(dir / "kept.pcm", "old");
  {
    tools::OutputFile out, fresh;
    std::string error;
    ASSERT_TRUE(out.open(dir / "kept.pcm", {}, error));
    ASSERT_TRUE(fresh.open(dir / "new.pcm", {}, error));
    ASSERT_TRUE(put(out, "partial"));
    ASSERT_TRUE(put(fresh, "partial"));
    EXPECT_EQ(dir.names().size(), 3u);
  }  // a tool that failed half-way
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"kept.pcm"}));
  EXPECT_EQ(readText(dir / "kept.pcm"), "old");
}

TEST(OutputFile, AFailedRenameRemovesTheTemporary) {
  TempFolder dir;
  tools::OutputFile out;
  std::string error;
  ASSERT_TRUE(out.open(dir / "x", {}, error));
  ASSERT_TRUE(put(out, "data"));
  // The target became a folder with something in it: the rename cannot replace it.
  std::filesystem::create_directory(dir / "x");
  writeText(dir / "x/inside", "keep");
  EXPECT_FALSE(out.commit(error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"x"}));
  EXPECT_EQ(readText(dir / "x/inside"), "keep");
}

TEST(OutputFile, WritesThroughASymbolicLinkAndRefusesFolders) {
  TempFolder dir;
  writeText(dir / "real.wav", "old");
  ASSERT_EQ(symlink("real.wav", (dir / "link.wav").c_str()), 0);
  tools::OutputFile out;
  std::string error;
  ASSERT_TRUE(out.open(dir / "link.wav", {}, error)) << error;
  ASSERT_TRUE(put(out, "new"));
  ASSERT_TRUE(out.commit(error)) << error;
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.wav"));
  EXPECT_EQ(readText(dir / "real.wav"), "new");

  EXPECT_FALSE(out.open(dir.path(), {}, error));
  EXPECT_NE(error.find("is a directory"), std::string::npos) << error;
  EXPECT_FALSE(out.open(dir / "missing/out.wav", {}, error));
  EXPECT_NE(error.find("cannot create a file in"), std::string::npos) << error;
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"link.wav", "real.wav"}));
}

}  // namespace
}  // namespace zarnel
