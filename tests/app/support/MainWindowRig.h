#pragma once
// A main window over the virtual platform, with a fixed clock and fixed
// texts, and the default skin replaced by a plain one unless a test puts
// the shipped skin in place.

#include <memory>
#include <string>

#include "app/App.h"
#include "app/FatalError.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "app/TextLookup.h"
#include "platform/LocalClock.h"
#include "platform/virtual/VirtualDialogService.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualFolderService.h"
#include "platform/virtual/VirtualRegistry.h"
#include "platform/virtual/VirtualSoundSystem.h"
#include "platform/virtual/VirtualThreadControl.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/SkinFiles.h"
#include "skin/support/RenderTestSkin.h"
#include "skin/support/SkinTestKit.h"
#include "support/WavBuilder.h"

namespace zarnel::test {

inline Message make(Window* w, uint32_t id, int32_t wparam = 0, int32_t lparam = 0) {
  Message m;
  m.window = w;
  m.id = id;
  m.wparam = wparam;
  m.lparam = lparam;
  return m;
}

struct FixedTexts : TextLookup {
  std::string text(TextSection section, int32_t slot) const override {
    return "text " + std::to_string(int(section)) + "/" + std::to_string(slot);
  }
  std::string errorText(int32_t index) const override { return "Errors/" + std::to_string(index); }
};

// The clock the zones show: fixed, so the reference images do not depend on
// the hour the tests run.
struct FixedClock : LocalClock {
  LocalTime now() const override { return LocalTime{21, 47, 5}; }
};

struct MainWindowRig {
  MainWindowRig() {
    settings().resetToDefaults();
    clearFatalError();
    registry.createKey("Software\\Zarnel");
    services.files = &files;
    services.sound = &sound;
    services.threads = &threads;
    services.registry = &registry;
    services.clock = &clock;
    services.folders = &folders;
    services.dialogs = &dialogs;
    // A home folder with two demo songs, as the folder tree and the lists see it.
    folders.setRoots({{"/home/dj", "Home", FolderRootKind::kHome}, {"/", "File System", FolderRootKind::kFileSystem}});
    folders.addFolder("/home/dj/Music");
    folders.addFolder("sample songs");
    for (const char* song : {"sample songs/Zarnel Demo - Deep Groove.wav", "sample songs/Zarnel Demo - Night Drive.wav"}) {
      files.put(song, test::makeWav({}, test::toBytes(test::stereoSine(44100 * 3, 330, 330, 6000))));
      folders.addFile(song, int64_t(files.bytes(song).size()));
    }
    folders.attachFiles(&files);
    files.put("a.wav", test::makeWav({}, test::toBytes(test::stereoSine(44100 * 5, 440, 440, 8000))));
    // The default skin: an 800 by 600 window with the browser alone.
    files.put(skinXmlPath(settings().homeFolder, "default"), test::textBytes(test::skinXml("")));
    files.put(skinBitmapPath(settings().homeFolder, "default"), test::makeBmp(test::solidImage(800, 600, 0x303030)));
    test::putRenderSkin(files, settings().homeFolder, "small");
    main = std::make_unique<MainWindow>(app, windows, services, texts);
  }
  bool create() { return main->create(WindowSpec{"ZARNEL", "Zarnel", 112, 0, 800, 600}); }

  VirtualFileSystem files;
  VirtualSoundSystem sound;
  VirtualThreadControl threads;
  VirtualRegistry registry;
  FixedClock clock;
  VirtualWindowSystem windows;
  VirtualFolderService folders;
  VirtualDialogService dialogs;
  PlatformServices services;
  FixedTexts texts;
  App app;
  std::unique_ptr<MainWindow> main;
  MainWindow& window() { return *main; }
};

}  // namespace zarnel::test
