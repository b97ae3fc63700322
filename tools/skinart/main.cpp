// zarnel-skinart HOME: draws every picture the program shows into the home
// folder HOME (the repository's home/ is what it wrote):
//   skins/default.xml, skins/default.bmp  the default skin: an 800 by 600
//       window background with the widgets' other images below it
//   skins/panel.bmp    the browser panel's 800 by 205 picture (layout in
//       tools/skinart/PanelArt.h); transparent colour: its first pixel
//   skins/tooltip.bmp  the 29 by 30 tooltip balloon
//   skins/soundconfig.bmp  the sound configuration's six 87 by 90 pictures
//       side by side: the card set-ups 0..2, then the output set-ups 0..2
//   zarnel32.bmp, zarnel48.bmp  the program icon
// All are 24-bit bottom-up BMP files. Labels use fontconfig's face for
// "Arial" (Liberation Sans), so the bytes depend on that font and FreeType.
#include <cstdio>

#include "platform/posix/PosixFontService.h"
#include "tools/skinart/SkinArt.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zarnel-skinart HOME\n");
    return 2;
  }
  zarnel::PosixFontService fonts;
  const auto files = zarnel::art::drawAllArt(fonts);
  if (files.empty()) {
    std::fprintf(stderr, "zarnel-skinart: no font could be loaded\n");
    return 1;
  }
  if (!zarnel::art::writeArt(argv[1], files)) {
    std::fprintf(stderr, "zarnel-skinart: cannot write into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
