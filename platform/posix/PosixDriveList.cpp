#include "platform/posix/PosixDriveList.h"

#include <sys/stat.h>

#include <cstring>

#include "platform/posix/SgioCdDrive.h"

namespace zarnel {

namespace {

constexpr char kRootLetter = 'C';
constexpr char kFirstOpticalLetter = 'D';

bool isDevice(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(path.c_str(), &info) == 0 &&
         (S_ISBLK(info.st_mode) || S_ISCHR(info.st_mode));
}

std::string rootOf(char letter) { return std::string(1, letter) + ":\\"; }

// Return: the upper-case letter of a drive root "X:\" or "X:/", else 0.
char rootLetter(const char* path) {
  if (std::strlen(path) != 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return 0;
  const char c = path[0];
  if (c >= 'a' && c <= 'z') return char(c - 'a' + 'A');
  return (c >= 'A' && c <= 'Z') ? c : 0;
}

}  // namespace

std::vector<std::string> PosixDriveList::logicalDrives() {
  std::vector<std::string> roots{rootOf(kRootLetter)};
  std::vector<std::string> devices;
  for (char letter = kFirstOpticalLetter; letter <= 'Z'; ++letter) {
    const std::string device = SgioCdDrive::devicePath(letter);
    if (!isDevice(device)) continue;
    bool seen = false;
    for (const std::string& d : devices) seen = seen || d == device;
    if (seen) continue;
    devices.push_back(device);
    roots.push_back(rootOf(letter));
  }
  return roots;
}

DriveType PosixDriveList::driveType(const char* path) {
  if (std::strcmp(path, "/") == 0) return DriveType::kFixed;
  const char letter = rootLetter(path);
  if (letter == 0) return DriveType::kNoRootDir;
  if (letter == kRootLetter) return DriveType::kFixed;
  for (const std::string& root : logicalDrives())
    if (root[0] == letter) return DriveType::kCdRom;
  return DriveType::kNoRootDir;
}

}  // namespace zarnel
