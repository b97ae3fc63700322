#include "platform/posix/PosixMounts.h"

#include <algorithm>
#include <array>

namespace zarnel {

namespace {

constexpr std::array<std::string_view, 3> kMediaFolders = {"/media/", "/run/media/", "/mnt/"};
constexpr std::array<std::string_view, 2> kOpticalTypes = {"iso9660", "udf"};
constexpr std::array<std::string_view, 9> kNetworkTypes = {"nfs", "nfs4",       "cifs",        "smb3", "smbfs",
                                                           "9p",  "fuse.sshfs", "fuse.rclone", "davfs"};
constexpr std::array<std::string_view, 26> kPseudoTypes = {
    "proc",       "sysfs",      "devtmpfs", "devpts",      "tmpfs",
    "ramfs",      "cgroup",     "cgroup2",  "securityfs",  "pstore",
    "bpf",        "debugfs",    "tracefs",  "mqueue",      "hugetlbfs",
    "configfs",   "fusectl",    "autofs",   "binfmt_misc", "nsfs",
    "efivarfs",   "rpc_pipefs", "squashfs", "overlay",     "fuse.gvfsd-fuse",
    "fuse.portal"};

template <size_t N>
bool oneOf(std::string_view value, const std::array<std::string_view, N>& set) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

bool underMediaFolder(std::string_view point) {
  return std::any_of(kMediaFolders.begin(), kMediaFolders.end(), [&](std::string_view folder) {
    return point.size() > folder.size() && point.starts_with(folder);
  });
}

FolderRootKind kindOf(std::string_view type) {
  if (oneOf(type, kOpticalTypes)) return FolderRootKind::kOptical;
  if (oneOf(type, kNetworkTypes)) return FolderRootKind::kNetwork;
  return FolderRootKind::kRemovable;
}

bool isMedium(std::string_view point, std::string_view type) {
  if (oneOf(type, kPseudoTypes)) return false;
  if (underMediaFolder(point)) return true;
  return oneOf(type, kOpticalTypes) || oneOf(type, kNetworkTypes) || type.starts_with("fuse");
}

// Return: the next blank-separated field of line from at, at moved past it.
std::string_view nextField(std::string_view line, size_t& at) {
  size_t start = line.find_first_not_of(" \t", at);
  if (start == std::string_view::npos) {
    at = line.size();
    return {};
  }
  size_t end = std::min(line.find_first_of(" \t", start), line.size());
  at = end;
  return line.substr(start, end - start);
}

std::string lastName(const std::string& point) {
  std::string trimmed = point;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  size_t slash = trimmed.rfind('/');
  std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  return name.empty() ? trimmed : name;
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

std::string decodeMountField(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && isOctal(text[i + 1]) && isOctal(text[i + 2]) &&
        isOctal(text[i + 3])) {
      out.push_back(char(((text[i + 1] - '0') << 6) | ((text[i + 2] - '0') << 3) | (text[i + 3] - '0')));
      i += 3;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

std::vector<FolderRoot> parseMountTable(std::string_view table, const std::vector<std::string>& excluded) {
  std::vector<FolderRoot> roots;
  for (size_t at = 0; at < table.size();) {
    size_t end = std::min(table.find('\n', at), table.size());
    std::string_view line = table.substr(at, end - at);
    at = end + 1;
    size_t field = 0;
    nextField(line, field);  // the device
    std::string point = decodeMountField(nextField(line, field));
    std::string_view type = nextField(line, field);
    if (point.size() < 2 || point[0] != '/' || type.empty() || !isMedium(point, type)) continue;
    if (std::find(excluded.begin(), excluded.end(), point) != excluded.end()) continue;
    bool seen = std::any_of(roots.begin(), roots.end(), [&](const FolderRoot& r) { return r.path == point; });
    if (!seen) roots.push_back({point, lastName(point), kindOf(type)});
  }
  return roots;
}

}  // namespace zarnel
