#pragma once
// The default skin: its window background and every widget of both desks,
// the mixer, the top bar and the browser zone.

#include <string>

#include "tools/skinart/Image.h"
#include "tools/skinart/Lettering.h"

namespace zarnel::art {

struct SkinFiles {
  Image bitmap;
  std::string xml;
};

// Paints the panels, displays, grooves' surroundings and captions.
void paintBackdrop(Image& window, Lettering& letters);

// Return: the default skin's bitmap and XML text.
SkinFiles makeDefaultSkin(Lettering& letters);

}  // namespace zarnel::art
