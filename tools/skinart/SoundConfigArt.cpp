#include "tools/skinart/SoundConfigArt.h"

#include "tools/skinart/DetMath.h"
#include "tools/skinart/Shapes.h"

namespace zarnel::art {

namespace {

constexpr uint32_t kTileTop = 0xF7F8FA, kTileBottom = 0xE3E7ED;
constexpr uint32_t kBoard = 0x2E8B6E, kBoardDark = 0x1F6650, kGold = 0xE0B44C, kChip = 0x22262E;
constexpr uint32_t kMetal = 0xB8C0CC, kMetalDark = 0x7D8796;
constexpr uint32_t kCabinet = 0x2C3038, kCabinetTop = 0x424852, kCone = 0x14161A, kConeRim = 0x5B6370;
constexpr uint32_t kAccent = 0x27A7E0, kAccent2 = 0xFF8A2E;

const Rect kAll{0, 0, kSoundPictureWidth, kSoundPictureHeight};

Image tile() {
  Image image(kSoundPictureWidth, kSoundPictureHeight, kTileBottom);
  fill(image, kAll, roundRect(-1, -1, 89, 92, 0), Paint::vertical(kTileTop, kTileBottom, 0, 90));
  return image;
}

// A sound card seen from the side: the board, its contacts, a chip and the
// bracket with two sockets; (x, y) its top-left corner, s its scale.
void soundCard(Image& im, double x, double y, double s) {
  const double w = 58 * s, h = 30 * s;
  fill(im, kAll, roundRect(x + 3 * s, y, w, h, 3 * s), Paint::vertical(kBoard, kBoardDark, y, y + h));
  for (int i = 0; i < 9; ++i)
    fill(im, kAll, roundRect(x + (14 + i * 4.2) * s, y + h - 1 * s, 2.6 * s, 5 * s, 0.6 * s), Paint::solid(kGold));
  fill(im, kAll, roundRect(x + 26 * s, y + 7 * s, 14 * s, 12 * s, 1.5 * s), Paint::solid(kChip));
  fill(im, kAll, roundRect(x + 45 * s, y + 5 * s, 9 * s, 7 * s, 1 * s), Paint::solid(kChip));
  fill(im, kAll, roundRect(x, y - 4 * s, 5 * s, h + 6 * s, 1.2 * s), Paint::vertical(kMetal, kMetalDark, y, y + h));
  for (double jy : {8.0, 18.0}) {
    fill(im, kAll, circle(x + 2.5 * s, y + jy * s, 2.6 * s), Paint::solid(kAccent));
    fill(im, kAll, circle(x + 2.5 * s, y + jy * s, 1.1 * s), Paint::solid(kChip));
  }
}

// A speaker cabinet facing the viewer.
void speaker(Image& im, double x, double y, double w, double h) {
  fill(im, kAll, roundRect(x, y, w, h, w * 0.14), Paint::vertical(kCabinetTop, kCabinet, y, y + h));
  const double cx = x + w / 2;
  const double woofer = w * 0.34, tweeter = w * 0.14;
  fill(im, kAll, circle(cx, y + h * 0.66, woofer), Paint::solid(kConeRim));
  fill(im, kAll, circle(cx, y + h * 0.66, woofer * 0.8),
       Paint::around(0x3A3F48, kCone, cx, y + h * 0.66, woofer * 0.8));
  fill(im, kAll, circle(cx, y + h * 0.66, woofer * 0.25), Paint::solid(kConeRim));
  fill(im, kAll, circle(cx, y + h * 0.24, tweeter), Paint::solid(kConeRim));
  fill(im, kAll, circle(cx, y + h * 0.24, tweeter * 0.6), Paint::solid(kCone));
}

void headphones(Image& im, double cx, double cy, double r) {
  fill(im, kAll, arc(cx, cy, r, r * 0.11, -kPi / 2 - 0.15, kPi / 2 + 0.15), Paint::solid(kCabinet));
  for (double side : {-1.0, 1.0}) {
    const double ex = cx + side * r;
    fill(im, kAll, roundRect(ex - r * 0.26, cy - r * 0.05, r * 0.52, r * 0.78, r * 0.2), Paint::solid(kCabinet));
    fill(im, kAll, roundRect(ex - r * 0.14, cy + r * 0.05, r * 0.28, r * 0.58, r * 0.12), Paint::solid(kAccent));
  }
}

// A two-desk mixer seen from above: two channel strips and a crossfader.
void mixer(Image& im, double x, double y, double w, double h) {
  fill(im, kAll, roundRect(x, y, w, h, 5), Paint::vertical(kCabinetTop, kCabinet, y, y + h));
  for (int ch = 0; ch < 2; ++ch) {
    const double sx = x + w * (ch == 0 ? 0.3 : 0.7);
    const uint32_t colour = ch == 0 ? kAccent : kAccent2;
    for (int k = 0; k < 3; ++k) {
      fill(im, kAll, circle(sx, y + 9 + k * 8.5, 3.2), Paint::solid(kConeRim));
      fill(im, kAll, segment({sx, y + 9 + k * 8.5}, {sx + 1.6, y + 7 + k * 8.5}, 0.6), Paint::solid(0xE6EAF0));
    }
    fill(im, kAll, roundRect(sx - 1, y + 34, 2, 16, 1), Paint::solid(kCone));
    fill(im, kAll, roundRect(sx - 4, y + 38, 8, 4, 1), Paint::solid(colour));
  }
  fill(im, kAll, roundRect(x + w * 0.25, y + h - 9, w * 0.5, 2, 1), Paint::solid(kCone));
  fill(im, kAll, roundRect(x + w / 2 - 2, y + h - 12, 4, 8, 1), Paint::solid(0xE6EAF0));
}

Image oneCard() {
  Image im = tile();
  soundCard(im, 13, 30, 1.0);
  return im;
}

Image card3d() {
  Image im = tile();
  soundCard(im, 23, 36, 0.7);
  for (double x : {8.0, 66.0})
    for (double y : {8.0, 60.0}) speaker(im, x, y, 14, 22);
  return im;
}

Image twoCards() {
  Image im = tile();
  soundCard(im, 18, 14, 0.85);
  soundCard(im, 12, 50, 0.85);
  return im;
}

Image speakersOnly() {
  Image im = tile();
  speaker(im, 12, 22, 26, 46);
  speaker(im, 49, 22, 26, 46);
  return im;
}

Image speakersAndHeadphones() {
  Image im = tile();
  speaker(im, 8, 10, 20, 36);
  speaker(im, 59, 10, 20, 36);
  headphones(im, 43.5, 62, 15);
  return im;
}

Image externalMixer() {
  Image im = tile();
  mixer(im, 18, 16, 51, 60);
  // The two outputs leaving the mixer, one per desk.
  fill(im, kAll, segment({30, 16}, {30, 6}, 1.3), Paint::solid(kAccent));
  fill(im, kAll, segment({57, 16}, {57, 6}, 1.3), Paint::solid(kAccent2));
  return im;
}

}  // namespace

std::vector<Image> makeSoundConfigPictures() {
  return {oneCard(), card3d(), twoCards(), speakersOnly(), speakersAndHeadphones(), externalMixer()};
}

Image makeSoundConfigStrip() {
  const std::vector<Image> pictures = makeSoundConfigPictures();
  Image strip(kSoundPictureWidth * int32_t(pictures.size()), kSoundPictureHeight, 0);
  for (size_t i = 0; i < pictures.size(); ++i) strip.paste(pictures[i], int32_t(i) * kSoundPictureWidth, 0);
  return strip;
}

}  // namespace zarnel::art
