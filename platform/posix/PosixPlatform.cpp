#include "platform/posix/PosixPlatform.h"

namespace zarnel {

PlatformServices PosixPlatform::services() {
  PlatformServices services;
  services.files = &files_;
  services.media = &media_;
  services.cd = &cd_;
  services.sound = &sound_;
  services.mixer = &mixer_;
  services.threads = &threads_;
  services.registry = &registry_;
  services.drives = &drives_;
  services.fonts = &fonts_;
  services.folders = &folders_;
  services.dialogs = &dialogs_;
  services.libraries = &libraries_;
  return services;
}

}  // namespace zarnel
