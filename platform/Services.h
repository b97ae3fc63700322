#pragma once
// The platform services a backend provides to the program.

namespace zarnel {

class FileSystem;
class MediaLibrary;
class CdAccess;
class SoundSystem;
class SystemMixer;
class ThreadControl;
class Registry;
class DriveList;
class FontService;
class LocalClock;
class FolderService;
class DialogService;
class DynamicLibraries;

// Borrowed pointers; the backend owns the services for the whole run.
struct PlatformServices {
  FileSystem* files = nullptr;
  MediaLibrary* media = nullptr;
  CdAccess* cd = nullptr;
  SoundSystem* sound = nullptr;
  SystemMixer* mixer = nullptr;
  ThreadControl* threads = nullptr;
  Registry* registry = nullptr;
  DriveList* drives = nullptr;
  FontService* fonts = nullptr;  // none: the program draws with its built-in font
  const LocalClock* clock = nullptr;  // none: the standard library's local time
  FolderService* folders = nullptr;
  DialogService* dialogs = nullptr;
  DynamicLibraries* libraries = nullptr;  // broadcast plug-ins
};

}  // namespace zarnel
