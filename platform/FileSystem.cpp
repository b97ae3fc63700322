#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/AudioThread.h"
#include "platform/ByteFile.h"
#include "platform/WritableFile.h"

namespace zarnel {

LockedFile FileSystem::openLocked(const char* path, bool create, int32_t waitMs) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  LockedFile opened = tryOpenLocked(path, create);
  for (int32_t waited = 0; opened.state == WriteLock::kBusy && waited < waitMs;) {
    const int32_t pause = std::min(kWriterLockPollMs, waitMs - waited);
    pauseBetweenTries(pause);
    waited += pause;
    opened = tryOpenLocked(path, create);
  }
  return opened;
}

std::unique_ptr<WritableFile> FileSystem::openReadWrite(const char* path, bool create) {
  return openLocked(path, create, 0).file;
}

LockedFile FileSystem::tryOpenLocked(const char*, bool) { return {}; }

void FileSystem::pauseBetweenTries(int32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace zarnel
