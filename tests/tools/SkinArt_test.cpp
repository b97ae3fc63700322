#include "tools/skinart/SkinArt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "platform/posix/PosixFontService.h"
#include "skin/XmlReader.h"

namespace zarnel::art {
namespace {

const std::filesystem::path kHome = std::filesystem::path(ZARNEL_TEST_SOURCE_DIR) / ".." / "home";

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct BmpInfo {
  int32_t width = 0, height = 0, bits = 0;
};

BmpInfo bmpInfo(const std::vector<uint8_t>& b) {
  auto i32 = [&](size_t at) { return int32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24); };
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return {};
  return {i32(18), i32(22), int32_t(b[28] | b[29] << 8)};
}

// Return: pixel (x, y) of a 24-bit bottom-up BMP as 0xRRGGBB.
uint32_t bmpPixel(const std::vector<uint8_t>& b, int32_t x, int32_t y) {
  const BmpInfo info = bmpInfo(b);
  const size_t row = (size_t(info.width) * 3 + 3) & ~size_t(3);
  const size_t at = 54 + size_t(info.height - 1 - y) * row + size_t(x) * 3;
  return uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at];
}

class SkinArtTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PosixFontService fonts;
    files_ = new std::vector<ArtFile>(drawAllArt(fonts));
  }
  static void TearDownTestSuite() { delete files_; }
  static const std::vector<uint8_t>& file(const std::string& path) {
    for (const ArtFile& f : *files_)
      if (f.path == path) return f.bytes;
    static const std::vector<uint8_t> none;
    return none;
  }
  static std::vector<ArtFile>* files_;
};
std::vector<ArtFile>* SkinArtTest::files_ = nullptr;

TEST_F(SkinArtTest, WrittenFilesAreTheCommittedOnesByteForByte) {
  ASSERT_EQ(files_->size(), 7u);
  const std::filesystem::path out = std::filesystem::temp_directory_path() / "zarnel-skinart-test";
  std::filesystem::remove_all(out);
  ASSERT_TRUE(writeArt(out.string(), *files_));
  for (const ArtFile& f : *files_) {
    const std::vector<uint8_t> written = readFile(out / f.path);
    EXPECT_EQ(written, f.bytes) << f.path << " was not written whole";
    // When this fails after a change to the drawing code, run zarnel-skinart home.
    EXPECT_TRUE(readFile(kHome / f.path) == f.bytes) << "home/" << f.path << " is not what the tool draws";
  }
  std::filesystem::remove_all(out);
}

TEST_F(SkinArtTest, PicturesHaveTheSizesTheProgramLoads) {
  const BmpInfo skin = bmpInfo(file("skins/default.bmp"));
  EXPECT_EQ(skin.bits, 24);
  EXPECT_EQ(skin.width, 800);
  EXPECT_GT(skin.height, 600);  // positive: stored bottom-up
  const BmpInfo panel = bmpInfo(file("skins/panel.bmp"));
  EXPECT_EQ(panel.width, 800);
  EXPECT_EQ(panel.height, 205);
  const BmpInfo icon = bmpInfo(file("zarnel48.bmp"));
  EXPECT_EQ(icon.width, 48);
  EXPECT_EQ(icon.height, 48);
  EXPECT_EQ(bmpInfo(file("zarnel32.bmp")).width, 32);
}

TEST_F(SkinArtTest, TooltipBalloonHasItsEndsAndAStretchableBody) {
  const std::vector<uint8_t>& tip = file("skins/tooltip.bmp");
  ASSERT_EQ(bmpInfo(tip).width, 29);
  ASSERT_EQ(bmpInfo(tip).height, 30);
  const uint32_t transparent = bmpPixel(tip, 0, 0);
  // The shape's rectangle covers rows 0 to 22 of the stretched column.
  for (int y = 0; y < 23; ++y) EXPECT_NE(bmpPixel(tip, 22, y), transparent) << y;
  for (int y = 23; y < 30; ++y) EXPECT_EQ(bmpPixel(tip, 22, y), transparent) << y;
  // Both ends have rounded corners, and the pointer hangs below the left end.
  EXPECT_EQ(bmpPixel(tip, 28, 0), transparent);
  EXPECT_NE(bmpPixel(tip, 3, 26), transparent);
  EXPECT_EQ(bmpPixel(tip, 27, 26), transparent);
  // The body is one colour where the text goes.
  EXPECT_EQ(bmpPixel(tip, 10, 11), bmpPixel(tip, 22, 11));
}

// Checks every image rectangle the skin names against the bitmap.
class ImageBounds {
 public:
  ImageBounds(int32_t width, int32_t height) : width_(width), height_(height) {}
  void check(const XmlNode& element, int32_t w, int32_t h) {
    static const char* const kImages[] = {"up",       "down", "over",      "selected", "overselected",
                                          "downselected", "clipmask", "mousemask", "chan1", "chan2", "both"};
    for (const XmlNode& child : element.children)
      for (const char* name : kImages)
        if (equalsIgnoringCase(child.name, name)) inside(child, w, h, 1, 1, element.name + "/" + child.name);
    ++checked_;
  }
  void strip(const XmlNode& node, int32_t w, int32_t h) {
    int32_t nb = 0, nbx = 0;
    ASSERT_TRUE(xmlAttrInt(&node, "nb", nb));
    if (!xmlAttrInt(&node, "nbx", nbx)) nbx = nb;
    ASSERT_GT(nb, 1);
    inside(node, w, h, nbx, (nb + nbx - 1) / nbx, "frames");
  }
  int checked() const { return checked_; }

 private:
  void inside(const XmlNode& node, int32_t w, int32_t h, int32_t across, int32_t down, const std::string& what) {
    int32_t x = -1, y = -1;
    ASSERT_TRUE(xmlAttrInt(&node, "x", x) && xmlAttrInt(&node, "y", y)) << what;
    EXPECT_GE(x, 0) << what;
    EXPECT_GE(y, 0) << what;
    EXPECT_LE(x + w * across, width_) << what << " at " << x << "," << y;
    EXPECT_LE(y + h * down, height_) << what << " at " << x << "," << y;
  }
  int32_t width_, height_;
  int checked_ = 0;
};

void sizeOf(const XmlNode& element, int32_t& w, int32_t& h) {
  const XmlNode* size = xmlChild(&element, "size");
  ASSERT_TRUE(size && xmlChild(&element, "pos")) << element.name;
  ASSERT_TRUE(xmlAttrInt(size, "width", w) && xmlAttrInt(size, "height", h)) << element.name;
}

TEST_F(SkinArtTest, EveryImageTheSkinNamesLiesInsideItsBitmap) {
  const std::vector<uint8_t>& xml = file("skins/default.xml");
  auto root = xmlParse(std::string_view(reinterpret_cast<const char*>(xml.data()), xml.size()));
  ASSERT_TRUE(root);
  EXPECT_EQ(root->name, "zarnelskin");
  const BmpInfo bmp = bmpInfo(file("skins/default.bmp"));
  ImageBounds bounds(bmp.width, bmp.height);
  int browsers = 0, rhythms = 0;
  for (const XmlNode& e : root->children) {
    int32_t w = 0, h = 0;
    sizeOf(e, w, h);
    bounds.check(e, w, h);
    browsers += e.name == "browser";
    rhythms += e.name == "rhythm";
    const XmlNode* fader = xmlChild(&e, "fader");
    if (e.name != "slider" || !fader) continue;
    const std::string* orientation = xmlAttr(&e, "orientation");
    ASSERT_TRUE(orientation);
    if (*orientation == "round") {
      EXPECT_FALSE(xmlChild(&e, "up") || xmlChild(&e, "selected"));
      bounds.strip(*xmlChild(fader, "pos"), w, h);
      if (const XmlNode* over = xmlChild(fader, "over")) bounds.strip(*over, w, h);
    } else {
      int32_t kw = 0, kh = 0;
      sizeOf(*fader, kw, kh);
      bounds.check(*fader, kw, kh);
    }
  }
  EXPECT_EQ(browsers, 1);
  EXPECT_EQ(rhythms, 1);
  EXPECT_GT(bounds.checked(), 120);
}

TEST_F(SkinArtTest, EveryButtonActionAndSliderKindAppears) {
  const std::vector<uint8_t>& xml = file("skins/default.xml");
  auto root = xmlParse(std::string_view(reinterpret_cast<const char*>(xml.data()), xml.size()));
  ASSERT_TRUE(root);
  std::set<std::string> actions, kinds;
  for (const XmlNode& e : root->children) {
    const std::string* action = xmlAttr(&e, "action");
    if (e.name == "button") actions.insert(action ? *action : "nothing");
    if (e.name == "slider") kinds.insert(action ? *action : "crossfader");
  }
  // Actions 22 and 23 have no name (23 is a slider knob's own).
  const std::set<std::string> allActions = {
      "nothing",      "close",        "minimize",     "maximize",   "magic",      "play",
      "pause",        "stop",         "cue",          "select",     "pitch_reset", "switch_pitch_level",
      "sync_pitch",   "sync_level",   "sync_beat",    "menu_files", "menu_search", "menu_samples",
      "menu_effects", "menu_record",  "menu_config",  "mix",        "play_pause", "cue_stop",
      "loop4th",      "loop2th",      "loop1",        "loop2",      "loop4",      "loop8",
      "effect1",      "effect2",      "effect3",      "eqreset",    "killbass",   "killmedium",
      "killhigh",     "gotocue1",     "gotocue2",     "gotocue3",   "gotocue4",   "gotocue5",
      "setcue1",      "setcue2",      "setcue3",      "setcue4",    "setcue5"};
  ASSERT_EQ(allActions.size(), 47u);
  EXPECT_EQ(actions, allActions);
  const std::set<std::string> allKinds = {"crossfader", "song_pos",   "pitch",       "level",    "bass",
                                          "medium",     "high",       "gain",        "preview",  "bassfader",
                                          "mediumfader", "highfader", "rotation",    "arm"};
  EXPECT_EQ(kinds, allKinds);
  // Each desk has its own set of the desk actions.
  int play = 0;
  for (const XmlNode& e : root->children)
    if (e.name == "button" && *xmlAttr(&e, "action") == "play_pause") play += xmlAttr(&e, "chan") != nullptr;
  EXPECT_EQ(play, 2);
}

TEST_F(SkinArtTest, ButtonStatesLookDifferent) {
  const std::vector<uint8_t>& xml = file("skins/default.xml");
  auto root = xmlParse(std::string_view(reinterpret_cast<const char*>(xml.data()), xml.size()));
  ASSERT_TRUE(root);
  const std::vector<uint8_t>& bmp = file("skins/default.bmp");
  int compared = 0;
  for (const XmlNode& e : root->children) {
    if (e.name != "button" || !xmlChild(&e, "selected")) continue;
    int32_t w = 0, h = 0;
    sizeOf(e, w, h);
    static const char* const kStates[] = {"up", "over", "down", "selected", "overselected", "downselected"};
    std::set<std::vector<uint32_t>> looks;
    for (const char* state : kStates) {
      const XmlNode* image = xmlChild(&e, state);
      ASSERT_TRUE(image) << state;
      int32_t x = 0, y = 0;
      xmlAttrInt(image, "x", x);
      xmlAttrInt(image, "y", y);
      std::vector<uint32_t> pixels;
      for (int32_t j = 0; j < h; ++j)
        for (int32_t i = 0; i < w; ++i) pixels.push_back(bmpPixel(bmp, x + i, y + j));
      looks.insert(pixels);
    }
    EXPECT_EQ(looks.size(), 6u) << *xmlAttr(&e, "action");
    ++compared;
  }
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace zarnel::art
