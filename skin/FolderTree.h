#pragma once
// The folder tree of the audio-files page: the shell's roots (home, the file
// system, mounted media) and the favourite folder as a last root, expanded
// on demand. Selecting a folder asks the host to list its files.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/AreaWidgets.h"
#include "skin/ListScrollBar.h"
#include "skin/Widget.h"

namespace zarnel {

class FolderService;

// A node's icon; 0..6 are the panel picture's folder icons at (406 + 16 i,
// 40), the favourite root shows the favourite star instead.
enum class FolderIcon : int32_t {
  kFolder = 0,
  kOpenFolder = 1,
  kHome = 2,
  kFileSystem = 3,
  kOptical = 4,
  kRemovable = 5,
  kNetwork = 6,
  kFavourite = 7,
};

// One folder of the tree, owned by its parent (a root by the tree).
struct FolderNode {
  std::string name;  // what the row shows
  std::string path;
  FolderIcon icon = FolderIcon::kFolder;
  bool hasSubfolders = true;  // not known before the first expansion: assumed
  bool expanded = false;      // the children are loaded and shown
  int32_t depth = 0;
  FolderNode* parent = nullptr;
  std::vector<std::unique_ptr<FolderNode>> children;
};

// What the tree asks of the browser panel. UI thread.
class FolderTreeHost : public RepeatTimer {
 public:
  // The selected folder's files go into the file list (see folderFiles).
  virtual void folderSelected(const std::string& path) = 0;
  // "Set as favourite folder" chose path; the host stores it at exit.
  virtual void favouriteChanged(const std::string&) {}
  // The wait cursor while a folder is read.
  virtual void showWaitCursor(bool) {}
  // Any press on the tree (the keys then go to the tree).
  virtual void treeClicked() {}
};

// UI thread.
class FolderTree : public Widget, public RepeatClient {
 public:
  // Pre: folders and host outlive the tree.
  FolderTree(FolderService& folders, FolderTreeHost& host, const BrowserLook& look);
  ~FolderTree() override;

  // Empties the tree and builds the roots, then the favourite (when it is a
  // folder) as the last root: expanded, selected and listed.
  void build(const std::string& favourite);
  // The selected folder becomes the favourite and the tree is built again.
  void setAsFavourite();
  const std::string& favourite() const { return favourite_; }
  void setLook(const BrowserLook& look) { look_ = look; }

  const std::vector<std::unique_ptr<FolderNode>>& roots() const { return roots_; }
  // The rows shown when scrolled to the top: every node whose parents are
  // all expanded, in tree order.
  const std::vector<FolderNode*>& rows() const { return rows_; }
  FolderNode* selected() const { return selected_; }
  int64_t firstVisible() const { return first_; }
  int32_t visibleRows() const;
  int32_t rowHeight() const;
  const ListScrollBar& scrollBar() const { return bar_; }

  // Loads and shows node's sub-folders. Return: false when node has none or
  // its folder cannot be read (it stays collapsed).
  bool expand(FolderNode& node);
  // Frees node's descendants; a selection among them moves to node.
  void collapse(FolderNode& node);
  void toggle(FolderNode& node);
  // Selects node; list asks the host to list its files.
  void select(FolderNode& node, bool list);
  // A key (listkey codes). Return: whether the tree used it.
  bool key(int32_t code);
  void scrollIntoView(int64_t row);
  void scrollTo(int64_t first);

  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void wheel(int32_t x, int32_t y, int32_t keys, int32_t steps) override;
  void setRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void repeatTick() override;

 private:
  std::unique_ptr<FolderNode> makeRoot(std::string name, std::string path, FolderIcon icon);
  void rebuildRows();
  void addRows(FolderNode& node);
  int64_t rowOf(const FolderNode* node) const;
  SkinRect inner() const;
  void layoutBar();
  int32_t indentOf(const FolderNode& node) const;
  int32_t nameWidth(const FolderNode& node) const;
  int32_t lineHeight() const;
  void paintRow(PanelPainter& p, const FolderNode& node, int32_t top);

  FolderService& folders_;
  FolderTreeHost& host_;
  BrowserLook look_;
  std::string favourite_;
  std::vector<std::unique_ptr<FolderNode>> roots_;
  std::vector<FolderNode*> rows_;
  FolderNode* selected_ = nullptr;
  int64_t first_ = 0;
  ListScrollBar bar_;
  bool barPressed_ = false;
};

}  // namespace zarnel
