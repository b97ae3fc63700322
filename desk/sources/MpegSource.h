#pragma once
// MPEG audio (MP3 and the other layers). The decoder module is not built yet:
// until it is, every open fails, so such a file shows as unreadable.

#include "desk/sources/AudioSource.h"

namespace zarnel {

class MpegSource : public AudioSource {
 public:
  // Return: -1 (no decoder available yet).
  int32_t open(const char* path) override;
  void close() override {}
  int32_t read(int16_t*) override { return -1; }
  int32_t seek(float x) override;
};

}  // namespace zarnel
