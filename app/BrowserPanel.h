#pragma once
// The browser panel: the six pages in the skin's browser zone, their
// elements (lists, folder tree, search field, option rows, panel buttons
// and sliders), the side panes that slide open under the pointer, and the
// hand-over of the search field's text to the scan list. The mouse reaches
// the elements through the browser view's resolver; the view asks the panel
// to draw.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/PanelLayout.h"
#include "skin/AreaWidgets.h"
#include "skin/OptionRow.h"
#include "skin/SearchField.h"

namespace zarnel {

class Localisation;
class OptionTarget;
class ScanList;
struct Settings;

// Pages, in button order.
enum BrowserPageId : int32_t { kPageFiles, kPageSearch, kPageSamples, kPageEffects, kPageRecord, kPageOptions };
inline constexpr int32_t kBrowserPageCount = 6;
inline constexpr const char* kVersionText = "2.2";

// The window services the panel uses. UI thread.
class PanelWindow {
 public:
  virtual ~PanelWindow() = default;
  virtual void setTimer(int32_t id, int32_t periodMs) = 0;
  virtual void killTimer(int32_t id) = 0;
  virtual void showTextCursor(bool on) = 0;
  // Return: the characters key gives with the keyboard's state.
  virtual std::string translateKey(int32_t key) = 0;
};

// Borrowed; outlive the panel.
struct BrowserPanelLinks {
  PanelWindow* window = nullptr;
  const Localisation* texts = nullptr;
  Settings* settings = nullptr;
  OptionTarget* options = nullptr;
  ScanList* scanList = nullptr;  // null: the search filters nothing
};

// UI thread.
class BrowserPanel : public BrowserResolver, public SearchHost {
 public:
  explicit BrowserPanel(const BrowserPanelLinks& links);
  ~BrowserPanel() override;

  // Builds the pages in view's rectangle and binds every element to
  // context; replaces an earlier attachment. Pre: view and context outlive
  // detach().
  void attach(BrowserView& view, const WidgetContext& context);
  void detach();

  void showPage(int32_t page);
  int32_t page() const { return page_; }

  // BrowserResolver
  Widget* elementAt(int32_t x, int32_t y) override;
  bool drawContent() override;

  // The pointer is at (x, y) of the window: the side panes slide.
  void pointerAt(int32_t x, int32_t y);
  // Timer 176: one step of the panes. Return: whether the layout changed.
  bool paneTick();
  SlidingPane& pane(int32_t i) { return panes_[i]; }

  SearchField* searchField() { return search_.get(); }
  OptionRow* optionRow(int32_t row) { return row < int32_t(rows_.size()) ? rows_[row].get() : nullptr; }
  // Redraws every option row's value (after a setting changed elsewhere).
  void refreshOptions();

  // SearchHost
  void startCaretTimer(int32_t id, int32_t periodMs) override;
  void stopCaretTimer(int32_t id) override;
  void showTextCursor(bool on) override;
  std::string translateKey(int32_t key) override;
  void searchTextChanged(const std::string& text) override;

 private:
  void build();
  void layout();
  void layoutOptions();
  void drawFrame() const;
  void drawPageDecor() const;
  void redraw();
  std::vector<Widget*> elementsOf(int32_t page) const;
  bool panesSettled() const { return panes_[0].settled() && panes_[1].settled(); }

  BrowserPanelLinks links_;
  BrowserView* view_ = nullptr;
  const WidgetContext* context_ = nullptr;
  SkinRect zone_;
  int32_t page_ = kPageFiles;
  std::array<SlidingPane, 2> panes_;  // 0 the tree pane, 1 the playlist pane
  bool paneTimer_ = false;
  std::unique_ptr<SearchField> search_;
  std::vector<std::unique_ptr<OptionRow>> rows_;
  SkinRect panesArea_[2];
};

}  // namespace zarnel
