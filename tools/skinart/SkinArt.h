#pragma once
// Every picture the program shows, drawn by the program's own code, and the
// default skin's description; see tools/skinart/main.cpp for the file names.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FontService.h"

namespace zarnel::art {

struct ArtFile {
  std::string path;  // below the home folder, '/' separated
  std::vector<uint8_t> bytes;
};

// Return: the files, always the same bytes for the same fonts; empty when
// the fonts cannot be made.
std::vector<ArtFile> drawAllArt(FontService& fonts);

// Writes files below home, making its "skins" folder when missing.
// Return: false when a file could not be written.
bool writeArt(const std::string& home, const std::vector<ArtFile>& files);

}  // namespace zarnel::art
