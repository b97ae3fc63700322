#pragma once
// The media reader library on Linux: FFmpeg, linked at build time.

#include "platform/MediaReader.h"

namespace zarnel {

// Hands out FfmpegMediaReader objects. Thread: UI thread.
class FfmpegMediaLibrary : public MediaLibrary {
 public:
  // Return: true when the program was built with FFmpeg; false otherwise, so
  // that Windows Media files fail to open as when the library is missing.
  bool load() override;
  // Post: createSyncReader returns null until the next load.
  void unload() override;
  // Return: a new reader, or null when load() has not succeeded.
  std::unique_ptr<MediaReader> createSyncReader() override;

 private:
  bool loaded_ = false;
};

}  // namespace zarnel
