#include "platform/posix/FfmpegMediaLibrary.h"

#include "platform/posix/FfmpegMediaReader.h"

namespace zarnel {

bool FfmpegMediaLibrary::load() {
#if ZARNEL_HAVE_FFMPEG
  loaded_ = true;
#endif
  return loaded_;
}

void FfmpegMediaLibrary::unload() { loaded_ = false; }

std::unique_ptr<MediaReader> FfmpegMediaLibrary::createSyncReader() {
  if (!loaded_) return nullptr;
  return std::make_unique<FfmpegMediaReader>();
}

}  // namespace zarnel
