#pragma once
// The mounted media the folder tree shows as roots of their own: removable
// disks, optical discs and network shares, read from the kernel's mount
// table (/proc/self/mounts).

#include <string>
#include <string_view>
#include <vector>

#include "platform/FolderService.h"

namespace zarnel {

// Return: one root per medium of the mount table text, in its order, each
// mount point once: mount points under /media, /run/media or /mnt, and any
// optical (iso9660, udf), network (nfs, cifs, smb, sshfs...) or other FUSE
// file system; pseudo file systems (proc, tmpfs, cgroup, squashfs...), "/"
// and the excluded paths are left out. The display name is the mount
// point's last folder name. Octal escapes ("\040" for a space) are decoded.
// Thread: any.
std::vector<FolderRoot> parseMountTable(std::string_view table, const std::vector<std::string>& excluded);

// Return: text with the mount table's octal escapes decoded.
std::string decodeMountField(std::string_view text);

}  // namespace zarnel
