#include "platform/virtual/VirtualDriveList.h"

#include "platform/TextCase.h"

namespace zarnel {

std::vector<std::string> VirtualDriveList::logicalDrives() {
  std::vector<std::string> roots;
  for (const auto& drive : drives_) roots.push_back(drive.first);
  return roots;
}

DriveType VirtualDriveList::driveType(const char* path) {
  for (const auto& drive : drives_)
    if (equalNoCase(drive.first, path)) return drive.second;
  return DriveType::kNoRootDir;
}

}  // namespace zarnel
