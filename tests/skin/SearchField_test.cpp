#include "skin/SearchField.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "skin/support/RecordingTextRenderer.h"
#include "skin/support/SkinTestKit.h"

namespace zarnel {
namespace {

struct FakeSearchHost : SearchHost {
  std::map<int32_t, int32_t> timers;  // running timers and their periods
  bool textCursor = false;
  std::vector<std::string> reported;
  void startCaretTimer(int32_t id, int32_t periodMs) override { timers[id] = periodMs; }
  void stopCaretTimer(int32_t id) override { timers.erase(id); }
  void showTextCursor(bool on) override { textCursor = on; }
  // Letters and digits give their lower-case character; 0x11 (Ctrl) none;
  // 0x09 a tab.
  std::string translateKey(int32_t key) override {
    if (key >= 'A' && key <= 'Z') return std::string(1, char(key - 'A' + 'a'));
    if ((key >= '0' && key <= '9') || key == ' ') return std::string(1, char(key));
    if (key == 0x09) return "\t";
    return {};
  }
  void searchTextChanged(const std::string& text) override { reported.push_back(text); }
};

// A field at (100, 10), 32 pixels wide: 30 for text, five characters.
struct FieldBench {
  FieldBench() : bound(test::buildFrom(test::skinXml(""))), text(bound.back.data(), 800), field(host, look) {
    bound.context.text = &text;
    field.bind(&bound.context);
    field.setRect(100, 10, 32, 14);
  }
  void type(const std::string& keys) {
    for (char k : keys) EXPECT_TRUE(field.key(k));
  }

  test::BoundSkin bound;
  test::RecordingTextRenderer text;
  FakeSearchHost host;
  BrowserLook look;
  SearchField field;
};

TEST(SearchField, TypingInsertsAtTheCaretAndReportsEachChange) {
  FieldBench b;
  EXPECT_FALSE(b.field.key('A'));  // without the keyboard nothing is typed
  b.field.mouseDown(105, 15, keys::kLeft);
  EXPECT_TRUE(b.field.holdsKeyboard());
  EXPECT_EQ(b.host.timers.at(kCaretTimer), 500);
  b.type("AB 1");
  EXPECT_EQ(b.field.text(), "ab 1");
  EXPECT_EQ(b.host.reported, (std::vector<std::string>{"a", "ab", "ab ", "ab 1"}));
  EXPECT_TRUE(b.field.key(searchkey::kLeft));
  EXPECT_TRUE(b.field.key(searchkey::kLeft));
  b.type("C");
  EXPECT_EQ(b.field.text(), "abc 1");
  EXPECT_EQ(b.field.caret(), 3u);
  EXPECT_TRUE(b.field.key(searchkey::kBackspace));
  EXPECT_TRUE(b.field.key(searchkey::kDelete));
  EXPECT_EQ(b.field.text(), "ab1");
  EXPECT_TRUE(b.field.key(searchkey::kRight));
  EXPECT_TRUE(b.field.key(searchkey::kRight));  // already at the end
  EXPECT_TRUE(b.field.key(searchkey::kDelete));
  EXPECT_EQ(b.field.caret(), 3u);
  const size_t reports = b.host.reported.size();
  EXPECT_TRUE(b.field.key(0x11));  // no character: used up, nothing changes
  EXPECT_TRUE(b.field.key(0x09));  // a control character is not typed
  EXPECT_EQ(b.host.reported.size(), reports);
  EXPECT_EQ(b.field.text(), "ab1");
}

TEST(SearchField, EnterEscapeAndFunctionKeysGoOnToTheShortcuts) {
  FieldBench b;
  for (int32_t key : {searchkey::kEnter, searchkey::kEscape, searchkey::kF1, searchkey::kF12}) {
    b.field.mouseDown(105, 15, keys::kLeft);
    ASSERT_TRUE(b.field.holdsKeyboard());
    EXPECT_FALSE(b.field.key(key)) << key;
    EXPECT_FALSE(b.field.holdsKeyboard());
    EXPECT_TRUE(b.host.timers.empty());
  }
}

TEST(SearchField, ClicksEmptyOrPlaceTheCaret) {
  FieldBench b;
  b.field.mouseDown(105, 15, keys::kLeft);
  b.type("ABCD");
  b.field.mouseDown(100 + 13, 15, keys::kLeft);  // nearest boundary: after two characters
  EXPECT_EQ(b.field.text(), "abcd");
  EXPECT_EQ(b.field.caret(), 2u);
  b.field.mouseDown(113, 15, keys::kLeft | keys::kDoubleClick);
  EXPECT_EQ(b.field.text(), "");
  b.type("XY");
  b.field.releaseKeyboard();
  b.field.mouseDown(113, 15, keys::kLeft);  // a click that takes the keyboard empties
  EXPECT_EQ(b.field.text(), "");
  EXPECT_EQ(b.host.reported.back(), "");
  b.field.hover(110, 15, 1);
  EXPECT_TRUE(b.host.textCursor);
  b.field.hover(0, 0, -1);
  EXPECT_FALSE(b.host.textCursor);
}

TEST(SearchField, CaretBlinksWhileHoldingTheKeyboard) {
  FieldBench b;
  b.field.caretTick();
  EXPECT_FALSE(b.field.caretShown());
  b.field.mouseDown(105, 15, keys::kLeft);
  EXPECT_TRUE(b.field.caretShown());
  b.field.caretTick();
  EXPECT_FALSE(b.field.caretShown());
  b.field.caretTick();
  EXPECT_TRUE(b.field.caretShown());
  b.field.releaseKeyboard();
  EXPECT_FALSE(b.field.caretShown());
}

TEST(SearchField, TheTextScrollsToKeepTheCaretVisible) {
  FieldBench b;
  b.field.mouseDown(105, 15, keys::kLeft);
  b.type("ABCDEFGH");  // 48 pixels in 30: the first three scroll out
  EXPECT_EQ(b.field.firstVisible(), 3u);
  b.text.drawn.clear();
  b.field.draw();
  ASSERT_EQ(b.text.drawn.size(), 1u);
  EXPECT_EQ(b.text.drawn[0].text, "defgh");
  for (int i = 0; i < 6; ++i) b.field.key(searchkey::kLeft);
  EXPECT_EQ(b.field.firstVisible(), 2u);
  b.field.key(searchkey::kLeft);
  b.field.key(searchkey::kLeft);
  EXPECT_EQ(b.field.firstVisible(), 0u);
  for (int i = 0; i < 8; ++i) b.field.key(searchkey::kBackspace);  // nothing before the caret
  EXPECT_EQ(b.field.text(), "abcdefgh");
}

}  // namespace
}  // namespace zarnel
