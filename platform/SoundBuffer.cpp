#include "platform/SoundBuffer.h"

#include <cstring>

namespace zarnel {

bool SoundBuffer::write(int32_t offset, const int16_t* src, int32_t count) {
  SoundRegion region;
  if (!lock(offset, count, region)) return false;
  const size_t frameBytes = size_t(channels()) * 2;
  std::memcpy(region.first, src, size_t(region.firstFrames) * frameBytes);
  if (region.secondFrames > 0)
    std::memcpy(region.second, src + size_t(region.firstFrames) * channels(),
                size_t(region.secondFrames) * frameBytes);
  unlock(region);
  return true;
}

}  // namespace zarnel
