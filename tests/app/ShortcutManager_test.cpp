#include "app/ShortcutManager.h"

#include <gtest/gtest.h>

#include "app/ShortcutNames.h"
#include "platform/Registry.h"
#include "platform/WindowSystem.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace zarnel {
namespace {

// Key data of a press of scan code (| 0x100 extended), Alt held or not.
int32_t keyData(int32_t scan, bool alt = false) { return (scan & 0x1FF) << 16 | (alt ? msg::kKeyDataAlt : 0) | 1; }

constexpr int32_t kVkA = 'A', kVkControl = 0x11, kVkReturn = 0x0D;
constexpr int32_t kScanA = 0x1E, kScanCtrl = 0x1D;

struct Target : ShortcutTarget {
  int32_t activeDesk() const override { return active; }
  void shortcutAction(int32_t action, int32_t desk) override { fired.push_back({action, desk}); }
  int32_t crossfader() const override { return fader; }
  void setCrossfader(int32_t value) override {
    fader = value;
    ++faderSets;
  }
  void beatMix(int32_t desk) override { beatMixed.push_back(desk); }
  int32_t active = 0, fader = 2048, faderSets = 0;
  std::vector<std::pair<int32_t, int32_t>> fired;
  std::vector<int32_t> beatMixed;
};

struct Holder : KeyboardHolder {
  bool takeKey(int32_t virtualKey, int32_t) override {
    seen.push_back(virtualKey);
    return virtualKey != kVkReturn;  // Return goes on to the shortcuts
  }
  std::vector<int32_t> seen;
};

struct Fallback : KeyFallback {
  bool offerKey(int32_t virtualKey) override {
    offered.push_back(virtualKey);
    return true;
  }
  std::vector<int32_t> offered;
};

TEST(ShortcutKeys, ModifiersCountOnlyOnOtherKeysAndExtendedKeysDiffer) {
  EXPECT_EQ(ShortcutManager::keyCodeOf(kVkA, keyData(kScanA), 0), kScanA);
  EXPECT_EQ(ShortcutManager::keyCodeOf(kVkA, keyData(kScanA, true), msg::kModCtrl | msg::kModShift),
            kScanA | kKeyAlt | kKeyCtrl | kKeyShift);
  // Ctrl's own press carries no Ctrl bit; the right Ctrl is the extended one.
  EXPECT_EQ(ShortcutManager::keyCodeOf(kVkControl, keyData(kScanCtrl), msg::kModCtrl), kScanCtrl);
  EXPECT_EQ(ShortcutManager::keyCodeOf(kVkControl, keyData(kScanCtrl | 0x100), msg::kModCtrl),
            kScanCtrl | kKeyExtended);
  EXPECT_EQ(ShortcutManager::keyCodeOf(0x12, keyData(0x38, true), 0), 0x38);  // Alt alone
}

TEST(ShortcutKeys, EveryMatchingRecordFiresInOrderOnItsResolvedDesk) {
  Target t;
  t.active = 1;
  ShortcutManager m(t);
  EXPECT_FALSE(m.handleKey(kVkA, keyData(kScanA), 0));  // no list at all
  m.setList({{kScanA, 0, 1}, {kScanA | kKeyCtrl, 2, 2}, {kScanA, 1, 3}, {kScanA, 2, 4}, {kScanA, 3, 36}});
  EXPECT_TRUE(m.handleKey(kVkA, keyData(kScanA), 0));
  const std::vector<std::pair<int32_t, int32_t>> want = {{1, 1}, {3, 0}, {4, 0}, {36, 1}};
  EXPECT_EQ(t.fired, want);
  t.fired.clear();
  EXPECT_TRUE(m.handleKey(kVkA, keyData(kScanA), msg::kModCtrl));
  EXPECT_EQ(t.fired, (std::vector<std::pair<int32_t, int32_t>>{{2, 0}}));

  // Nothing bound: the browser panel is offered the key.
  Fallback f;
  m.setFallback(&f);
  EXPECT_TRUE(m.handleKey('B', keyData(0x30), 0));
  EXPECT_EQ(f.offered, std::vector<int32_t>{'B'});
}

TEST(ShortcutKeys, ATextEntryHoldingTheKeyboardGetsKeysFirst) {
  Target t;
  ShortcutManager m(t);
  m.setList({{kScanA, 0, 1}, {0x1C, 0, 2}});
  Holder h;
  m.setKeyboardHolder(&h);
  EXPECT_TRUE(m.handleKey(kVkA, keyData(kScanA), 0));  // typed, not played
  EXPECT_TRUE(t.fired.empty());
  EXPECT_TRUE(m.handleKey(kVkReturn, keyData(0x1C), 0));  // given up: the shortcut fires
  EXPECT_EQ(t.fired, (std::vector<std::pair<int32_t, int32_t>>{{2, 0}}));
  EXPECT_EQ(h.seen, (std::vector<int32_t>{kVkA, kVkReturn}));
}

TEST(ShortcutStorage, TheSettingIsTakenOnlyAsWholeBinaryRecords) {
  Target t;
  ShortcutManager m(t);
  EXPECT_FALSE(m.value().has_value());
  EXPECT_FALSE(m.readValue(kRegBinary, {0x1E, 0, 0, 1, 0x1F}));  // 5 bytes
  EXPECT_FALSE(m.readValue(4, {0x1E, 0, 0, 1}));                 // not binary
  EXPECT_FALSE(m.list().has_value());
  // A zero key code ends the list.
  ASSERT_TRUE(m.readValue(kRegBinary, {0x1E, 0x20, 3, 5, 0x48, 0x01, 0, 18, 0, 0, 0, 0, 0x1F, 0, 0, 1}));
  ASSERT_EQ(m.list()->size(), 2u);
  EXPECT_EQ((*m.list())[0].key, 0x201E);
  EXPECT_EQ((*m.list())[1].key, 0x148);
  EXPECT_EQ(*m.value(), (std::vector<uint8_t>{0x1E, 0x20, 3, 5, 0x48, 0x01, 0, 18}));
  // An empty list is still a list, written as an empty value.
  ASSERT_TRUE(m.readValue(kRegBinary, {}));
  EXPECT_TRUE(m.value().has_value() && m.value()->empty());
}

TEST(ShortcutStorage, FilesRoundTripAndADamagedOneChangesNothing) {
  Target t;
  ShortcutManager m(t);
  VirtualFileSystem files;
  m.setList({{kScanA | kKeyShift, 1, 7}, {0x39, 0, 24}});
  ASSERT_TRUE(m.saveFile(files, "my.scu"));
  ShortcutManager other(t);
  ASSERT_EQ(other.loadFile(files, "my.scu"), ShortcutFileResult::kLoaded);
  EXPECT_EQ(other.value(), m.value());

  files.put("ten.scu", std::vector<uint8_t>(10, 1));
  files.put("hostile.scu", {0x1E, 0, 0, 200});  // action 200 does not exist
  files.put("target.scu", {0x1E, 0, 9, 1});
  for (const char* bad : {"ten.scu", "hostile.scu", "target.scu"}) {
    EXPECT_EQ(other.loadFile(files, bad), ShortcutFileResult::kDamaged) << bad;
    EXPECT_EQ(other.value(), m.value()) << bad;
  }
  EXPECT_EQ(other.loadFile(files, "missing.scu"), ShortcutFileResult::kUnreadable);
  EXPECT_EQ(other.value(), m.value());
}

TEST(ShortcutStorage, ListLinesNameModifiersKeyActionAndTheDeskOfDeskActions) {
  EXPECT_EQ(shortcutLine({kScanA | kKeyCtrl | kKeyAlt | kKeyShift, 1, 1}, "A"),
            "[ctrl+alt+shift+A]\tplay playing desk");
  EXPECT_EQ(shortcutLine({kScanA, 3, 42}, "A"), "[A]\tcrossfader middle");  // global: no desk text
  EXPECT_EQ(shortcutLine({kScanA, 2, 96}, "A"), "[A]\tpitch bend right desk 1");
  EXPECT_STREQ(shortcutActionName(0), "nothing");
  EXPECT_STREQ(shortcutActionName(112), "highfader rightmost");
  EXPECT_STREQ(shortcutActionName(113), "");
  EXPECT_TRUE(isDeskShortcut(35) && isDeskShortcut(75) && isDeskShortcut(96));
  EXPECT_FALSE(isDeskShortcut(0) || isDeskShortcut(36) || isDeskShortcut(74) || isDeskShortcut(97));
}

TEST(ShortcutJoystick, ButtonOneMovesTheCrossfaderAndButtonsOneAndTwoBeatMix) {
  Target t;
  t.active = 1;
  ShortcutManager m(t);
  m.setJoystickRange(100, 1000);
  m.joystickMove(0, 1100);  // no button held: nothing
  m.joystickMove(msg::kJoyButton1 | 0x2, 1100);
  EXPECT_EQ(t.faderSets, 0);
  m.joystickMove(msg::kJoyButton1, 50);  // left of the range: 0
  EXPECT_EQ(t.fader, 0);
  m.joystickMove(msg::kJoyButton1, 1100);
  EXPECT_EQ(t.fader, 4096);
  m.joystickMove(msg::kJoyButton1, 600);  // (600 - 100) × 4096 / 1000
  EXPECT_EQ(t.fader, 2048);
  m.joystickMove(msg::kJoyButton1, 600);  // unchanged: not set again
  EXPECT_EQ(t.faderSets, 3);
  m.joystickButton(0x103);  // button 1 just pressed with 2 held
  EXPECT_TRUE(t.beatMixed.empty());
  m.joystickButton(0x203);
  EXPECT_EQ(t.beatMixed, std::vector<int32_t>{1});
}

}  // namespace
}  // namespace zarnel
