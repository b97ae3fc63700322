#include "platform/win32/Win32DriveList.h"

#include <windows.h>

#include <cstring>

namespace zarnel {

namespace {
constexpr DWORD kDriveStringBytes = 256;
}  // namespace

std::vector<std::string> Win32DriveList::logicalDrives() {
  char strings[kDriveStringBytes] = {};
  const DWORD used = GetLogicalDriveStringsA(kDriveStringBytes, strings);
  std::vector<std::string> roots;
  if (used == 0 || used >= kDriveStringBytes) return roots;  // failed, or asks for a larger buffer
  for (const char* root = strings; *root; root += std::strlen(root) + 1) roots.emplace_back(root);
  return roots;
}

DriveType Win32DriveList::driveType(const char* path) {
  const UINT type = GetDriveTypeA(path);
  return type <= DRIVE_RAMDISK ? DriveType(type) : DriveType::kUnknown;
}

}  // namespace zarnel
