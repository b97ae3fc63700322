#include "skin/Renderer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/FatalError.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "platform/virtual/VirtualWindowSystem.h"
#include "skin/support/FakeDisplay.h"
#include "skin/support/GoldenImage.h"
#include "skin/support/RenderTestSkin.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

const std::string kHome = "/zarnel";

// A renderer over a virtual window, with the doubles of the skin tests.
struct Rig {
  VirtualFileSystem files;
  VirtualWindowSystem windows;
  std::unique_ptr<Window> window = windows.createWindow(WindowSpec{"ZARNEL", "Zarnel", 0, 0, 800, 600});
  test::FakeHost host;
  test::RecordingSink sink;
  test::FakeDesks reader;
  test::FakeDisplay desks;
  Renderer renderer{host};

  Rig() { clearFatalError(); }
  ~Rig() {
    renderer.stop();
    clearFatalError();
  }
  VirtualWindow& virtualWindow() { return static_cast<VirtualWindow&>(*window); }
  bool start(const std::string& name, bool thread = false) {
    return renderer.loadSkin(files, kHome, name) &&
           renderer.start(*window, RendererLinks{&sink, &reader, &desks}, thread);
  }
  // Desk 2 plays (the playing desk, desk 1 being active), half-way through a
  // two-minute track; its curve rises across the view, desk 1's stays low.
  void playingState() {
    desks.plays[0] = true;
    desks.positions[0] = 0.5f;
    desks.lengths[0] = 120;
    desks.active = 1;
    reader.meters[0] = desks.meters[0] = 3000;
    for (int32_t i = 0; i < 200; ++i) desks.curves[0].push_back(i * 39 / 199);
    desks.curves[1] = {12, 12, 12, 30};
  }
};

// Renders the skin name of files after a few refresh ticks and a rhythm
// frame, and compares the window with the reference golden.
testing::AssertionResult renderMatches(Rig& rig, const std::string& name, const std::string& golden) {
  if (!rig.start(name)) return testing::AssertionFailure() << "the skin did not load";
  for (int tick = 0; tick < 3; ++tick) rig.renderer.refresh();
  rig.renderer.drawRhythmFrame();
  return test::matchesGolden(golden, rig.window->backBuffer(), rig.window->width(), rig.window->height());
}

TEST(RendererGolden, TheTestSkinRendersAsItsReference) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  rig.playingState();
  EXPECT_TRUE(renderMatches(rig, "missing", "render-test-skin"));  // the fallback to "default"
  EXPECT_EQ(rig.window->width(), test::kRenderSkinWidth);
}

// The skin shipped in home/skins: a reference of its own once it exists.
TEST(RendererGolden, TheShippedDefaultSkinRendersAsItsReference) {
  Rig rig;
  if (!test::putShippedSkin(rig.files, kHome, "default")) GTEST_SKIP() << "no home/skins/default yet";
  rig.playingState();
  EXPECT_TRUE(renderMatches(rig, "default", "default-skin"));
}

TEST(Renderer, StartCopiesTheWindowAreaAndDrawsEveryWidgetAtOnce) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  ASSERT_TRUE(rig.start("default"));
  const uint32_t* back = rig.window->backBuffer();
  const int32_t w = rig.window->width();
  EXPECT_EQ(back[5 * w + 5], (5u * 255 / 239) << 16 | (5u * 255 / 119) << 8 | 0x40);  // background
  EXPECT_EQ(back[12 * w + 12], 0x2040A0u);  // the play button, up
  EXPECT_EQ(rig.virtualWindow().presented(), 1);
  EXPECT_TRUE(rig.renderer.surface()->takeInvalidated().empty());  // all of it went with the present
}

TEST(Renderer, NeitherTheChosenSkinNorTheDefaultLeavesErrorNineteen) {
  Rig rig;
  EXPECT_FALSE(rig.renderer.loadSkin(rig.files, kHome, "missing"));
  EXPECT_EQ(fatalError(), kErrorSkin);
  EXPECT_FALSE(rig.renderer.start(*rig.window, RendererLinks{}));
}

TEST(Renderer, RefreshPresentsOnlyTheMarkedRectangles) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  ASSERT_TRUE(rig.start("default"));
  rig.playingState();
  rig.renderer.refresh();
  const auto& rects = rig.virtualWindow().presentedRects();
  ASSERT_FALSE(rects.empty());
  int64_t area = 0;
  for (const WindowRect& r : rects) area += int64_t(r.width) * r.height;
  EXPECT_LT(area, int64_t(test::kRenderSkinWidth) * test::kRenderSkinHeight);
  EXPECT_EQ(rig.virtualWindow().presented(), 1);  // no full repaint
}

TEST(Renderer, RefreshIsSkippedDuringAWindowDrag) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  ASSERT_TRUE(rig.start("default"));
  rig.playingState();
  rig.renderer.mouse().buttonDown(225, 20, keys::kLeft, false, 0);  // no widget there
  ASSERT_TRUE(rig.renderer.mouse().dragging());
  rig.renderer.refresh();
  EXPECT_FALSE(rig.renderer.display().lastTickWasSlow());  // no tick ran
  EXPECT_EQ(rig.virtualWindow().rectPresents(), 0);
}

TEST(Renderer, ARhythmFrameIsPostedOnceUntilTheWindowPresentsIt) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  ASSERT_TRUE(rig.start("default"));
  rig.playingState();
  EXPECT_TRUE(rig.renderer.drawRhythmFrame());
  EXPECT_TRUE(rig.renderer.drawRhythmFrame());
  Message m;
  ASSERT_TRUE(rig.windows.peekMessage(m, 0));
  EXPECT_EQ(m.id, kRhythmFrameMessage);
  EXPECT_EQ(m.window, rig.window.get());
  EXPECT_FALSE(rig.windows.peekMessage(m, 0));  // not a second frame
  rig.renderer.presentRhythm();
  ASSERT_EQ(rig.virtualWindow().presentedRects().size(), 1u);
  const WindowRect r = rig.virtualWindow().presentedRects()[0];
  EXPECT_EQ(r.x, 10);
  EXPECT_EQ(r.y, 70);
  EXPECT_EQ(r.width, 200);
  EXPECT_EQ(r.height, 40);
  EXPECT_TRUE(rig.renderer.drawRhythmFrame());
  ASSERT_TRUE(rig.windows.peekMessage(m, 0));
  EXPECT_EQ(m.id, kRhythmFrameMessage);  // presented: the next frame posts again
}

TEST(Renderer, TheRhythmThreadDrawsUntilStopped) {
  Rig rig;
  test::putRenderSkin(rig.files, kHome, "default");
  rig.playingState();
  ASSERT_TRUE(rig.start("default", true));
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (rig.desks.curveCalls.load() < 4 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GE(rig.desks.curveCalls.load(), 4);  // two curves per frame
  rig.renderer.stop();
  const int32_t calls = rig.desks.curveCalls.load();
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(rig.desks.curveCalls.load(), calls);
  EXPECT_FALSE(rig.renderer.started());
}

}  // namespace
}  // namespace zarnel
