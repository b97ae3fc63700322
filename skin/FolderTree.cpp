#include "skin/FolderTree.h"

#include <algorithm>

#include "library/FolderFiles.h"
#include "platform/FolderService.h"
#include "skin/BrowserList.h"  // listkey
#include "skin/ListColumns.h"  // compareNoCase
#include "skin/TextRenderer.h"

namespace zarnel {
namespace {

FolderIcon iconOfRoot(FolderRootKind kind) {
  switch (kind) {
    case FolderRootKind::kHome:
      return FolderIcon::kHome;
    case FolderRootKind::kRemovable:
      return FolderIcon::kRemovable;
    case FolderRootKind::kOptical:
      return FolderIcon::kOptical;
    case FolderRootKind::kNetwork:
      return FolderIcon::kNetwork;
    default:
      return FolderIcon::kFileSystem;
  }
}

// The last part of a path, for the favourite root's name.
std::string lastName(const std::string& path) {
  std::string_view p = path;
  while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.remove_suffix(1);
  const size_t cut = p.find_last_of("/\\");
  if (cut == std::string_view::npos || p.size() == 1) return std::string(p);
  return std::string(p.substr(cut + 1));
}

}  // namespace

FolderTree::FolderTree(FolderService& folders, FolderTreeHost& host, const BrowserLook& look)
    : folders_(folders), host_(host), look_(look) {}

FolderTree::~FolderTree() {
  if (bar_.repeating()) host_.stopRepeat(*this);
}

std::unique_ptr<FolderNode> FolderTree::makeRoot(std::string name, std::string path, FolderIcon icon) {
  auto node = std::make_unique<FolderNode>();
  node->name = std::move(name);
  node->path = std::move(path);
  node->icon = icon;
  return node;
}

void FolderTree::build(const std::string& favourite) {
  selected_ = nullptr;
  rows_.clear();
  roots_.clear();
  first_ = 0;
  favourite_ = favourite;
  for (FolderRoot& root : folders_.roots())
    roots_.push_back(makeRoot(std::move(root.displayName), std::move(root.path), iconOfRoot(root.kind)));
  FolderNode* favouriteNode = nullptr;
  if (!favourite.empty() && folders_.isFolder(favourite)) {
    roots_.push_back(makeRoot(lastName(favourite), favourite, FolderIcon::kFavourite));
    favouriteNode = roots_.back().get();
  }
  rebuildRows();
  if (favouriteNode) {
    expand(*favouriteNode);
    select(*favouriteNode, true);
  } else if (!roots_.empty()) {
    selected_ = roots_.front().get();
  }
  draw();
}

void FolderTree::setAsFavourite() {
  if (!selected_) return;
  const std::string path = selected_->path;
  host_.favouriteChanged(path);
  build(path);
}

// ---- Expanding and collapsing ----

bool FolderTree::expand(FolderNode& node) {
  if (node.expanded || !node.hasSubfolders) return false;
  host_.showWaitCursor(true);
  const FolderListing listing = folders_.list(node.path, kFolderListTimeoutMs);
  host_.showWaitCursor(false);
  if (!listing.ok) return false;  // unreadable or not answering: stays collapsed, may be tried again
  std::vector<const FolderEntry*> folders;
  for (const FolderEntry& e : listing.entries)
    if (e.folder && !e.hidden) folders.push_back(&e);
  std::stable_sort(folders.begin(), folders.end(), [](const FolderEntry* a, const FolderEntry* b) {
    const int32_t c = compareNoCase(a->name, b->name);
    return c != 0 ? c < 0 : a->name < b->name;
  });
  node.children.clear();
  for (const FolderEntry* e : folders) {
    auto child = std::make_unique<FolderNode>();
    child->name = e->name;
    child->path = joinPath(node.path, e->name, folders_.separator());
    child->depth = node.depth + 1;
    child->parent = &node;
    node.children.push_back(std::move(child));
  }
  node.hasSubfolders = !node.children.empty();
  node.expanded = node.hasSubfolders;
  rebuildRows();
  draw();
  return node.expanded;
}

void FolderTree::collapse(FolderNode& node) {
  if (!node.expanded) return;
  // The selection must not outlive its node: inside the collapsed folder it
  // moves to that folder. The file list stays as it is.
  for (const FolderNode* n = selected_; n; n = n->parent) {
    if (n->parent == &node) {
      selected_ = &node;
      break;
    }
  }
  node.children.clear();
  node.expanded = false;
  rebuildRows();
  draw();
}

void FolderTree::toggle(FolderNode& node) {
  if (node.expanded) {
    collapse(node);
  } else {
    expand(node);
  }
}

void FolderTree::select(FolderNode& node, bool list) {
  selected_ = &node;
  if (list) host_.folderSelected(node.path);
  draw();
}

void FolderTree::rebuildRows() {
  rows_.clear();
  for (auto& root : roots_) addRows(*root);
  layoutBar();
  first_ = std::clamp<int64_t>(first_, 0, bar_.maxFirst());
  layoutBar();
}

void FolderTree::addRows(FolderNode& node) {
  rows_.push_back(&node);
  if (!node.expanded) return;
  for (auto& child : node.children) addRows(*child);
}

int64_t FolderTree::rowOf(const FolderNode* node) const {
  const auto it = std::find(rows_.begin(), rows_.end(), node);
  return it == rows_.end() ? -1 : int64_t(it - rows_.begin());
}

// ---- Keys ----

bool FolderTree::key(int32_t code) {
  if (rows_.empty()) return false;
  const int64_t at = rowOf(selected_);
  FolderNode* target = selected_;
  switch (code) {
    case listkey::kHome:
      target = roots_.front().get();
      break;
    case listkey::kUp:
      target = rows_[size_t(std::max<int64_t>(at - 1, 0))];
      break;
    case listkey::kDown:
      target = rows_[size_t(std::min<int64_t>(at + 1, int64_t(rows_.size()) - 1))];
      break;
    case listkey::kLeft:
    case listkey::kInsert:
      if (selected_) collapse(*selected_);
      break;
    case listkey::kRight:
    case listkey::kExecute:
      if (selected_) expand(*selected_);
      break;
    default:
      return false;
  }
  if (!target) return true;
  selected_ = target;
  scrollIntoView(rowOf(target));
  host_.folderSelected(target->path);
  draw();
  return true;
}

// ---- Geometry and scrolling ----

int32_t FolderTree::lineHeight() const {
  const TextRenderer* text = textRenderer();
  return text ? std::max(1, text->measure(look_.listFont, "Ag").height) : std::max(1, look_.listFont.height);
}

int32_t FolderTree::rowHeight() const { return std::max(lineHeight() + 5, 18); }

SkinRect FolderTree::inner() const {
  const SkinRect& r = rect();
  return {r.x + 1, r.y + 1, std::max(0, r.width - 2), std::max(0, r.height - 2)};
}

int32_t FolderTree::visibleRows() const { return std::max(0, inner().height / rowHeight()); }

void FolderTree::layoutBar() {
  const SkinRect in = inner();
  bar_.setRect({in.right() - kScrollBarWidth, in.y, kScrollBarWidth, in.height});
  bar_.setRange(int64_t(rows_.size()), visibleRows(), first_);
}

void FolderTree::scrollTo(int64_t first) {
  first = std::clamp<int64_t>(first, 0, std::max<int64_t>(0, int64_t(rows_.size()) - visibleRows()));
  if (first == first_) return;
  first_ = first;
  layoutBar();
  draw();
}

void FolderTree::scrollIntoView(int64_t row) {
  if (row < 0) return;
  const int64_t rows = std::max(1, visibleRows());
  if (row < first_) first_ = row;
  if (row >= first_ + rows) first_ = row - rows + 1;
  layoutBar();
}

void FolderTree::setRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  Widget::setRect(x, y, width, height);
  rebuildRows();
}

}  // namespace zarnel
