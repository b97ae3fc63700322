#pragma once
// The Linux backend: owns one of each platform service for the whole run.

#include "platform/Services.h"
#include "platform/posix/AlsaSystemMixer.h"
#include "platform/posix/FfmpegMediaLibrary.h"
#include "platform/posix/GtkDialogService.h"
#include "platform/posix/PosixDriveList.h"
#include "platform/posix/PosixDynamicLibraries.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixFolderService.h"
#include "platform/posix/PosixFontService.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/PosixThreadControl.h"
#include "platform/posix/SdlSoundSystem.h"
#include "platform/posix/SgioCdAccess.h"

namespace zarnel {

// Thread: created, queried and destroyed on the UI thread.
class PosixPlatform {
 public:
  PosixPlatform() = default;
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  // Return: pointers to this object's services, valid while it lives.
  PlatformServices services();

 private:
  PosixFileSystem files_;
  FfmpegMediaLibrary media_;
  SgioCdAccess cd_;
  SdlSoundSystem sound_;  // starts SDL's audio once for the process
  AlsaSystemMixer mixer_;
  PosixThreadControl threads_;
  PosixRegistry registry_;  // the settings file of the user's configuration folder
  PosixDriveList drives_;
  PosixFontService fonts_;
  PosixFolderService folders_;
  GtkDialogService dialogs_;  // starts GTK on the first dialog
  PosixDynamicLibraries libraries_;
};

}  // namespace zarnel
