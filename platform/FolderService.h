#pragma once
// The shell's folders: the roots the folder tree starts from, bounded
// listings of a folder's entries, and the file operations of the browser's
// context menu. A listing never blocks the caller for longer than its time
// limit, so that a slow or vanished network mount cannot freeze the window.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

// One entry of a folder.
struct FolderEntry {
  std::string name;        // file name without folder
  bool folder = false;     // a directory (after following a symbolic link)
  bool hidden = false;     // a dot file
  bool link = false;       // a shortcut: a symbolic link on Linux, a ".lnk" on Windows
  std::string target;      // a link's resolved target path; empty when it cannot be resolved
  int64_t size = -1;       // bytes of the file (of a link's target); -1 when unknown
};

// A folder's listing: ok is false when the folder cannot be opened or did
// not answer within the time limit; entries holds what was read.
struct FolderListing {
  bool ok = false;
  std::vector<FolderEntry> entries;
};

// Kinds of root, for their icons.
enum class FolderRootKind : int32_t { kHome = 0, kFileSystem = 1, kRemovable = 2, kOptical = 3, kNetwork = 4 };

struct FolderRoot {
  std::string path;         // full path of the folder
  std::string displayName;  // what the tree shows
  FolderRootKind kind = FolderRootKind::kFileSystem;
};

// Thread: any one thread at a time, normally the UI thread.
class FolderService {
 public:
  virtual ~FolderService() = default;
  // Return: the roots below the desktop, in the shell's order: the user's
  // home folder, the file system root, then each mounted removable,
  // optical or network medium.
  virtual std::vector<FolderRoot> roots() = 0;
  // Return: path's entries ("." and ".." left out), unsorted; waits at most
  // timeoutMs for a folder that does not answer.
  virtual FolderListing list(const std::string& path, int32_t timeoutMs) = 0;
  // Return: whether path names an existing folder.
  virtual bool isFolder(const std::string& path) = 0;
  // The context menu's file operations; none of them replaces an existing
  // file (rename, copy and move fail when the name is taken).
  // Return: true when done.
  virtual bool renameFile(const std::string& from, const std::string& to) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  // Copies or moves path into folder, keeping its file name.
  virtual bool copyFile(const std::string& path, const std::string& folder) = 0;
  virtual bool moveFile(const std::string& path, const std::string& folder) = 0;
  // Renames from to to, replacing a file already there in one step, so that
  // a reader sees the old file or the new one, never a part (a rewritten
  // scan list). Return: true when done; the default does nothing.
  virtual bool replaceFile(const std::string& /*from*/, const std::string& /*to*/) { return false; }
  // Opens path with the user's editor (the saved history). Return: started.
  virtual bool openForEditing(const std::string&) { return false; }
  // The separator of paths on this platform.
  virtual char separator() const { return '/'; }
};

// Longest wait for one folder's listing on the UI thread.
inline constexpr int32_t kFolderListTimeoutMs = 1500;

}  // namespace zarnel
