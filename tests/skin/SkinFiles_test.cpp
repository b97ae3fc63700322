#include "skin/SkinFiles.h"

#include <gtest/gtest.h>

#include "app/FatalError.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

class SkinFilesTest : public testing::Test {
 protected:
  void SetUp() override { clearFatalError(); }
  void TearDown() override { clearFatalError(); }

  // A valid skin whose one button has the given action, so tests can tell
  // which skin was loaded.
  void putSkin(const std::string& name, const std::string& action, const Bitmap& image) {
    files.put(skinXmlPath(home, name),
              bytesOf(test::skinXml("<button action='" + action + "'><size width='4' height='4'/><pos x='0' y='0'/></button>")));
    files.put(skinBitmapPath(home, name), test::makeBmp(image));
  }
  void putSkin(const std::string& name, const std::string& action) {
    putSkin(name, action, test::solidImage(800, 600, 0x123456));
  }

  VirtualFileSystem files;
  std::string home = "/zarnel";
};

TEST_F(SkinFilesTest, PathsBelowTheHomeFolder) {
  EXPECT_EQ(skinXmlPath("/zarnel", "blue"), "/zarnel/skins/blue.xml");
  EXPECT_EQ(skinBitmapPath("/zarnel/", "blue"), "/zarnel/skins/blue.bmp");
}

TEST_F(SkinFilesTest, LoadsByName) {
  putSkin("blue", "play", test::solidImage(1000, 700, 0x123456));
  auto skin = loadSkin(files, home, "blue");
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(fatalError(), kErrorNone);
  EXPECT_EQ(skin->buttons[0]->action(), 5);
  EXPECT_EQ(skin->surface.width, 1000);
  EXPECT_EQ(test::pixelAt(skin->surface, 999, 699), 0x123456u);
}

TEST_F(SkinFilesTest, EveryFailureIsErrorNineteen) {
  putSkin("good", "play");
  files.put(skinXmlPath(home, "nobitmap"), files.bytes(skinXmlPath(home, "good")));
  files.put(skinXmlPath(home, "badbitmap"), files.bytes(skinXmlPath(home, "good")));
  files.put(skinBitmapPath(home, "badbitmap"), test::makeBmp(test::solidImage(8, 8, 0), {16}));
  files.put(skinXmlPath(home, "badxml"), bytesOf("<zarnelskin>"));
  files.put(skinBitmapPath(home, "badxml"), files.bytes(skinBitmapPath(home, "good")));
  for (const char* name : {"", "missing", "nobitmap", "badbitmap", "badxml"}) {
    clearFatalError();
    EXPECT_EQ(loadSkin(files, home, name), nullptr) << name;
    EXPECT_EQ(fatalError(), kErrorSkin) << name;
  }
}

TEST_F(SkinFilesTest, StartFallsBackToDefaultSilently) {
  putSkin("default", "stop");
  putSkin("mine", "play");
  auto chosen = loadStartSkin(files, home, "mine");
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->buttons[0]->action(), 5);
  for (const char* name : {"gone", ""}) {
    auto fallback = loadStartSkin(files, home, name);
    ASSERT_NE(fallback, nullptr) << name;
    EXPECT_EQ(fallback->buttons[0]->action(), 7);
    EXPECT_EQ(fatalError(), kErrorNone);
  }
}

TEST_F(SkinFilesTest, BrokenDefaultEndsWithErrorNineteen) {
  putSkin("default", "stop");
  files.put(skinBitmapPath(home, "default"), bytesOf("BM truncated"));
  EXPECT_EQ(loadStartSkin(files, home, "gone"), nullptr);
  EXPECT_EQ(fatalError(), kErrorSkin);
  clearFatalError();
  EXPECT_EQ(loadStartSkin(files, home, "default"), nullptr);
  EXPECT_EQ(fatalError(), kErrorSkin);
}

TEST_F(SkinFilesTest, AnEarlierFailureIsKept) {
  putSkin("default", "stop");
  setFatalError(kErrorMemory);
  EXPECT_EQ(loadStartSkin(files, home, "gone"), nullptr);
  EXPECT_EQ(fatalError(), kErrorMemory);
}

}  // namespace
}  // namespace zarnel
