#pragma once
// The sample players' part in the mixing pass. The players are not built yet:
// until they are, no sample plays, so nothing is added to the mix.

#include <cstdint>

namespace zarnel {

// Audio thread only.
class SamplePlayers {
 public:
  // Moves every playing sample back by frames about to be mixed again.
  void moveBackRt(int32_t /*frames*/) {}
  // Adds the playing samples to count frames of ring at index at.
  void addRt(int16_t* /*ring*/, int32_t /*at*/, int32_t /*count*/) {}
};

}  // namespace zarnel
