#pragma once
// A small synthesiser for the demo tracks shipped as sample songs: drums,
// bass and chords at a given tempo, rendered to 44.1 kHz 16-bit stereo.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel::tools {

struct SongRecipe {
  std::string name;
  double bpm = 124.0;
  int32_t bars = 32;
  int32_t rootNote = 45;    // MIDI note of the bass root (45 = A2)
  int32_t progression = 0;  // which chord progression
  uint32_t seed = 1;        // noise for the hats and snares
};

// Return: interleaved stereo samples of the whole song.
std::vector<int16_t> renderSong(const SongRecipe& recipe);

// Writes samples as a RIFF WAVE file (44.1 kHz stereo), replacing path only
// once the whole file is written. Return: false with error set.
bool writeWav(const std::string& path, const std::vector<int16_t>& stereo, std::string& error);

}  // namespace zarnel::tools
