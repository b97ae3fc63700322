#include "platform/virtual/VirtualFolderService.h"

#include <algorithm>

#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {

VirtualFolderService::VirtualFolderService(char separator) : separator_(separator) {}

std::string VirtualFolderService::parentOf(const std::string& path) const {
  std::string trimmed = path;
  if (trimmed.size() > 1 && trimmed.back() == separator_) trimmed.pop_back();
  const size_t cut = trimmed.rfind(separator_);
  if (cut == std::string::npos || cut + 1 == path.size()) return {};
  std::string parent = trimmed.substr(0, cut);
  // A root keeps its separator: "/" and "C:\".
  if (parent.empty() || parent.back() == ':') parent += separator_;
  return parent;
}

std::string VirtualFolderService::nameOf(const std::string& path) const {
  const size_t cut = path.rfind(separator_);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string VirtualFolderService::join(const std::string& folder, const std::string& name) const {
  if (!folder.empty() && folder.back() == separator_) return folder + name;
  return folder + separator_ + name;
}

VirtualFolderService::Node& VirtualFolderService::ensure(const std::string& path, bool folder) {
  auto found = nodes_.find(path);
  if (found != nodes_.end()) return found->second;
  const std::string parent = parentOf(path);
  if (!parent.empty()) ensure(parent, true).children.push_back(nameOf(path));
  Node& node = nodes_[path];
  node.folder = folder;
  return node;
}

void VirtualFolderService::addFolder(const std::string& path) { ensure(path, true); }

void VirtualFolderService::addFile(const std::string& path, int64_t size) { ensure(path, false).size = size; }

void VirtualFolderService::addLink(const std::string& path, const std::string& target) {
  Node& node = ensure(path, false);
  node.link = true;
  node.target = target;
}

void VirtualFolderService::neverAnswers(const std::string& path) { ensure(path, true).hangs = true; }

FolderEntry VirtualFolderService::entryOf(const std::string& folder, const std::string& name) const {
  FolderEntry entry;
  entry.name = name;
  entry.hidden = !name.empty() && name[0] == '.';
  const Node& node = nodes_.at(join(folder, name));
  const Node* described = &node;
  if (node.link) {
    entry.link = true;
    auto target = nodes_.find(node.target);
    if (target == nodes_.end()) return entry;
    entry.target = node.target;
    described = &target->second;
  }
  entry.folder = described->folder;
  if (!described->folder) entry.size = described->size;
  return entry;
}

FolderListing VirtualFolderService::list(const std::string& path, int32_t) {
  ++listings_;
  FolderListing listing;
  auto found = nodes_.find(path);
  if (found == nodes_.end() || !found->second.folder) return listing;
  if (found->second.hangs) {
    ++unanswered_;
    return listing;
  }
  listing.ok = true;
  for (const std::string& name : found->second.children) listing.entries.push_back(entryOf(path, name));
  return listing;
}

bool VirtualFolderService::isFolder(const std::string& path) {
  auto found = nodes_.find(path);
  return found != nodes_.end() && found->second.folder;
}

bool VirtualFolderService::isFile(const std::string& path) const {
  auto found = nodes_.find(path);
  return found != nodes_.end() && !found->second.folder;
}

void VirtualFolderService::detach(const std::string& path) {
  auto parent = nodes_.find(parentOf(path));
  if (parent != nodes_.end()) std::erase(parent->second.children, nameOf(path));
  nodes_.erase(path);
}

bool VirtualFolderService::renameFile(const std::string& from, const std::string& to) {
  if (!isFile(from) || nodes_.count(to) != 0 || !isFolder(parentOf(to))) return false;
  Node moved = nodes_.at(from);
  detach(from);
  ensure(to, false) = moved;
  return true;
}

bool VirtualFolderService::deleteFile(const std::string& path) {
  if (files_ != nullptr && files_->exists(path)) {
    files_->remove(path);
    return true;
  }
  if (!isFile(path)) return false;
  detach(path);
  return true;
}

bool VirtualFolderService::copyFile(const std::string& path, const std::string& folder) {
  const std::string dest = join(folder, nameOf(path));
  if (!isFile(path) || !isFolder(folder) || nodes_.count(dest) != 0) return false;
  Node copy = nodes_.at(path);
  ensure(dest, false) = copy;
  return true;
}

bool VirtualFolderService::moveFile(const std::string& path, const std::string& folder) {
  return isFolder(folder) && renameFile(path, join(folder, nameOf(path)));
}

bool VirtualFolderService::replaceFile(const std::string& from, const std::string& to) {
  if (files_ != nullptr && files_->exists(from)) {
    files_->put(to, files_->bytes(from));
    files_->remove(from);
    return true;
  }
  if (!isFile(from) || isFolder(to)) return false;
  if (nodes_.count(to) != 0) detach(to);
  return renameFile(from, to);
}

}  // namespace zarnel
