#pragma once
// A small skin of every widget the renderer animates, 240 by 120, written
// into a virtual file system as the skin loader reads it; and the reading
// of a skin shipped in the repository's home folder.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/virtual/VirtualFileSystem.h"
#include "skin/SkinFiles.h"
#include "skin/support/BmpWriter.h"

namespace zarnel::test {

inline constexpr int32_t kRenderSkinWidth = 240, kRenderSkinHeight = 120;

// The widgets: desk 1's play button, song position and tone arm sliders, a
// blended beat lamp, a text zone, a colour-mode rhythm view and the browser.
inline std::string renderSkinXml() {
  return "<zarnelskin width='240' height='120'>"
         "<button action='play_pause' chan='1'><size width='20' height='12'/><pos x='10' y='10'/>"
         "<up x='0' y='200'/><selected x='20' y='200'/></button>"
         "<slider action='song_pos' chan='1' orientation='horizontal'><size width='100' height='8'/>"
         "<pos x='10' y='40'/><up x='0' y='220'/><selected x='0' y='230'/></slider>"
         "<slider action='arm' chan='1' orientation='horizontal'><size width='60' height='6'/>"
         "<pos x='10' y='55'/><up x='0' y='240'/><selected x='0' y='250'/></slider>"
         "<beattap transparent='true'><size width='16' height='16'/><pos x='130' y='10'/>"
         "<up x='100' y='200'/><down x='120' y='200'/></beattap>"
         "<textzone chan='1'><size width='90' height='12'/><pos x='130' y='40'/>"
         "<text format='%time' color='lime'/></textzone>"
         "<rhythm><size width='200' height='40'/><pos x='10' y='70'/>"
         "<color back='0' chan1='16' chan2='15' both='10'/></rhythm>"
         "<browser><size width='10' height='10'/><pos x='230' y='110'/></browser>"
         "</zarnelskin>";
}

// The bitmap: a gradient behind the window area and the widgets' images
// below it, each in a colour of its own.
inline Bitmap renderSkinBitmap() {
  Bitmap b = solidImage(800, 600, 0x000000);
  for (int32_t y = 0; y < kRenderSkinHeight; ++y)
    for (int32_t x = 0; x < kRenderSkinWidth; ++x)
      setPixel(b, x, y, uint32_t((x * 255 / 239) << 16 | (y * 255 / 119) << 8 | 0x40));
  auto fill = [&](int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t colour) {
    for (int32_t y = y0; y < y0 + h; ++y)
      for (int32_t x = x0; x < x0 + w; ++x) setPixel(b, x, y, colour);
  };
  fill(0, 200, 20, 12, 0x2040A0);     // button up
  fill(20, 200, 20, 12, 0x40E0FF);    // button selected
  fill(0, 220, 100, 8, 0x303030);     // song position up
  fill(0, 230, 100, 8, 0xFF8000);     // song position selected
  fill(0, 240, 60, 6, 0x202060);      // arm up
  fill(0, 250, 60, 6, 0xE0E020);      // arm selected
  fill(100, 200, 16, 16, 0x404040);   // lamp unlit
  fill(120, 200, 16, 16, 0xFF2020);   // lamp lit
  return b;
}

inline std::vector<uint8_t> textBytes(const std::string& text) { return {text.begin(), text.end()}; }

// Writes the skin as home's skin name.
inline void putRenderSkin(VirtualFileSystem& files, const std::string& home, const std::string& name) {
  files.put(skinXmlPath(home, name), textBytes(renderSkinXml()));
  files.put(skinBitmapPath(home, name), makeBmp(renderSkinBitmap()));
}

// Copies the repository's home/skins/<name>.xml and .bmp into files as
// home's skin name. Return: false when the repository has no such skin.
inline bool putShippedSkin(VirtualFileSystem& files, const std::string& home, const std::string& name) {
  const std::string folder = std::string(ZARNEL_TEST_SOURCE_DIR) + "/../home/skins/";
  for (const char* ending : {".xml", ".bmp"}) {
    std::ifstream in(folder + name + ending, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    files.put(std::string(ending) == ".xml" ? skinXmlPath(home, name) : skinBitmapPath(home, name), bytes);
  }
  // The browser panel's picture beside the skins, as the program ships it.
  std::ifstream panel(folder + "panel.bmp", std::ios::binary);
  if (!panel) return false;
  files.put(skinBitmapPath(home, "panel"),
            std::vector<uint8_t>((std::istreambuf_iterator<char>(panel)), std::istreambuf_iterator<char>()));
  return true;
}

}  // namespace zarnel::test
