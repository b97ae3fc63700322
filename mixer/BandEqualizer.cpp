#include "mixer/BandEqualizer.h"

namespace zarnel {

void BandEqualizer::clear() { *this = BandEqualizer{}; }

}  // namespace zarnel
