#include "tools/skinart/PanelArt.h"

#include <algorithm>
#include <functional>

#include "tools/skinart/Controls.h"
#include "tools/skinart/DetMath.h"
#include "tools/skinart/Shapes.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {

constexpr uint32_t kFace = 0x1A1D23;  // the browser's face colour, under every sprite

Distance unite(Distance a, Distance b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Distance star(double cx, double cy, double outer, double inner) {
  std::vector<Point> core;
  for (int i = 0; i < 5; ++i) core.push_back(polar(cx, cy, inner, kPi / 5 + 2 * kPi * i / 5));
  Distance shape = polygon(core);
  for (int i = 0; i < 5; ++i) {
    const Point tip = polar(cx, cy, outer, 2 * kPi * i / 5);
    shape = unite(shape, polygon({tip, core[size_t(i)], core[size_t((i + 4) % 5)]}));
  }
  return shape;
}

// Draws a sprite on the face colour and makes what lies outside outline transparent.
void sprite(Image& panel, const Rect& cell, const Distance& outline, const std::function<void(Image&)>& paint) {
  Image local(cell.w, cell.h, kFace);
  paint(local);
  for (int32_t y = 0; y < cell.h; ++y)
    for (int32_t x = 0; x < cell.w; ++x)
      if (outline(x + 0.5, y + 0.5) > 0) local.at(x, y) = kTransparent;
  panel.paste(local, cell.x, cell.y);
}

void buttonIcon(Image& image, int column, uint32_t ink, Lettering& letters) {
  const Rect all{0, 0, image.width, image.height};
  const Paint p = Paint::solid(ink);
  const double c = image.width / 2.0;
  switch (column) {
    case 0:  // lock
      fill(image, all, roundRect(7.5, 12, 11, 8.5, 1.5), p);
      fill(image, all, arc(c, 10, 3.4, 1.1, -0.5 * kPi, 0.5 * kPi), p);
      fill(image, all, segment({c - 3.4, 10}, {c - 3.4, 12.5}, 1.1), p);
      fill(image, all, segment({c + 3.4, 10}, {c + 3.4, 12.5}, 1.1), p);
      break;
    case 1: fill(image, all, star(c, 13.5, 7.5, 3.2), Paint::solid(theme::kCue)); break;
    case 2:  // hard drive
      fill(image, all, subtract(roundRect(6, 8, 14, 10, 2), roundRect(7.4, 9.4, 11.2, 7.2, 1)), p);
      fill(image, all, circle(16.5, 14.5, 1.2), Paint::solid(theme::kPlay));
      break;
    case 3:
    case 4:  // a disc, crossed out to delete it
      fill(image, all, subtract(circle(c, 13, 7), circle(c, 13, 2)), p);
      if (column == 4) {
        fill(image, all, segment({7, 7}, {19, 19}, 1.4), Paint::solid(theme::kKill));
        fill(image, all, segment({19, 7}, {7, 19}, 1.4), Paint::solid(theme::kKill));
      }
      break;
    case 5: letters.draw(image, {0, 1, 26, 24}, "A", {17, true, ink}); break;
    case 6:  // shuffle: two crossing arrows
      fill(image, all, segment({6, 9}, {19, 17}, 1.1), p);
      fill(image, all, segment({6, 17}, {19, 9}, 1.1), p);
      fill(image, all, polygon({{21, 9}, {17, 6.5}, {17.5, 11}}), p);
      fill(image, all, polygon({{21, 17}, {17.5, 15}, {17, 19.5}}), p);
      break;
    case 7: letters.draw(image, {0, 1, 26, 24}, "NEW", {11, true, ink}); break;
    case 8:  // load a playlist: lines and an arrow in
    case 9:  // save it: lines and an arrow out
      for (int i = 0; i < 3; ++i) fill(image, all, roundRect(6, 8 + i * 4, 8, 1.6, 0.8), p);
      fill(image, all, segment({18, column == 8 ? 7.0 : 19.0}, {18, column == 8 ? 15.0 : 11.0}, 1.1), p);
      fill(image, all, column == 8 ? polygon({{14.5, 14}, {21.5, 14}, {18, 19}})
                                   : polygon({{14.5, 12}, {21.5, 12}, {18, 7}}), p);
      break;
    case 10: fill(image, all, circle(c, 13, 5.5), Paint::solid(theme::kKill)); break;
    case 11:  // cut: scissors
      fill(image, all, ring(9, 17, 2.4, 0.9), p);
      fill(image, all, ring(17, 17, 2.4, 0.9), p);
      fill(image, all, segment({10.5, 15}, {17, 6}, 1.0), p);
      fill(image, all, segment({15.5, 15}, {9, 6}, 1.0), p);
      break;
    default:  // load into a slot: an arrow into a tray
      fill(image, all, segment({c, 6}, {c, 14}, 1.2), p);
      fill(image, all, polygon({{c - 4.5, 12.5}, {c + 4.5, 12.5}, {c, 17.5}}), p);
      fill(image, all, subtract(roundRect(6, 15, 14, 6, 1.5), roundRect(7.6, 13, 10.8, 6.4, 0.5)), p);
      break;
  }
}

void panelButtons(Image& panel, Lettering& letters) {
  for (int column = 0; column < 13; ++column) {
    for (int row = 0; row < 6; ++row) {
      const Rect cell{column * 26, row * 26, 26, 26};
      sprite(panel, cell, roundRect(1, 1, 24, 24, 5), [&](Image& image) {
        const ButtonState state = kButtonStates[row == 1 ? 2 : row == 2 ? 1 : row == 4 ? 5 : row == 5 ? 4 : row];
        ButtonLook look;
        look.accent = theme::kDesk1;
        drawButton(image, look, state, letters);
        const bool down = row == 1 || row == 4;
        Image icon(26, 26, 0);
        icon = image.crop({0, 0, 26, 26});
        buttonIcon(icon, column, row == 2 || row == 5 ? 0xFFFFFF : 0xD5DAE3, letters);
        image.paste(icon.crop({0, 0, 26, down ? 25 : 26}), 0, down ? 1 : 0);
      });
    }
  }
}

void statusIcons(Image& panel) {
  const uint32_t colours[4] = {0x6C7482, theme::kPlay, theme::kDesk1, theme::kCue};
  for (int i = 0; i < 4; ++i) {
    const Rect cell{406 + 14 * (i % 2), 14 * (i / 2), 14, 14};
    Image local(14, 14, kFace);
    const Rect all{0, 0, 14, 14};
    const Paint p = Paint::solid(colours[i]);
    if (i == 0) fill(local, all, subtract(circle(7, 7, 4.5), circle(7, 7, 2.8)), p);
    if (i == 1) fill(local, all, star(7, 7.5, 6, 2.6), p);
    if (i == 2) fill(local, all, polygon({{4, 2.5}, {11.5, 7}, {4, 11.5}}), p);
    if (i == 3)
      for (int k = 0; k < 3; ++k) fill(local, all, roundRect(2, 3 + k * 3.5, 10, 2, 1), p);
    panel.paste(local, cell.x, cell.y);
  }
}

void treeAndListMarks(Image& panel) {
  for (int i = 0; i < 2; ++i) {
    Image box(11, 11, kFace);
    const Rect all{0, 0, 11, 11};
    fill(box, all, subtract(roundRect(0.5, 0.5, 10, 10, 2), roundRect(1.5, 1.5, 8, 8, 1)), Paint::solid(0x5A6170));
    fill(box, all, roundRect(3, 5, 5, 1, 0), Paint::solid(theme::kText));
    if (i == 0) fill(box, all, roundRect(5, 3, 1, 5, 0), Paint::solid(theme::kText));
    panel.paste(box, 460 + 12 * i, 0);
  }
  sprite(panel, {484, 0, 16, 16}, star(8, 8.5, 7.5, 3.2),
         [](Image& image) { fill(image, {0, 0, 16, 16}, star(8, 8.5, 7.5, 3.2), Paint::solid(theme::kCue)); });
  for (int i = 0; i < 4; ++i) {
    Image arrow(16, 16, kFace);
    const Rect all{0, 0, 16, 16};
    const bool pressed = i % 2 == 1, up = i < 2;
    fill(arrow, all, roundRect(0.5, 0.5, 15, 15, 3), Paint::solid(pressed ? 0x3A404C : 0x2A2F38));
    fill(arrow, all, up ? polygon({{8, 5}, {12, 10}, {4, 10}}) : polygon({{4, 6}, {12, 6}, {8, 11}}),
         Paint::solid(pressed ? 0xFFFFFF : 0xB8C0CC));
    panel.paste(arrow, 520 + 16 * i, 0);
  }
  for (int i = 0; i < 2; ++i)
    sprite(panel, {584 + 8 * i, 0, 8, 5},
           i == 0 ? polygon({{4, 0}, {8, 5}, {0, 5}}) : polygon({{0, 0}, {8, 0}, {4, 5}}),
           [](Image& image) { image = Image(8, 5, theme::kTextDim); });
}

void dragCursors(Image& panel) {
  for (int i = 0; i < 3; ++i) {
    const Distance arrowShape = polygon({{1, 1}, {1, 17}, {5.5, 13}, {12, 13}});
    Distance outline = unite(arrowShape, roundRect(9, 16, 20, 14, 3));
    if (i == 1) outline = unite(outline, roundRect(12, 13, 20, 14, 3));
    sprite(panel, {600 + 32 * i, 0, 32, 32}, outline, [&](Image& image) {
      const Rect all{0, 0, 32, 32};
      if (i == 1) fill(image, all, roundRect(12, 13, 20, 14, 3), Paint::solid(0x3A404C));
      fill(image, all, roundRect(9, 16, 20, 14, 3), Paint::solid(0x0A0B0D));
      fill(image, all, roundRect(10, 17, 18, 12, 2), Paint::vertical(0x4A5161, 0x30353F, 17, 29));
      for (int k = 0; k < 2; ++k) fill(image, all, roundRect(13, 20 + 4 * k, 12, 1.6, 0.8), Paint::solid(0xD5DAE3));
      if (i == 2) {
        fill(image, all, ring(19, 23, 6, 1.4), Paint::solid(theme::kKill));
        fill(image, all, segment({15, 27}, {23, 19}, 1.4), Paint::solid(theme::kKill));
      }
      fill(image, all, arrowShape, Paint::solid(0x000000));
      fill(image, all, polygon({{2.2, 3.5}, {2.2, 14.5}, {5.2, 11.8}, {9.2, 11.8}}), Paint::solid(0xFFFFFF));
    });
  }
}

void panelSlider(Image& panel) {
  Image track(29, 90, kFace);
  drawGroove(track, {0, 4, 29, 82}, false, false, theme::kDesk1, 2.5);
  for (int i = 0; i <= 8; ++i)
    fill(track, {0, 0, 29, 90}, roundRect(3, 11 + i * 9 - 0.5, i % 4 == 0 ? 6 : 3, 1, 0), Paint::solid(0x4A505C));
  panel.paste(track, 750, 0);
  sprite(panel, {779, 0, 19, 15}, roundRect(1, 1, 17, 13, 3), [](Image& image) {
    drawFaderCap(image, true, ButtonState::up, theme::kDesk1);
  });
}

void recordLampAndBanner(Image& panel, Lettering& letters) {
  for (int i = 0; i < 2; ++i) {
    Image lamp(40, 40, kFace);
    drawLamp(lamp, i == 1, theme::kKill);
    letters.draw(lamp, {0, 0, 40, 40}, "REC", {12, true, i ? 0xFFFFFFu : 0x8A5058u});
    panel.paste(lamp, 40 * i, 160);
  }
  Image banner(200, 40, kFace);
  fill(banner, {0, 0, 200, 40}, circle(20, 20, 14), Paint::vertical(0x3A404C, 0x15171B, 6, 34));
  fill(banner, {0, 0, 200, 40}, circle(20, 20, 6), Paint::solid(theme::kDesk1));
  letters.draw(banner, {42, 2, 158, 36}, "ZARNEL", {28, true, theme::kText}, Align::left);
  panel.paste(banner, 100, 160);
}

// The folder tree's 16 by 16 icons in a row at y = 40: folder, open folder,
// home, file system (a drive), optical disc, removable drive, network.
void folderIcons(Image& panel) {
  const Rect all{0, 0, 16, 16};
  const Paint back = Paint::vertical(0xE0A43A, 0xC7862A, 3, 14), front = Paint::vertical(0xF6C766, 0xE3A845, 5, 14);
  for (int i = 0; i < 7; ++i) {
    Image icon(16, 16, kFace);  // edges blend with the face the tree is drawn on
    switch (i) {
      case 0:  // a closed folder: tab and body
        fill(icon, all, roundRect(1, 2.5, 6, 3, 1), back);
        fill(icon, all, roundRect(1, 4, 14, 10, 1.2), front);
        fill(icon, all, roundRect(1, 4, 14, 1.2, 0.5), Paint::solid(0xFBDC93));
        break;
      case 1:  // an open folder: the back and a slanted front
        fill(icon, all, roundRect(1, 2.5, 6, 3, 1), back);
        fill(icon, all, roundRect(1, 4, 13, 10, 1.2), back);
        fill(icon, all, polygon({{3.5, 7}, {15.5, 7}, {13, 14}, {1, 14}}), front);
        break;
      case 2:  // home: a roof and a house
        fill(icon, all, polygon({{8, 1.5}, {15, 8}, {1, 8}}), Paint::solid(0x5FB4F0));
        fill(icon, all, roundRect(3, 7.5, 10, 7, 0.8), Paint::solid(0xC9D3E3));
        fill(icon, all, roundRect(6.8, 10, 2.4, 4.5, 0.4), Paint::solid(0x3A404C));
        break;
      case 3:  // the file system: a drive with its lamp
        fill(icon, all, roundRect(1, 5, 14, 7, 1.5), Paint::vertical(0xB8C0CC, 0x7A8290, 5, 12));
        fill(icon, all, roundRect(2.5, 9.5, 7, 1, 0.4), Paint::solid(0x4A505C));
        fill(icon, all, circle(12.3, 9.8, 1), Paint::solid(theme::kPlay));
        break;
      case 4:  // an optical disc
        fill(icon, all, subtract(circle(8, 8, 7), circle(8, 8, 1.6)), Paint::around(0xF0F4FA, 0x9AA6B8, 8, 8, 7));
        fill(icon, all, ring(8, 8, 3, 0.5), Paint::solid(0x7A8290));
        break;
      case 5:  // a removable drive: a stick with its plug
        fill(icon, all, roundRect(3, 1, 10, 10, 1.5), Paint::vertical(0x5FB4F0, 0x2F7FC0, 1, 11));
        fill(icon, all, roundRect(5, 11, 6, 4, 0.5), Paint::solid(0xC9D3E3));
        fill(icon, all, roundRect(6, 12, 1.5, 1.5, 0), Paint::solid(0x4A505C));
        fill(icon, all, roundRect(8.5, 12, 1.5, 1.5, 0), Paint::solid(0x4A505C));
        break;
      default:  // a network share: a screen on a cable
        fill(icon, all, roundRect(2, 1.5, 12, 8.5, 1), Paint::solid(0xC9D3E3));
        fill(icon, all, roundRect(3.2, 2.7, 9.6, 6.1, 0.5), Paint::solid(0x2F7FC0));
        fill(icon, all, roundRect(7.3, 10, 1.4, 3, 0), Paint::solid(0xC9D3E3));
        fill(icon, all, roundRect(1, 13, 14, 1.4, 0.5), Paint::solid(0xC9D3E3));
        break;
    }
    for (int32_t y = 0; y < 16; ++y)
      for (int32_t x = 0; x < 16; ++x)
        if (icon.at(x, y) == kFace) icon.at(x, y) = kTransparent;
    panel.paste(icon, 406 + 16 * i, 40);
  }
}

}  // namespace

Image makePanelImage(Lettering& letters) {
  Image panel(800, 205, kTransparent);
  panelButtons(panel, letters);
  statusIcons(panel);
  treeAndListMarks(panel);
  dragCursors(panel);
  panelSlider(panel);
  folderIcons(panel);
  recordLampAndBanner(panel, letters);
  return panel;
}

}  // namespace zarnel::art
