#include "platform/posix/PosixPlatform.h"

namespace zarnel {

PlatformServices PosixPlatform::services() {
  PlatformServices services;
  services.files = &files_;
  services.media = &media_;
  services.cd = &cd_;
  return services;
}

}  // namespace zarnel
