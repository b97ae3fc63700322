#include "app/Startup.h"

#include <cstdio>
#include <memory>

#include "app/App.h"
#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "app/SplashImage.h"

namespace zarnel {

namespace {

constexpr char kCaption[] = "Zarnel";
constexpr char kClassName[] = "ZARNEL";

struct Screen {
  int32_t width = 800, height = 600;
};

// A display narrower than 800 pixels, or one that cannot be read, counts as
// 800 by 600.
Screen readScreen(WindowSystem& windows) {
  Screen screen;
  int32_t w = 0, h = 0;
  if (windows.displaySize(w, h) && w >= 800) screen = Screen{w, h};
  return screen;
}

// Pumps messages until the splash has been up for kSplashMs.
void holdSplash(WindowSystem& windows, int64_t shownAt) {
  Message message;
  for (int64_t left = kSplashMs; left > 0; left = shownAt + kSplashMs - windows.nowMs()) {
    if (windows.peekMessage(message, int32_t(left))) windows.dispatch(message);
  }
}

void runLoop(WindowSystem& windows) {
  Message message;
  while (windows.getMessage(message)) windows.dispatch(message);
}

// The window's life, from the splash to the end of the message loop.
void runWindow(const PlatformServices& services, WindowSystem& windows, TextTable& texts) {
  const Screen screen = readScreen(windows);
  const SplashImage picture = makeSplashImage();
  std::unique_ptr<Window> splash =
      windows.createSplash(picture.image, picture.mask, (screen.width - kSplashWidth) / 2,
                           (screen.height - kSplashHeight) / 2);
  const int64_t shownAt = windows.nowMs();
  App app;
  MainWindow main(app, windows, services, texts);
  if (!main.create(WindowSpec{kClassName, kCaption, screen.width / 2 - 400, 0, 800, 600})) return;
  holdSplash(windows, shownAt);
  splash.reset();
  main.show();
  try {
    runLoop(windows);
  } catch (...) {
    // The set is lost: stop the sound and report, without writing settings.
    main.abandon();
    windows.messageBox(formatCrashReport(texts.errorText(kErrorReport), 0, 0), kCaption, MessageBoxKind::ok);
  }
}

}  // namespace

std::string formatCrashReport(const std::string& text, uint32_t address, uint32_t word) {
  std::string out;
  const uint32_t numbers[2] = {address, word};
  int used = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (used < 2 && text.compare(i, 2, "%x") == 0) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%x", numbers[used++]);
      out += hex;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

int runZarnel(const PlatformServices& services, WindowSystem& windows, TextTable& texts) {
  clearFatalError();
  if (!loadSettings(services)) {
    windows.messageBox("Installation Error", kCaption, MessageBoxKind::error);
    return 0;
  }
  texts.load(languageFilePath(settings().homeFolder));
  if (settings().multiInstance == 0 && !windows.claimInstance(kClassName)) {
    windows.messageBox(texts.text(TextSection::kOthers, kOtherMultiInstance), kCaption, MessageBoxKind::ok);
    texts.release();
    return -1;
  }
  clearFatalError();
  runWindow(services, windows, texts);
  windows.releaseInstance();
  if (fatalError() != kErrorNone)
    windows.messageBox(texts.errorText(fatalError()), kCaption, MessageBoxKind::error);
  texts.release();
  return 0;
}

}  // namespace zarnel
