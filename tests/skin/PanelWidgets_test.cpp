#include <gtest/gtest.h>

#include "skin/ContextMenu.h"
#include "skin/PanelButton.h"
#include "skin/PanelSlider.h"
#include "skin/support/BrowserTestKit.h"
#include "skin/support/GoldenImage.h"

namespace zarnel {
namespace {

TEST(PanelSlider, KnobAndValueFormulas) {
  EXPECT_EQ(panelKnobTop(100, 0), 174);
  EXPECT_EQ(panelKnobTop(100, 4096), 101);
  EXPECT_EQ(panelKnobTop(100, 2048), 100 + 74 - 36);
  EXPECT_EQ(panelSliderValueAt(100, 0, 183), 0);
  EXPECT_EQ(panelSliderValueAt(100, 0, 110), 4096);
  EXPECT_EQ(panelSliderValueAt(100, 0, 150), (33 * 4096) / 73);
  EXPECT_EQ(panelSliderValueAt(100, 3, 150), (30 * 4096) / 73);
  EXPECT_EQ(panelSliderValueAt(100, 0, 300), 0);  // limited
  EXPECT_EQ(panelSliderValueAt(100, 0, -50), 4096);
}

TEST(PanelSlider, APressOnTheKnobKeepsItsOffsetAndEveryChangeIsReported) {
  std::vector<std::pair<int32_t, int32_t>> calls;
  PanelSlider slider(3, [&](int32_t v, int32_t p) { calls.emplace_back(v, p); }, {});
  slider.setRect(10, 100, 29, 90);
  slider.setValue(2048);
  EXPECT_TRUE(calls.empty());  // set from outside: no callback
  // The reference is at 100 + 83 - 36 = 147; a press 5 below keeps g = -5.
  slider.mouseDown(20, 152, keys::kLeft);
  EXPECT_EQ(slider.grab(), -5);
  EXPECT_TRUE(calls.empty());
  slider.mouseMove(20, 142, keys::kLeft);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], std::make_pair(panelSliderValueAt(100, -5, 142), 3));
  slider.mouseMove(20, 142, keys::kLeft);  // no change, no call
  EXPECT_EQ(calls.size(), 1u);
  slider.mouseUp(20, 142, keys::kLeft);
  // Far from the knob: g = 0 and the value jumps to the pointer.
  slider.mouseDown(20, 183, keys::kLeft);
  EXPECT_EQ(slider.grab(), 0);
  EXPECT_EQ(slider.value(), 0);
  slider.mouseMove(20, 500, keys::kLeft);
  EXPECT_EQ(slider.value(), 0);
}

struct Actions : PanelButtonHost {
  std::vector<int32_t> ids;
  void panelAction(int32_t id) override { ids.push_back(id); }
};

TEST(PanelButton, StatesAndTheActionOnRelease) {
  test::PanelRig rig(60, 60);
  Actions actions;
  PanelButton lock(0, actions, test::defaultBrowserLook());
  lock.bind(&rig.context);
  lock.setRect(10, 10, 26, 26);
  EXPECT_EQ(lock.stateRow(), 0);
  lock.hover(12, 12, 1);
  EXPECT_EQ(lock.stateRow(), 2);
  lock.mouseDown(12, 12, keys::kLeft);
  EXPECT_EQ(lock.stateRow(), 1);
  EXPECT_TRUE(actions.ids.empty());
  lock.mouseUp(12, 12, keys::kLeft);
  EXPECT_EQ(actions.ids, (std::vector<int32_t>{0}));
  lock.setOn(true);
  EXPECT_EQ(lock.stateRow(), 5);
  lock.hover(50, 50, -1);
  EXPECT_EQ(lock.stateRow(), 3);
  // Drawn from its cell: the picture's pixel at the centre of state row 3.
  EXPECT_EQ(rig.at(23, 23), rig.panel.pixels[size_t(3 * 26 + 13) * 800 + 13]);
  lock.mouseDown(12, 12, keys::kLeft);
  EXPECT_EQ(lock.stateRow(), 4);
  lock.mouseUp(200, 200, keys::kLeft);  // released elsewhere: abandoned
  EXPECT_EQ(actions.ids.size(), 1u);

  PanelButton shuffle(7, actions, {});
  shuffle.setOn(true);  // not a toggle: no "on" images
  EXPECT_EQ(shuffle.stateRow(), 0);
  EXPECT_EQ(panelButtonColumn(12), 11);
  EXPECT_EQ(panelButtonColumn(45), 12);
  EXPECT_EQ(panelButtonColumn(66), 12);
  EXPECT_EQ(panelButtonColumn(30), -1);
}

struct MenuHost : ContextMenuHost {
  std::vector<int32_t> chosen;
  int32_t closed = 0;
  void menuChosen(int32_t id) override { chosen.push_back(id); }
  void menuClosed() override { ++closed; }
};

std::vector<MenuEntry> menuOne() {
  return {{1, "Rename"},     {2, "Edit comment"}, {3, "Edit BPM"}, {8, "Unmark status"}, {0, ""}, {4, "Delete"},
          {5, "Move to..."}, {6, "Copy to..."},   {0, ""},         {7, "Analyse"}};
}

TEST(ContextMenu, ChoosesClosesAndRestoresWhatWasUnder) {
  test::PanelRig rig(300, 300);
  MenuHost host;
  ContextMenu menu(host, test::defaultBrowserLook());
  menu.bind(&rig.context);
  const std::vector<uint32_t> before = rig.back;
  menu.open(250, 20, menuOne());
  ASSERT_TRUE(menu.isOpen());
  EXPECT_LE(menu.rect().right() + 4, 300);  // moved left into the window
  EXPECT_TRUE(menu.hitTest(5, 5));          // takes every press while open
  const SkinRect r = menu.rect();
  const int32_t itemH = (r.height - 8 - 2 * 9) / 8;
  // Over "Edit comment", then released there.
  menu.mouseMove(r.x + 20, r.y + 4 + itemH + 3, keys::kLeft);
  EXPECT_EQ(menu.highlighted(), 1);
  menu.mouseDown(r.x + 20, r.y + 4 + itemH + 3, keys::kLeft);
  menu.mouseUp(r.x + 20, r.y + 4 + itemH + 3, keys::kLeft);
  EXPECT_EQ(host.chosen, (std::vector<int32_t>{2}));
  EXPECT_FALSE(menu.isOpen());
  EXPECT_EQ(rig.back, before);
  // A separator chooses nothing; a click outside closes; Escape closes.
  menu.open(10, 10, menuOne());
  menu.mouseUp(menu.rect().x + 20, menu.rect().y + 4 + 4 * itemH + 4, keys::kLeft);
  EXPECT_TRUE(menu.isOpen());
  menu.mouseDown(290, 290, keys::kLeft);
  EXPECT_FALSE(menu.isOpen());
  menu.open(10, 10, menuOne());
  EXPECT_TRUE(menu.key(menukey::kUp));  // from none: the last item
  EXPECT_EQ(menu.highlighted(), 9);
  EXPECT_TRUE(menu.key(menukey::kEscape));
  EXPECT_FALSE(menu.isOpen());
  EXPECT_EQ(host.chosen.size(), 1u);
  EXPECT_EQ(host.closed, 3);
  EXPECT_EQ(rig.back, before);
}

TEST(ContextMenuGolden, TheMenuOverTheList) {
  test::PanelRig rig(220, 240);
  for (int32_t y = 0; y < 240; ++y)
    for (int32_t x = 0; x < 220; ++x) rig.back[size_t(y) * 220 + x] = (y / 16) % 2 ? 0x1E2128 : 0x1A1D23;
  MenuHost host;
  ContextMenu menu(host, test::defaultBrowserLook());
  menu.bind(&rig.context);
  menu.open(20, 10, menuOne());
  menu.mouseMove(menu.rect().x + 30, menu.rect().y + 4 + 3 * 19 + 5, 0);
  EXPECT_TRUE(test::matchesGolden("context-menu", rig.back.data(), rig.width, rig.height));
}

}  // namespace
}  // namespace zarnel
