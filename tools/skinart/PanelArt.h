#pragma once
// The browser panel's built-in picture (800 by 205) and the small pictures:
// the tooltip balloon and the program icon. Pixel (0, 0) of each is its
// transparent colour, magenta.
//
// Panel picture layout (x, y, width by height):
//   panel buttons: 26 by 26 cells; column c at x = 26 c holds one button,
//     row r at y = 26 r one state: 0 normal, 1 pressed, 2 pointed at, and for
//     toggles 3 on, 4 on and pressed, 5 on and pointed at. Columns: 0 lock the
//     pane (ids 0, 1), 1 favourite folder (2), 2 scan hard drive (3), 3 scan
//     CD (4), 4 delete CD (5), 5 AutoMix (6), 6 shuffle (7), 7 new songs only
//     (8), 8 load playlist (9), 9 save playlist (10), 10 record (11), 11 cut
//     (12), 12 load a sample or an effect (42 to 53, 64 to 69).
//   status icons: 14 by 14, icon i at (406 + 14 (i mod 2), 14 (i / 2)):
//     0 played before, 1 new, 2 played in this run, 3 playlist file. They lie
//     in the rectangle (406..458, 0..30) that the colour matrix leaves as is.
//   folder tree: expand box 11 by 11 at (460, 0), collapse box at (472, 0),
//     favourite star 16 by 16 at (484, 0).
//   folder tree icons: 16 by 16, icon i at (406 + 16 i, 40): 0 folder, 1 open
//     folder, 2 home, 3 file system, 4 optical disc, 5 removable drive, 6
//     network share.
//   list scroll bar: 16 by 16 arrows, up at (520, 0) and pressed (536, 0),
//     down at (552, 0) and pressed (568, 0); heading sort marks 8 by 5,
//     ascending at (584, 0), descending at (592, 0).
//   drag cursors: 32 by 32, one item (600, 0), several items (632, 0),
//     refused (664, 0); the hot spot is the top-left corner.
//   panel slider: track 29 by 90 at (750, 0), knob 19 by 15 at (779, 0).
//   recording lamp: 40 by 40, off at (0, 160), on at (40, 160).
//   name banner: 200 by 40 at (100, 160), for the options page.

#include "tools/skinart/Image.h"
#include "tools/skinart/Lettering.h"

namespace zarnel::art {

constexpr uint32_t kTransparent = 0xFF00FF;

Image makePanelImage(Lettering& letters);
// The 29 by 30 balloon: left end columns 0 to 21 with the pointer below,
// column 22 stretched for the body, right end 23 to 28.
Image makeTooltipImage();
// A square program icon of size pixels.
Image makeProgramIcon(int32_t size);

}  // namespace zarnel::art
