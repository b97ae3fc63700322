#include "platform/posix/PosixRegistry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zarnel {
namespace {

namespace fs = std::filesystem;

constexpr char kKey[] = "Software\\Zarnel";
constexpr char kHead[] = "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Zarnel]\n";

std::vector<uint8_t> bytes(const std::string& s) { return {s.begin(), s.end()}; }

class PosixRegistryTest : public ::testing::Test {
 protected:
  PosixRegistryTest() {
    char pattern[] = "/tmp/zarnel-registry-XXXXXX";
    folder = ::mkdtemp(pattern);
    path = folder + "/Zarnel.reg";
  }
  ~PosixRegistryTest() override { fs::remove_all(folder); }

  void put(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  std::string file() const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  size_t filesInFolder() const {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }
  // Return: the value's type and bytes, read through a fresh open of the file.
  RegistryValue reread(const char* name) {
    PosixRegistry registry(path);
    RegistryValue value{name, kRegNone, {}};
    EXPECT_TRUE(registry.open(kKey));
    EXPECT_TRUE(registry.read(name, value.type, value.data)) << name;
    registry.close();
    return value;
  }

  std::string folder;
  std::string path;
};

TEST_F(PosixRegistryTest, MissingFileIsAMissingKeyAndIsNeverCreated) {
  PosixRegistry registry(path);
  EXPECT_FALSE(registry.open(kKey));
  uint32_t type = 0;
  std::vector<uint8_t> data;
  const uint8_t one = 1;
  EXPECT_FALSE(registry.write("Skin", kRegBinary, &one, 1));
  EXPECT_FALSE(registry.read("Skin", type, data));
  EXPECT_TRUE(registry.close());
  EXPECT_FALSE(fs::exists(path));
  PosixRegistry inMissingFolder(folder + "/none/Zarnel.reg");
  EXPECT_FALSE(inMissingFolder.open(kKey));
}

TEST_F(PosixRegistryTest, EveryTypeComesBackAsWritten) {
  put(kHead);
  const std::vector<RegistryValue> values = {
      {"Home folder", kRegSz, bytes(std::string("C:\\Zarnel \"live\"") + '\0')},
      {"Empty", kRegSz, {0}},
      {"No zero", kRegSz, bytes("abc")},
      {"Two lines", kRegSz, bytes(std::string("a\nb") + '\0')},
      {"Accents", kRegSz, {'c', 0xE9, 0}},
      {"ToolTip", kRegDword, {10, 0, 0, 0}},
      {"Short dword", kRegDword, {1, 2}},
      {"Nothing", kRegBinary, {}},
      {"Favorite", kRegBinary, std::vector<uint8_t>(300, 0xA5)},
      {"Expand", kRegExpandSz, bytes(std::string("%HOME%") + '\0')},
      {"Quad", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"", kRegSz, bytes(std::string("default") + '\0')},
      {"Name \\ with \"quotes\"", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
  };
  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  for (const RegistryValue& v : values)
    ASSERT_TRUE(registry.write(v.name.c_str(), v.type, v.data.data(), uint32_t(v.data.size()))) << v.name;
  ASSERT_TRUE(registry.close());

  const std::string text = file();
  EXPECT_EQ(text.rfind(kHead, 0), 0u);
  EXPECT_NE(text.find("\n\"Home folder\"=\"C:\\\\Zarnel \\\"live\\\"\"\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"ToolTip\"=dword:0000000a\n"), std::string::npos);
  EXPECT_NE(text.find("\n\"Quad\"=hex(b):01,02,03,04,05,06,07,08\n"), std::string::npos);
  EXPECT_NE(text.find("\n@=\"default\"\n"), std::string::npos);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << line;
  for (const RegistryValue& v : values) EXPECT_EQ(reread(v.name.c_str()), v);
}

TEST_F(PosixRegistryTest, ReadsExportedFilesWithTheirVariations) {
  put("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
      "\"Skin\"=\"not ours\"\r\n"
      "; a comment \\\r\n"
      "[hkey_local_machine\\software\\zarnel]\r\n"
      "\"Skin\"=\"night\"\r\n"
      "\"BandSizes\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Baby secure\"=DWORD:00000002\r\n");
  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  uint32_t type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(registry.read("skin", type, data));
  EXPECT_EQ(data, bytes(std::string("night") + '\0'));
  ASSERT_TRUE(registry.read("BandSizes", type, data));
  EXPECT_EQ(type, uint32_t(kRegBinary));
  EXPECT_EQ(data, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(registry.damagedLines(), 0);

  const uint8_t zero[4] = {};
  ASSERT_TRUE(registry.write("Baby Secure", kRegDword, zero, 4));  // one value, the new spelling
  ASSERT_TRUE(registry.close());
  EXPECT_EQ(file().find("Baby secure"), std::string::npos);
  EXPECT_EQ(reread("baby SECURE").data, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(file().find("not ours"), std::string::npos);  // one key per file
}

TEST_F(PosixRegistryTest, DamagedValuesAreDroppedOneByOne) {
  put(std::string(kHead) +
      "\"A\"=hex:0g\n"
      "\"B\"=hex:123\n"
      "\"C\"=hex:01,,02\n"
      "\"D\"=\"open\n"
      "\"E\"=\"bad \\q escape\"\n"
      "\"F\"=dword:123456789\n"
      "\"G\"=\"text\" trailing\n"
      "\"H\"=hex(zz):00\n"
      "\"I\"=-\n"
      "no value at all\n"
      "\"Good\"=dword:00000007\n");
  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  EXPECT_EQ(registry.damagedLines(), 10);
  uint32_t type = 0;
  std::vector<uint8_t> data;
  for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H", "I"})
    EXPECT_FALSE(registry.read(name, type, data)) << name;
  ASSERT_TRUE(registry.read("Good", type, data));
  EXPECT_EQ(data, (std::vector<uint8_t>{7, 0, 0, 0}));
}

TEST_F(PosixRegistryTest, OversizedHexValueIsDamagedNotRead) {
  std::string big = std::string(kHead) + "\"Big\"=hex:";
  for (uint32_t i = 0; i <= kMaxRegistryValueBytes; ++i) big += "00,";
  big += "00\n\"Small\"=hex:05\n";
  ASSERT_LE(big.size(), PosixRegistry::kMaxFileBytes);
  put(big);
  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  EXPECT_EQ(registry.damagedLines(), 1);
  uint32_t type = 0;
  std::vector<uint8_t> data;
  EXPECT_FALSE(registry.read("Big", type, data));
  EXPECT_TRUE(registry.read("Small", type, data));
}

TEST_F(PosixRegistryTest, DamagedFilesCannotBeOpened) {
  PosixRegistry registry(path);
  for (const std::string& text :
       {std::string(), std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Zarnel]\n"),
        std::string("\"Skin\"=\"x\"\n"), std::string("Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\Software\\Other]\n"),
        std::string(kHead) + std::string(PosixRegistry::kMaxFileBytes, 'x'),
        std::string("\xFF\xFEW\0i\0n\0", 8)}) {
    put(text);
    EXPECT_FALSE(registry.open(kKey)) << text.substr(0, 60);
  }
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_FALSE(registry.open(kKey));
  fs::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_FALSE(registry.open(kKey));  // and does not wait for a writer
}

// Stops a save just before the finished file would replace the old one.
class RefusingRegistry : public PosixRegistry {
 public:
  using PosixRegistry::PosixRegistry;
  bool crash = false;

 protected:
  bool replaceFile(const std::string&, const std::string&) override {
    if (crash) ::_exit(0);
    return false;
  }
};

TEST_F(PosixRegistryTest, ASaveThatStopsBeforeTheRenameLeavesTheOldFile) {
  const std::string old = std::string(kHead) + "\"Skin\"=\"old\"\n";
  put(old);
  ::chmod(path.c_str(), 0640);
  const uint8_t skin[] = {'n', 'e', 'w', 0};
  RefusingRegistry refusing(path);
  ASSERT_TRUE(refusing.open(kKey));
  ASSERT_TRUE(refusing.write("Skin", kRegSz, skin, sizeof skin));
  EXPECT_FALSE(refusing.close());
  EXPECT_EQ(file(), old);
  EXPECT_EQ(filesInFolder(), 1u);  // the temporary file is gone

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RefusingRegistry crashing(path);
    crashing.crash = true;
    if (crashing.open(kKey) && crashing.write("Skin", kRegSz, skin, sizeof skin)) crashing.close();
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);  // it reached the rename
  EXPECT_EQ(file(), old);

  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  ASSERT_TRUE(registry.write("Skin", kRegSz, skin, sizeof skin));
  ASSERT_TRUE(registry.close());
  EXPECT_EQ(reread("Skin").data, (std::vector<uint8_t>(skin, skin + 4)));
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(PosixRegistryTest, NeverWritesWhatItCouldNotReadBack) {
  const std::string old = std::string(kHead) + "\"Skin\"=\"old\"\n";
  put(old);
  PosixRegistry registry(path);
  ASSERT_TRUE(registry.open(kKey));
  const std::vector<uint8_t> block(kMaxRegistryValueBytes, 0x11);
  EXPECT_FALSE(registry.write("Too big", kRegBinary, block.data(), uint32_t(block.size() + 1)));
  EXPECT_FALSE(registry.write("Bad\nname", kRegBinary, block.data(), 1));
  for (int i = 0; i < 8; ++i)
    ASSERT_TRUE(registry.write(("Block " + std::to_string(i)).c_str(), kRegBinary, block.data(),
                               uint32_t(block.size())));
  EXPECT_FALSE(registry.close());  // the file would pass the size a read takes
  EXPECT_EQ(file(), old);
  ASSERT_TRUE(registry.open(kKey));
  EXPECT_TRUE(registry.close());  // nothing written: the file stays as it is
  EXPECT_EQ(file(), old);
}

TEST(PosixRegistryPath, FollowsTheConfigurationFolder) {
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string keep = savedConfig ? savedConfig : "";
  ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
  EXPECT_EQ(PosixRegistry::defaultPath(), "/cfg/zarnel/Zarnel.reg");
  ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_EQ(PosixRegistry::defaultPath(), std::string(std::getenv("HOME")) + "/.config/zarnel/Zarnel.reg");
  if (savedConfig)
    ::setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(PosixRegistryTest, TheSetUpScriptMakesTheKeyWithTheHomeFolder) {
  const std::string script = std::string(ZARNEL_TEST_SOURCE_DIR) + "/../scripts/install-settings-key.sh";
  const std::string home = "/opt/zarnel \"home\" \\ here";
  const std::string command = "XDG_CONFIG_HOME='" + folder + "' '" + script + "' '" + home + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  path = folder + "/zarnel/Zarnel.reg";
  EXPECT_EQ(reread("Home folder").data, bytes(home + '\0'));

  put(std::string(kHead) + "\"Skin\"=\"mine\"\n");
  ASSERT_EQ(std::system(command.c_str()), 0);  // an existing key is left alone
  EXPECT_EQ(reread("Skin").data, bytes(std::string("mine") + '\0'));
}

}  // namespace
}  // namespace zarnel
