#include "tools/skinart/SkinArt.h"

#include <filesystem>
#include <fstream>

#include "tools/skinart/DefaultSkin.h"
#include "tools/skinart/Lettering.h"
#include "tools/skinart/PanelArt.h"
#include "tools/skinart/SoundConfigArt.h"

namespace zarnel::art {

std::vector<ArtFile> drawAllArt(FontService& fonts) {
  Lettering letters(fonts);
  if (!letters.ready({14, true, 0})) return {};
  const SkinFiles skin = makeDefaultSkin(letters);
  std::vector<ArtFile> files;
  files.push_back({"skins/default.xml", std::vector<uint8_t>(skin.xml.begin(), skin.xml.end())});
  files.push_back({"skins/default.bmp", encodeBmp(skin.bitmap)});
  files.push_back({"skins/panel.bmp", encodeBmp(makePanelImage(letters))});
  files.push_back({"skins/tooltip.bmp", encodeBmp(makeTooltipImage())});
  files.push_back({"skins/soundconfig.bmp", encodeBmp(makeSoundConfigStrip())});
  files.push_back({"zarnel32.bmp", encodeBmp(makeProgramIcon(32))});
  files.push_back({"zarnel48.bmp", encodeBmp(makeProgramIcon(48))});
  return files;
}

bool writeArt(const std::string& home, const std::vector<ArtFile>& files) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(home) / "skins", error);
  if (error) return false;
  for (const ArtFile& file : files) {
    std::ofstream out(std::filesystem::path(home) / file.path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
    if (!out) return false;
  }
  return true;
}

}  // namespace zarnel::art
