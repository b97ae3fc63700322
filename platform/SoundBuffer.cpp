#include "platform/SoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace zarnel {

SoundRegion splitRegion(int16_t* base, int32_t frames, int32_t channels, int32_t offset, int32_t count) {
  offset = ((offset % frames) + frames) % frames;
  const int32_t first = std::min(count, frames - offset);
  SoundRegion region;
  region.first = base + size_t(offset) * size_t(channels);
  region.firstFrames = first;
  region.second = count > first ? base : nullptr;
  region.secondFrames = count - first;
  return region;
}

bool SoundBuffer::writeRt(int32_t offset, const int16_t* src, int32_t count) {
  SoundRegion region;
  if (!lockRt(offset, count, region)) return false;
  const size_t frameBytes = size_t(channels()) * 2;
  std::memcpy(region.first, src, size_t(region.firstFrames) * frameBytes);
  if (region.secondFrames > 0)
    std::memcpy(region.second, src + size_t(region.firstFrames) * channels(),
                size_t(region.secondFrames) * frameBytes);
  unlockRt(region);
  return true;
}

}  // namespace zarnel
