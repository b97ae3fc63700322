// The program's entry on Linux: the Linux services, the SDL window system,
// the localised texts, then the run.

#include "app/TextLookup.h"
#include "app/Startup.h"
#include "platform/posix/PosixPlatform.h"
#include "platform/posix/SdlWindowSystem.h"

int main() {
  zarnel::PosixPlatform platform;
  zarnel::SdlWindowSystem windows;
  zarnel::LocalisedTexts texts(platform.services().files);
  return zarnel::runZarnel(platform.services(), windows, texts);
}
