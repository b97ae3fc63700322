#include "platform/posix/PosixFolderService.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/posix/PosixFileOps.h"
#include "platform/posix/PosixMounts.h"

namespace zarnel {

// One listing: the caller waits on it, the worker fills it.
struct PosixFolderService::Job {
  explicit Job(std::string p) : path(std::move(p)) {}
  const std::string path;
  std::mutex lock;
  std::condition_variable answered;
  bool done = false;
  FolderListing listing;
};

// A thread that runs the listings handed to it one at a time. Once given up
// (its listing timed out) it ends after that listing.
struct PosixFolderService::Worker {
  std::mutex lock;
  std::condition_variable wake;
  std::shared_ptr<Job> job;
  bool quit = false;
  std::thread thread;
};

namespace {

using Worker = PosixFolderService::Worker;
using Job = PosixFolderService::Job;

void runWorker(std::shared_ptr<Worker> worker) {
  for (;;) {
    std::shared_ptr<Job> job;
    {
      std::unique_lock<std::mutex> hold(worker->lock);
      worker->wake.wait(hold, [&] { return worker->quit || worker->job; });
      if (!worker->job) return;
      job = std::move(worker->job);
    }
    FolderListing listing = readFolder(job->path);
    {
      std::lock_guard<std::mutex> hold(job->lock);
      job->listing = std::move(listing);
      job->done = true;
    }
    job->answered.notify_all();
    std::lock_guard<std::mutex> hold(worker->lock);
    if (worker->quit) return;
  }
}

bool jobDone(Job& job) {
  std::lock_guard<std::mutex> hold(job.lock);
  return job.done;
}

// Fills entry from the file's lstat, following a link for its target's
// kind and size.
void describe(int folderFd, const std::string& folderPath, FolderEntry& entry) {
  struct stat info;
  if (::fstatat(folderFd, entry.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (S_ISLNK(info.st_mode)) {
    entry.link = true;
    std::string full = folderPath + (folderPath.ends_with('/') ? "" : "/") + entry.name;
    char resolved[PATH_MAX];
    if (::realpath(full.c_str(), resolved) != nullptr) entry.target = resolved;
    if (::fstatat(folderFd, entry.name.c_str(), &info, 0) != 0) return;
  }
  entry.folder = S_ISDIR(info.st_mode);
  if (S_ISREG(info.st_mode)) entry.size = int64_t(info.st_size);
}

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const struct passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
}

}  // namespace

FolderListing readFolder(const std::string& path) {
  FolderListing listing;
  DIR* dir = ::opendir(path.c_str());
  if (dir == nullptr) return listing;
  listing.ok = true;
  const int fd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    const struct dirent* item = ::readdir(dir);
    if (item == nullptr) {
      listing.ok = errno == 0;
      break;
    }
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    entry.hidden = name[0] == '.';
    describe(fd, path, entry);
    listing.entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  return listing;
}

PosixFolderService::PosixFolderService() = default;

PosixFolderService::~PosixFolderService() {
  if (!worker_) return;
  {
    std::lock_guard<std::mutex> hold(worker_->lock);
    worker_->quit = true;
  }
  worker_->wake.notify_all();
  // The current worker is idle: every listing handed to it was answered.
  worker_->thread.join();
}

std::vector<FolderRoot> PosixFolderService::roots() {
  const std::string home = homeFolder();
  std::vector<FolderRoot> roots{{home, "Home", FolderRootKind::kHome},
                                {"/", "File System", FolderRootKind::kFileSystem}};
  std::string table;
  if (readSmallFile("/proc/self/mounts", table)) {
    for (FolderRoot& medium : parseMountTable(table, {home})) roots.push_back(std::move(medium));
  }
  return roots;
}

std::shared_ptr<PosixFolderService::Worker> PosixFolderService::worker() {
  if (!worker_) {
    worker_ = std::make_shared<Worker>();
    worker_->thread = std::thread(runWorker, worker_);
  }
  return worker_;
}

void PosixFolderService::abandonWorker() {
  {
    std::lock_guard<std::mutex> hold(worker_->lock);
    worker_->quit = true;
  }
  worker_->thread.detach();
  worker_.reset();
}

size_t PosixFolderService::stuckListings() {
  std::erase_if(stuck_, [](const std::shared_ptr<Job>& job) { return jobDone(*job); });
  return stuck_.size();
}

FolderListing PosixFolderService::list(const std::string& path, int32_t timeoutMs) {
  if (stuckListings() >= kMaxStuckListings) return {};
  for (const std::shared_ptr<Job>& job : stuck_)
    if (job->path == path) return {};
  auto job = std::make_shared<Job>(path);
  std::shared_ptr<Worker> runner = worker();
  {
    std::lock_guard<std::mutex> hold(runner->lock);
    runner->job = job;
  }
  runner->wake.notify_all();
  std::unique_lock<std::mutex> hold(job->lock);
  if (job->answered.wait_for(hold, std::chrono::milliseconds(std::max(timeoutMs, 0)), [&] { return job->done; }))
    return std::move(job->listing);
  hold.unlock();
  stuck_.push_back(std::move(job));
  abandonWorker();
  return {};
}

bool PosixFolderService::isFolder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFolderService::renameFile(const std::string& from, const std::string& to) {
  return placeWithoutReplacing(from, to) == 0;
}

bool PosixFolderService::deleteFile(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool PosixFolderService::copyFile(const std::string& path, const std::string& folder) {
  return copyIntoFolder(path, folder);
}

bool PosixFolderService::moveFile(const std::string& path, const std::string& folder) {
  const std::string dest = destinationIn(path, folder);
  if (dest.empty()) return false;
  const int result = placeWithoutReplacing(path, dest);
  if (result != EXDEV) return result == 0;
  return copyIntoFolder(path, folder) && deleteFile(path);
}

bool PosixFolderService::replaceFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFolderService::openForEditing(const std::string& path) { return spawnDetached("xdg-open", path); }

}  // namespace zarnel
