#pragma once
// The shell's folders on Linux: the home folder, the file system root and
// the mounted media as roots; listings read by a worker thread so that a
// folder that hangs (a dead network mount, a disc spinning up) holds the
// caller for at most its time limit; file operations that never replace an
// existing file unasked.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/FolderService.h"

namespace zarnel {

// Thread: one thread at a time (the UI thread). Its worker threads share
// only reference-counted state with it, so a worker that stays stuck in the
// kernel after its caller gave up touches nothing that was freed.
class PosixFolderService : public FolderService {
 public:
  // Most listings left stuck at once; beyond them every listing is refused
  // until one of them ends.
  static constexpr size_t kMaxStuckListings = 8;

  PosixFolderService();
  ~PosixFolderService() override;
  PosixFolderService(const PosixFolderService&) = delete;
  PosixFolderService& operator=(const PosixFolderService&) = delete;

  // Return: "Home" ($HOME), "File System" ("/"), then the media of
  // /proc/self/mounts (parseMountTable).
  std::vector<FolderRoot> roots() override;
  // Return: the entries read by the worker; ok false when path cannot be
  // opened, did not answer within timeoutMs, or is a folder whose earlier
  // listing is still stuck (refused at once, without a new thread).
  FolderListing list(const std::string& path, int32_t timeoutMs) override;
  bool isFolder(const std::string& path) override;
  // Fails when to exists.
  bool renameFile(const std::string& from, const std::string& to) override;
  // Removes a file (not a folder).
  bool deleteFile(const std::string& path) override;
  // Copies through a temporary in folder renamed to the file's name; fails,
  // leaving nothing behind, when that name exists.
  bool copyFile(const std::string& path, const std::string& folder) override;
  // Renames into folder, or copies and deletes across file systems; fails
  // when the name exists there.
  bool moveFile(const std::string& path, const std::string& folder) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  // Starts xdg-open on path without waiting for it.
  bool openForEditing(const std::string& path) override;

  // Return: how many listings were given up and have not ended yet.
  size_t stuckListings();

  struct Worker;
  struct Job;

 private:
  std::shared_ptr<Worker> worker();
  void abandonWorker();

  std::shared_ptr<Worker> worker_;
  std::vector<std::shared_ptr<Job>> stuck_;
};

// Return: path's entries read now, on the calling thread; ok false when the
// folder cannot be opened or a read failed. Thread: any.
FolderListing readFolder(const std::string& path);

}  // namespace zarnel
