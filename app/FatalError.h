#pragma once
// The process-wide index of the fatal start-up error to show when the
// program ends: an index into the localised "Errors" texts, 0 for none.

#include <cstdint>

namespace zarnel {

// Each code is also the slot of its text in the "Errors" section; slot 0
// holds the start message shown on an empty desk.
enum FatalErrorCode : int32_t {
  kErrorNone = 0,
  kErrorBadMp3 = 1,
  kErrorBadFile = 2,
  kErrorConfig = 3,
  kErrorExplorer = 4,
  kErrorDesktop = 5,
  kErrorMultiThread = 6,
  kErrorInitGraf = 7,
  kErrorLoadGraf = 8,
  kErrorGdi = 9,
  kErrorGdiInit = 10,
  kErrorDirectDraw = 11,
  kErrorDirectSound = 12,
  kErrorDirectSoundUsed = 13,
  kErrorDirectSoundMemory = 14,
  kErrorMemory = 15,
  kErrorFile = 16,
  kErrorCreateFile = 17,
  kErrorDataBase = 18,
  kErrorSkin = 19,
  kErrorInstall = 20,
  kErrorReport = 21,
  kErrorBadCd = 22,
  kErrorWdm = 23,
  kErrorCount = 24,
};

// Return: the first failure since the last clear, 0 for none.
int32_t fatalError();
// Records code unless an earlier failure is kept. UI thread.
void setFatalError(int32_t code);
void clearFatalError();

}  // namespace zarnel
