#pragma once
// The process-wide index of the fatal start-up error to show when the
// program ends: an index into the localised "Errors" texts, 0 for none.

#include <cstdint>

namespace zarnel {

enum FatalErrorCode : int32_t {
  kErrorNone = 0,
  kErrorMultiThread = 6,
  kErrorDirectSound = 12,
  kErrorDirectSoundUsed = 13,
  kErrorDirectSoundMemory = 14,
  kErrorWdm = 23,
};

// Return: the first failure since the last clear, 0 for none.
int32_t fatalError();
// Records code unless an earlier failure is kept. UI thread.
void setFatalError(int32_t code);
void clearFatalError();

}  // namespace zarnel
