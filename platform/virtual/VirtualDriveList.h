#pragma once
// A configurable list of logical drives.

#include <string>
#include <utility>
#include <vector>

#include "platform/DriveList.h"

namespace zarnel {

// Single-threaded, like the tests using it.
class VirtualDriveList : public DriveList {
 public:
  // Appends a drive with its root path (for example "D:\\").
  void addDrive(std::string root, DriveType type) { drives_.emplace_back(std::move(root), type); }
  void clear() { drives_.clear(); }

  // Return: the roots in the order they were added.
  std::vector<std::string> logicalDrives() override;
  // Return: the type of the drive whose root equals path without regard to
  // case, else kNoRootDir.
  DriveType driveType(const char* path) override;

 private:
  std::vector<std::pair<std::string, DriveType>> drives_;
};

}  // namespace zarnel
