#pragma once
// An in-memory folder tree for tests: folders, files with their sizes,
// links and folders that never answer, listed in the order they were added.
// Paths use the separator given at construction ("/" trees with the root
// "/", or "\" trees with drive roots such as "C:\").

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/FolderService.h"

namespace zarnel {

class VirtualFileSystem;

// Single-threaded, like the tests using it.
class VirtualFolderService : public FolderService {
 public:
  explicit VirtualFolderService(char separator = '/');

  // Adds a folder and any missing parents; a path ending in the separator
  // (a root such as "/" or "C:\") is a root folder.
  void addFolder(const std::string& path);
  // Adds a file (and its missing folders); size -1: not known.
  void addFile(const std::string& path, int64_t size);
  // Adds a link to target, which is resolved when listed (kind and size).
  void addLink(const std::string& path, const std::string& target);
  // Makes list(path) give ok=false at once, as for a folder that never answers.
  void neverAnswers(const std::string& path);
  // The roots the service returns.
  void setRoots(std::vector<FolderRoot> roots) { roots_ = std::move(roots); }
  // replaceFile and deleteFile then also act on the files of files (the
  // same disk seen as bytes).
  void attachFiles(VirtualFileSystem* files) { files_ = files; }

  // Return: how many listings were asked for, and how many did not answer.
  int32_t listings() const { return listings_; }
  int32_t unanswered() const { return unanswered_; }
  bool exists(const std::string& path) const { return nodes_.count(path) != 0; }

  std::vector<FolderRoot> roots() override { return roots_; }
  FolderListing list(const std::string& path, int32_t timeoutMs) override;
  bool isFolder(const std::string& path) override;
  bool renameFile(const std::string& from, const std::string& to) override;
  bool deleteFile(const std::string& path) override;
  bool copyFile(const std::string& path, const std::string& folder) override;
  bool moveFile(const std::string& path, const std::string& folder) override;
  bool replaceFile(const std::string& from, const std::string& to) override;
  char separator() const override { return separator_; }

 private:
  struct Node {
    bool folder = false;
    int64_t size = -1;
    bool link = false;
    std::string target;
    bool hangs = false;
    std::vector<std::string> children;  // names, in the order added
  };

  std::string parentOf(const std::string& path) const;
  std::string nameOf(const std::string& path) const;
  std::string join(const std::string& folder, const std::string& name) const;
  Node& ensure(const std::string& path, bool folder);
  void detach(const std::string& path);
  FolderEntry entryOf(const std::string& folder, const std::string& name) const;
  bool isFile(const std::string& path) const;

  char separator_;
  std::map<std::string, Node> nodes_;
  std::vector<FolderRoot> roots_;
  VirtualFileSystem* files_ = nullptr;
  int32_t listings_ = 0;
  int32_t unanswered_ = 0;
};

}  // namespace zarnel
