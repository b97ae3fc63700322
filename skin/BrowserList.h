#pragma once
// A browser list: the file list, the playlist list or the database list.
// Rows of list items under a heading row of sortable, resizable columns,
// with status icons, selection, keys, a scroll bar, and dragging rows out.
//
// Items: the list shows a std::vector<ListItem>. By default it owns one; the
// playlist list is attached to the playlist's own vector (attach), so that
// the playlist keeps the one copy of its items. Whoever changes an attached
// vector from outside calls itemsChanged() before the list is drawn or
// used again.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "library/ListItem.h"
#include "skin/AreaWidgets.h"
#include "skin/ListScrollBar.h"
#include "skin/Widget.h"

namespace zarnel {

class BrowserList;
struct TrackEntry;

enum class ListKind : int32_t { kFiles = 0, kPlaylist = 1, kDatabase = 2 };

// The shared column weights ("BandSizes"): files 0..3, playlist 4..7,
// database 8..13, each list's in 1/1024 of its text columns' width.
inline constexpr int32_t kBandCount = 14;
using BandSizes = std::array<int32_t, kBandCount>;

// Virtual-key codes the lists and the tree handle.
namespace listkey {
constexpr int32_t kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr int32_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;
constexpr int32_t kExecute = 0x2B, kInsert = 0x2D, kDelete = 0x2E;
}  // namespace listkey

// Modifier bits of the mouse key-state word.
inline constexpr int32_t kMouseShift = 0x0004;
inline constexpr int32_t kMouseControl = 0x0008;

// Pointer travel (pixels, either axis) that turns a press on a row into a drag.
inline constexpr int32_t kDragThreshold = 4;
// Distance from a column border within which the heading sizes columns.
inline constexpr int32_t kBorderGrab = 8;

// What a list asks of the browser panel. UI thread.
class BrowserListHost : public RepeatTimer {
 public:
  // Return: the track-store entry of item, or null. Asked once per item.
  virtual TrackEntry* findEntry(const ListItem& item) = 0;
  // Return: whether item was played in this run (the play history).
  virtual bool playedThisRun(const ListItem& item) = 0;
  // The right button on row index of the file or database list, at (x, y).
  virtual void openContextMenu(BrowserList& list, size_t index, int32_t x, int32_t y) = 0;
  // A double click on the playlist-file item at index of the playlist list.
  virtual void expandPlaylistFile(BrowserList& list, size_t index) = 0;
  // A double click on another row: place the selected items on a desk.
  virtual void placeSelected(BrowserList& list) = 0;
  // Rows are dragged: items, in list order, were taken out of the playlist
  // list or copied from another list. dragMoved follows the pointer (the
  // drag cursor); dragDropped is the release, where the host places them.
  virtual void beginDrag(BrowserList& list, std::vector<ListItem> items) = 0;
  virtual void dragMoved(BrowserList& list, int32_t x, int32_t y) = 0;
  virtual void dragDropped(BrowserList& list, int32_t x, int32_t y) = 0;
  // The pointer shows the column sizing cursor (on) or the arrow.
  virtual void showSizingCursor(bool) {}
  // The list's items were removed, moved out or reordered by the list.
  virtual void listChanged(BrowserList&) {}
  // Any press on the list (it becomes the list the keys and actions act on).
  virtual void listClicked(BrowserList&) {}
};

// UI thread.
class BrowserList : public Widget, public RepeatClient {
 public:
  // Pre: host and bands outlive the list. Invalid weights of this list in
  // bands are reset.
  BrowserList(ListKind kind, BrowserListHost& host, BandSizes& bands, const BrowserLook& look);
  ~BrowserList() override;

  ListKind kind() const { return kind_; }
  int32_t columnCount() const { return kind_ == ListKind::kDatabase ? 6 : 4; }
  int32_t bandStart() const { return int32_t(kind_) * 4; }
  // The column headings, one per column (the "Columns" texts).
  void setHeadings(std::vector<std::string> headings) { headings_ = std::move(headings); }
  void setLook(const BrowserLook& look) { look_ = look; }

  // The items shown: the list's own vector, or the attached one (null
  // returns to its own).
  std::vector<ListItem>& items() { return *items_; }
  const std::vector<ListItem>& items() const { return *items_; }
  void attach(std::vector<ListItem>* external);
  // Replaces the items; cursor, anchor and scrolling start over.
  void setItems(std::vector<ListItem> items);
  // A folder's files: the items ordered by status (equal values keep their
  // order) and the sort reset to status, direction +1.
  void showFolderFiles(std::vector<ListItem> items);
  // Inserts items before index (at the end past it), selected, and redraws.
  void insertItems(size_t before, std::vector<ListItem> items);
  // The items changed from outside: cursor, anchor and scrolling are kept
  // in range, and the list is redrawn.
  void itemsChanged();
  // Return: copies of the selected items in list order.
  std::vector<ListItem> selectedItems() const;
  // The weights in bands changed from outside (settings): checks them.
  void bandsChanged();

  // Return: the item index under (x, y), or -1 (heading, bar, empty rows).
  int64_t indexAt(int32_t x, int32_t y) const;
  int64_t cursor() const { return cursor_; }
  int64_t anchor() const { return anchor_; }
  int64_t firstVisible() const { return first_; }
  int32_t visibleRows() const;
  int32_t rowHeight() const;
  int32_t headingHeight() const;
  int32_t sortKey() const { return sortKey_; }
  int32_t sortDirection() const { return sortDir_; }
  const ListScrollBar& scrollBar() const { return bar_; }
  // Return: the x of the left edge of text column c (c = count: the right
  // end of the last column).
  int32_t columnLeft(int32_t c) const;

  // Selection as a press does: plain selects only index and makes it the
  // anchor; control toggles it; shift selects anchor..index only.
  void selectRow(size_t index, int32_t mods);
  // Sorts on heading cell (0 status, 1.. the columns) as a click does.
  void sortOnCell(int32_t cell);
  // A key (listkey codes). Return: whether the list used it.
  bool key(int32_t code);
  // Scrolls so that row index is visible.
  void scrollIntoView(int64_t index);
  void scrollTo(int64_t first);

  void draw() override;
  void mouseDown(int32_t x, int32_t y, int32_t keys) override;
  void mouseMove(int32_t x, int32_t y, int32_t keys) override;
  void mouseUp(int32_t x, int32_t y, int32_t keys) override;
  void hover(int32_t x, int32_t y, int32_t change) override;
  void wheel(int32_t x, int32_t y, int32_t keys, int32_t steps) override;
  void setRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void repeatTick() override;

 private:
  enum class Press { kNone, kBar, kCell, kBorder, kRow };
  // The status icons' cell, left of the text columns.
  static constexpr int32_t kStatusCell = 20;

  int32_t* weights() { return bands_.data() + bandStart(); }
  const int32_t* weights() const { return bands_.data() + bandStart(); }
  void checkWeights();
  void resetWeightsEvenly();
  // Geometry.
  SkinRect inner() const;
  int32_t rowsTop() const { return inner().y + headingHeight(); }
  int32_t textWidth() const;
  void layoutBar();
  int32_t cellAt(int32_t x) const;
  int32_t borderAt(int32_t x) const;
  bool inHeading(int32_t y) const;
  // Entries and status.
  void ensureEntry(ListItem& item);
  int32_t statusOf(ListItem& item);
  void sortItemsBy(int32_t key, int32_t direction);
  // Mouse parts.
  void pressBar(int32_t x, int32_t y);
  void pressHeading(int32_t x, int32_t keys);
  void pressRow(int32_t index, int32_t x, int32_t y, int32_t keys);
  void dragBorder(int32_t x);
  void startDrag();
  void removeSelected();
  void clampIndices();
  // Drawing parts (BrowserListPaint.cpp).
  void paintHeading(PanelPainter& p);
  void paintRows(PanelPainter& p);
  void paintRow(PanelPainter& p, size_t index, int32_t top);
  int32_t lineHeight() const;

  ListKind kind_;
  BrowserListHost& host_;
  BandSizes& bands_;
  BrowserLook look_;
  std::vector<std::string> headings_;
  std::vector<ListItem> own_;
  std::vector<ListItem>* items_ = &own_;
  int64_t first_ = 0, cursor_ = -1, anchor_ = -1;
  int32_t sortKey_ = -1, sortDir_ = 1;
  ListScrollBar bar_;
  Press press_ = Press::kNone;
  int32_t pressedCell_ = -1, border_ = -1;
  int64_t pressIndex_ = -1;
  int32_t pressX_ = 0, pressY_ = 0;
  bool deferredSelect_ = false, dragging_ = false, sizing_ = false;
};

}  // namespace zarnel
