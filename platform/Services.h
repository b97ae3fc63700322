#pragma once
// The platform services a backend provides to the program.

namespace zarnel {

class FileSystem;
class MediaLibrary;
class CdAccess;

// Borrowed pointers; the backend owns the services for the whole run.
struct PlatformServices {
  FileSystem* files = nullptr;
  MediaLibrary* media = nullptr;
  CdAccess* cd = nullptr;
};

}  // namespace zarnel
