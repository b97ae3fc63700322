#include "platform/posix/GdkKeyCodes.h"

#include <gtest/gtest.h>

#include <set>

namespace zarnel {
namespace {

// X11 keycodes are Linux input codes + 8.
constexpr uint32_t x11(uint32_t input) { return input + 8; }

TEST(GdkKeyCodes, ScanCodesAreThePcKeyboardsSetOne) {
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(1)), 0x01);   // Escape
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(30)), 0x1E);  // A
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(15)), 0x0F);  // Tab
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(88)), 0x58);  // F12
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(86)), 0x56);  // the key beside left Shift
  // Each scan code comes from one key only, so no two keys share a binding.
  std::set<int32_t> seen;
  for (uint32_t code = 0; code < 256; ++code) {
    const int32_t pc = pcScanCodeOfX11Keycode(code);
    if (pc != 0) {
      EXPECT_TRUE(seen.insert(pc).second) << "keycode " << code;
    }
  }
  EXPECT_EQ(seen.size(), 104u);  // the 104 keys the main window's table knows
}

TEST(GdkKeyCodes, LeftAndRightKeysAndTheArrowsDifferByTheExtendedFlag) {
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(29)), 0x1D);           // left Ctrl
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(97)), 0x100 | 0x1D);   // right Ctrl
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(56)), 0x38);           // left Alt
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(100)), 0x100 | 0x38);  // right Alt
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(75)), 0x4B);           // keypad 4
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(105)), 0x100 | 0x4B);  // Left arrow
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(96)), 0x100 | 0x1C);   // keypad Enter
  EXPECT_EQ(pcScanCodeOfX11Keycode(x11(28)), 0x1C);           // Enter
}

TEST(GdkKeyCodes, UnknownKeycodesGiveNoScanCode) {
  for (uint32_t code : {0u, 7u, x11(0), x11(84), x11(85), x11(113), x11(240), 0xFFFFFFFFu})
    EXPECT_EQ(pcScanCodeOfX11Keycode(code), 0) << code;
}

TEST(GdkKeyCodes, KeyvalsBecomeVirtualKeys) {
  EXPECT_EQ(virtualKeyOfKeyval(0x061), 'A');    // a
  EXPECT_EQ(virtualKeyOfKeyval(0x05A), 'Z');    // Z
  EXPECT_EQ(virtualKeyOfKeyval(0x031), '1');    // 1
  EXPECT_EQ(virtualKeyOfKeyval(0x020), 0x20);   // space
  EXPECT_EQ(virtualKeyOfKeyval(0xFFBE), 0x70);  // F1
  EXPECT_EQ(virtualKeyOfKeyval(0xFFC9), 0x7B);  // F12
  EXPECT_EQ(virtualKeyOfKeyval(0xFF09), 0x09);  // Tab
  EXPECT_EQ(virtualKeyOfKeyval(0xFE20), 0x09);  // Shift+Tab
  EXPECT_EQ(virtualKeyOfKeyval(0xFF51), 0x25);  // Left
  EXPECT_EQ(virtualKeyOfKeyval(0xFF54), 0x28);  // Down
  EXPECT_EQ(virtualKeyOfKeyval(0xFFB3), 0x63);  // keypad 3
  EXPECT_EQ(virtualKeyOfKeyval(0xFF9C), 0x23);  // keypad End (Num Lock off)
  EXPECT_EQ(virtualKeyOfKeyval(0xFF8D), 0x0D);  // keypad Enter
  EXPECT_EQ(virtualKeyOfKeyval(0x02D), 0xBD);   // minus
  EXPECT_EQ(virtualKeyOfKeyval(0x021), 0);      // exclam: not an unshifted symbol
  EXPECT_EQ(virtualKeyOfKeyval(0), 0);
}

TEST(GdkKeyCodes, ModifierKeysOfBothSidesAreOneVirtualKey) {
  EXPECT_EQ(virtualKeyOfKeyval(0xFFE1), 0x10);  // Shift_L
  EXPECT_EQ(virtualKeyOfKeyval(0xFFE2), 0x10);  // Shift_R
  EXPECT_EQ(virtualKeyOfKeyval(0xFFE3), 0x11);  // Control_L
  EXPECT_EQ(virtualKeyOfKeyval(0xFFE4), 0x11);  // Control_R
  EXPECT_EQ(virtualKeyOfKeyval(0xFFE9), 0x12);  // Alt_L
  EXPECT_EQ(virtualKeyOfKeyval(0xFE03), 0x12);  // AltGr
}

TEST(GdkKeyCodes, CapturedPressCarriesScanCodeModifiersAndAltBit) {
  // Ctrl+Shift+Right arrow.
  CapturedKey key = capturedKeyOf(0xFF53, x11(106), 1 | 4);
  EXPECT_EQ(key.virtualKey, 0x27);
  EXPECT_EQ(key.keyData, (0x14D << 16) | 1);
  EXPECT_EQ(key.modifiers, 1 | 2);
  // Alt+F5: the Alt bit of the key data is set too.
  key = capturedKeyOf(0xFFC2, x11(63), 8);
  EXPECT_EQ(key.virtualKey, 0x74);
  EXPECT_EQ(key.keyData, (0x3F << 16) | (1 << 29) | 1);
  EXPECT_EQ(key.modifiers, 4);
  // Num Lock (GDK's Mod2) and mouse buttons in the state add nothing.
  key = capturedKeyOf(0x061, x11(30), 0x10 | 0x100);
  EXPECT_EQ(key.modifiers, 0);
  EXPECT_EQ(key.keyData, (0x1E << 16) | 1);
}

}  // namespace
}  // namespace zarnel
