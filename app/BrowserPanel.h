#pragma once
// The browser panel: the six pages in the skin's browser zone, their
// elements (lists, folder tree, search field, option rows, panel buttons
// and sliders), the side panes that slide open under the pointer, and the
// hand-over of the search field's text to the scan list. The mouse reaches
// the elements through the browser view's resolver; the view asks the panel
// to draw.

#include <array>
#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/PanelLayout.h"
#include "app/PaneSplitter.h"
#include "skin/AreaWidgets.h"
#include "skin/BrowserList.h"
#include "skin/ContextMenu.h"
#include "skin/FolderTree.h"
#include "skin/OptionRow.h"
#include "skin/PanelButton.h"
#include "skin/PanelSlider.h"
#include "skin/SampleDisplay.h"
#include "skin/SearchField.h"

namespace zarnel {

class FolderService;
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
  // The lists, the tree, the buttons and the menu, with what they act on;
  // without hosts the pages hold only the search field and the options.
  FolderService* folders = nullptr;
  BrowserListHost* listHost = nullptr;
  FolderTreeHost* treeHost = nullptr;
  PanelButtonHost* buttonHost = nullptr;
  ContextMenuHost* menuHost = nullptr;
  BandSizes* bands = nullptr;
  std::vector<ListItem>* playlist = nullptr;  // the playlist's items, shown by the playlist list
  // The database list shows the scan list's items as the search leaves them.
  std::function<std::vector<ListItem>()> databaseItems;
  // A sample volume (parameter 0..11) or effect parameter slider (12 + 3
  // slot + k) moved to value 0..4096.
  std::function<void(int32_t parameter, int32_t value)> sliderMoved;
  // The record page's text: the recorder's state, empty without one.
  std::function<std::string()> recordStatus;
  // The sample slots' names, states and presses; null: the samples page
  // shows empty boxes.
  SampleDisplayHost* samples = nullptr;
};

// Panel button ids.
namespace panelbutton {
constexpr int32_t kLockTree = 0, kLockPlaylist = 1, kFavourite = 2, kScanHd = 3, kScanCd = 4, kDeleteCd = 5;
constexpr int32_t kAutoMix = 6, kShuffle = 7, kNewOnly = 8, kLoadPlaylist = 9, kSavePlaylist = 10;
constexpr int32_t kRecord = 11, kCut = 12, kLoadSample = 42, kLoadEffect = 64;
}  // namespace panelbutton

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
  // Redraws the record page when its text changed. Display refresh.
  void refreshRecordStatus();
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
  FolderTree* tree() { return tree_.get(); }
  BrowserList* fileList() { return files_.get(); }
  BrowserList* playlistList() { return playlist_.get(); }
  BrowserList* databaseList() { return database_.get(); }
  ContextMenu* menu() { return menu_.get(); }
  // Return: the panel button with id, or null.
  PanelButton* button(int32_t id);
  // The scan list's search changed: the database list shows what it shows.
  void reloadDatabase();
  // Return: the list or tree under (x, y) on the page shown, or null.
  Widget* listAt(int32_t x, int32_t y);
  OptionRow* optionRow(int32_t row) { return row < int32_t(rows_.size()) ? rows_[row].get() : nullptr; }
  // Return: the display of sample slot 0..11, or null.
  SampleDisplay* sampleDisplay(int32_t slot);
  // Return: the slider of parameter i (0..11 the sample volumes), or null.
  PanelSlider* slider(int32_t i) { return i >= 0 && i < int32_t(sliders_.size()) ? sliders_[size_t(i)].get() : nullptr; }
  // Draws the display of slot again when the samples page is shown.
  void redrawSample(int32_t slot);

  // SearchHost
  void startCaretTimer(int32_t id, int32_t periodMs) override;
  void stopCaretTimer(int32_t id) override;
  void showTextCursor(bool on) override;
  std::string translateKey(int32_t key) override;
  void searchTextChanged(const std::string& text) override;

 private:
  void build();
  void buildLists(const BrowserLook& look);
  void buildButtons(const BrowserLook& look);
  void layout();
  void layoutPanes(const SkinRect& treePane, const SkinRect& playlistPane);
  void layoutMediaPages();
  void place(Widget* w, const SkinRect& r);
  void dragSplitter(int32_t pane, int32_t x, bool released);
  void sliderMoved(int32_t parameter, int32_t value);
  void layoutOptions();
  void drawFrame() const;
  void drawPageDecor();
  void drawRecordStatus();
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
  std::unique_ptr<FolderTree> tree_;
  std::unique_ptr<BrowserList> files_, playlist_, database_;
  std::unique_ptr<ContextMenu> menu_;
  std::vector<std::unique_ptr<PanelButton>> buttons_;
  std::vector<std::unique_ptr<PanelSlider>> sliders_;  // 12 sample volumes, then 6 x 3 effect parameters
  std::unique_ptr<PaneSplitter> splitters_[2];
  std::array<SkinRect, 12> sampleDisplays_{};
  std::vector<std::unique_ptr<SampleDisplay>> sampleViews_;  // with a samples host only
  std::array<SkinRect, 6> effectAreas_{};
  SkinRect recordArea_{};
  std::string recordShown_;  // the record text last drawn
  std::vector<std::unique_ptr<OptionRow>> rows_;
  SkinRect panesArea_[2];
};

}  // namespace zarnel
