#pragma once
// The sound configuration dialog's six pictures, 87 by 90 each: the card
// set-ups (one card, one 3D card with four speakers, two cards) and the
// output set-ups (speakers, speakers and headphones, an external mixer).

#include <vector>

#include "tools/skinart/Image.h"

namespace zarnel::art {

constexpr int32_t kSoundPictureWidth = 87, kSoundPictureHeight = 90;

// Return: the six pictures, card set-ups 0..2 then output set-ups 0..2.
std::vector<Image> makeSoundConfigPictures();
// Return: the six pictures side by side, 522 by 90.
Image makeSoundConfigStrip();

}  // namespace zarnel::art
