#include "platform/virtual/VirtualWindowSystem.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

TEST(VirtualWindow, RecordsPresentedRectanglesClippedToTheWindow) {
  VirtualWindowSystem windows;
  auto window = windows.createWindow(WindowSpec{"ZARNEL", "", 10, 20, 100, 50});
  auto& w = static_cast<VirtualWindow&>(*window);
  const WindowRect rects[3] = {{90, 40, 30, 30}, {-5, -5, 10, 10}, {200, 0, 5, 5}};
  w.presentRects(rects, 3);
  EXPECT_EQ(w.rectPresents(), 1);
  ASSERT_EQ(w.presentedRects().size(), 2u);  // the third lies outside
  EXPECT_EQ(w.presentedRects()[0].width, 10);
  EXPECT_EQ(w.presentedRects()[0].height, 10);
  EXPECT_EQ(w.presentedRects()[1].x, 0);
  EXPECT_EQ(w.presentedRects()[1].width, 5);
  EXPECT_EQ(w.presented(), 0);  // no full present
}

TEST(VirtualWindow, MovesCapturesWarpsShapesAndFullScreen) {
  VirtualWindowSystem windows;
  auto window = windows.createWindow(WindowSpec{"ZARNELT", "", 10, 20, 4, 2, true});
  auto& w = static_cast<VirtualWindow&>(*window);
  w.moveBy(5, -3);
  EXPECT_EQ(w.screenX(), 15);
  EXPECT_EQ(w.screenY(), 17);
  EXPECT_EQ(windows.history().back().spec.x, 15);
  w.captureMouse(true);
  EXPECT_TRUE(w.captured());
  w.warpMouse(3, 1);
  ASSERT_EQ(w.warps().size(), 1u);
  EXPECT_EQ(w.warps()[0].x, 3);
  EXPECT_FALSE(w.setShape({1, 0, 1}));  // not the window's size
  EXPECT_TRUE(w.setShape({1, 1, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(w.shape().size(), 8u);
  EXPECT_TRUE(w.setShape({}));
  EXPECT_TRUE(w.shape().empty());
  EXPECT_TRUE(w.setFullScreen(true));
  EXPECT_TRUE(w.fullScreen());
  w.setFullScreen(false);
  w.refuseFullScreen(true);
  EXPECT_FALSE(w.setFullScreen(true));
  EXPECT_FALSE(w.fullScreen());
}

}  // namespace
}  // namespace zarnel
