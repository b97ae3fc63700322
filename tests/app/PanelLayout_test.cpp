#include "app/PanelLayout.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(PanelLayout, FilesPageSplitsByTheWeights) {
  const SkinRect zone{10, 400, 800, 200};
  // Both panes closed: the file list takes everything but the splitters.
  FilesPageLayout closed = layoutFilesPage(zone, 0, 0);
  EXPECT_EQ(closed.treePane.width, 12);
  EXPECT_EQ(closed.fileList.x, 22);
  EXPECT_EQ(closed.fileList.width, 776);
  EXPECT_EQ(closed.playlistPane.x, 798);
  EXPECT_EQ(closed.playlistPane.width, 12);
  // t = p = 256: S = 2 * 256 * 768 + 768 * 768; tree = 776 * 256 * 768 / S.
  FilesPageLayout open = layoutFilesPage(zone, 256, 256);
  const int64_t s = 256 * 768 * 2 + 768 * 768;
  EXPECT_EQ(open.treePane.width, 776 * 256 * 768 / s + 12);
  EXPECT_EQ(open.playlistPane.width, 776 * 256 * 768 / s + 12);
  EXPECT_EQ(open.treePane.width + open.fileList.width + open.playlistPane.width, 800);
  EXPECT_EQ(open.playlistPane.right(), zone.right());
  // Both at the full weight never divide by zero.
  FilesPageLayout full = layoutFilesPage(zone, 1024, 1024);
  EXPECT_EQ(full.treePane.width + full.fileList.width + full.playlistPane.width, 800);
}

TEST(PanelLayout, SearchPagePlacesButtonsFieldAndLists) {
  const SkinRect zone{0, 420, 800, 180};
  SearchPageLayout page = layoutSearchPage(zone, 512, 14);
  EXPECT_EQ(page.scanButtons[0].x, 8);
  EXPECT_EQ(page.scanButtons[1].x, 38);
  EXPECT_EQ(page.scanButtons[2].x, 68);
  EXPECT_EQ(page.scanButtons[2].y, 424);
  EXPECT_EQ(page.searchField.x, 200);
  EXPECT_EQ(page.searchField.width, 400);
  EXPECT_EQ(page.searchField.height, 18);
  EXPECT_EQ(page.searchField.y, 425);
  EXPECT_EQ(page.databaseList.y, 452);
  EXPECT_EQ(page.playlistPane.width, 394 + 12);
  EXPECT_EQ(page.databaseList.width + page.playlistPane.width, 800);
}

TEST(PanelLayout, SampleAndEffectSlots) {
  const SkinRect zone{0, 400, 780, 200};
  SampleSlotLayout s = layoutSampleSlot(zone, 2);  // column 65 wide, e = 195
  EXPECT_EQ(s.display.x, 134);
  EXPECT_EQ(s.display.width, 57);
  EXPECT_EQ(s.display.height, 68);
  EXPECT_EQ(s.loadButton.x, 165);
  EXPECT_EQ(s.loadButton.y, 476);
  EXPECT_EQ(s.slider.x, 164);
  EXPECT_EQ(s.slider.y, 506);

  const SkinRect wide{0, 0, 1300, 300};  // W / 13 = 100
  const int32_t offsets[6] = {0, 700, 200, 900, 400, 1100};
  for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(layoutEffectSlot(wide, i).offset, offsets[i]) << i;
  // A slot 100 pixels wide with three parameters: sliders at 3, 35 and 67.
  EffectSlotLayout slot;
  slot.offset = 40;
  slot.width = 100;
  EXPECT_EQ(effectSliderRect(wide, slot, 0, 3).x, 43);
  EXPECT_EQ(effectSliderRect(wide, slot, 1, 3).x, 75);
  EXPECT_EQ(effectSliderRect(wide, slot, 2, 3).x, 107);
}

TEST(SlidingPane, OpensAfterFiveTicksThenSlidesBySixtyFour) {
  SlidingPane pane;
  pane.start(300, false);
  EXPECT_EQ(pane.weight(), 0);
  pane.pointerEnters();
  for (int32_t i = 0; i < 5; ++i) EXPECT_FALSE(pane.tick()) << i;  // 100 ms at 20 ms a tick
  EXPECT_TRUE(pane.tick());
  EXPECT_EQ(pane.weight(), 64);
  while (pane.tick()) EXPECT_LE(pane.weight(), 300);
  EXPECT_EQ(pane.weight(), 300);
  EXPECT_TRUE(pane.settled());
  pane.pointerLeaves();
  EXPECT_FALSE(pane.tick());
  EXPECT_FALSE(pane.tick());
  EXPECT_TRUE(pane.tick());
  EXPECT_EQ(pane.weight(), 236);
}

TEST(SlidingPane, LockedPaneStaysOpenAndDragSetsTheSize) {
  SlidingPane pane;
  pane.start(400, true);
  EXPECT_EQ(pane.weight(), 400);
  pane.pointerLeaves();
  EXPECT_TRUE(pane.settled());
  pane.drag(5000);
  EXPECT_EQ(pane.weight(), 1023);
  pane.drag(200);
  pane.endDrag();
  EXPECT_EQ(pane.openSize(), 200);
  pane.setLocked(false);
  pane.pointerLeaves();
  pane.jumpToTarget();
  EXPECT_EQ(pane.weight(), 0);
}

}  // namespace
}  // namespace zarnel
