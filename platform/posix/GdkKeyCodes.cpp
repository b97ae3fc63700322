#include "platform/posix/GdkKeyCodes.h"

#include <gdk/gdkkeysyms.h>

namespace zarnel {

namespace {

constexpr int32_t kExt = 0x100;
constexpr uint32_t kX11Offset = 8;  // X11 keycodes are Linux input codes + 8

// Linux input codes 1 (Escape) to 83 (keypad '.') and 86 to 88 are the PC
// scan codes themselves; the rest of the keys the PC keyboard has are here.
struct Pair {
  uint32_t input;
  int32_t pc;
};
constexpr Pair kExtended[] = {
    {96, kExt | 0x1C},   // keypad Enter
    {97, kExt | 0x1D},   // right Ctrl
    {98, kExt | 0x35},   // keypad '/'
    {99, kExt | 0x37},   // Print Screen
    {100, kExt | 0x38},  // right Alt
    {102, kExt | 0x47},  // Home
    {103, kExt | 0x48},  // Up
    {104, kExt | 0x49},  // Page Up
    {105, kExt | 0x4B},  // Left
    {106, kExt | 0x4D},  // Right
    {107, kExt | 0x4F},  // End
    {108, kExt | 0x50},  // Down
    {109, kExt | 0x51},  // Page Down
    {110, kExt | 0x52},  // Insert
    {111, kExt | 0x53},  // Delete
    {125, kExt | 0x5B},  // left logo key
    {126, kExt | 0x5C},  // right logo key
    {127, kExt | 0x5D},  // menu key
};

struct KeyvalPair {
  uint32_t keyval;
  int32_t vk;
};
constexpr KeyvalPair kNamed[] = {
    {GDK_KEY_BackSpace, 0x08},
    {GDK_KEY_Tab, 0x09},
    {GDK_KEY_ISO_Left_Tab, 0x09},
    {GDK_KEY_Return, 0x0D},
    {GDK_KEY_KP_Enter, 0x0D},
    {GDK_KEY_Shift_L, 0x10},
    {GDK_KEY_Shift_R, 0x10},
    {GDK_KEY_Control_L, 0x11},
    {GDK_KEY_Control_R, 0x11},
    {GDK_KEY_Alt_L, 0x12},
    {GDK_KEY_Alt_R, 0x12},
    {GDK_KEY_Meta_L, 0x12},
    {GDK_KEY_Meta_R, 0x12},
    {GDK_KEY_ISO_Level3_Shift, 0x12},
    {GDK_KEY_Pause, 0x13},
    {GDK_KEY_Caps_Lock, 0x14},
    {GDK_KEY_Escape, 0x1B},
    {GDK_KEY_space, 0x20},
    {GDK_KEY_Page_Up, 0x21},
    {GDK_KEY_Page_Down, 0x22},
    {GDK_KEY_End, 0x23},
    {GDK_KEY_Home, 0x24},
    {GDK_KEY_Left, 0x25},
    {GDK_KEY_Up, 0x26},
    {GDK_KEY_Right, 0x27},
    {GDK_KEY_Down, 0x28},
    {GDK_KEY_Print, 0x2C},
    {GDK_KEY_Insert, 0x2D},
    {GDK_KEY_Delete, 0x2E},
    {GDK_KEY_Super_L, 0x5B},
    {GDK_KEY_Super_R, 0x5C},
    {GDK_KEY_Menu, 0x5D},
    {GDK_KEY_KP_Multiply, 0x6A},
    {GDK_KEY_KP_Add, 0x6B},
    {GDK_KEY_KP_Separator, 0x6C},
    {GDK_KEY_KP_Subtract, 0x6D},
    {GDK_KEY_KP_Decimal, 0x6E},
    {GDK_KEY_KP_Divide, 0x6F},
    {GDK_KEY_Num_Lock, 0x90},
    {GDK_KEY_Scroll_Lock, 0x91},
    {GDK_KEY_semicolon, 0xBA},
    {GDK_KEY_equal, 0xBB},
    {GDK_KEY_comma, 0xBC},
    {GDK_KEY_minus, 0xBD},
    {GDK_KEY_period, 0xBE},
    {GDK_KEY_slash, 0xBF},
    {GDK_KEY_grave, 0xC0},
    {GDK_KEY_bracketleft, 0xDB},
    {GDK_KEY_backslash, 0xDC},
    {GDK_KEY_bracketright, 0xDD},
    {GDK_KEY_apostrophe, 0xDE},
    {GDK_KEY_less, 0xE2},
    // The keypad without Num Lock: the keys it stands for.
    {GDK_KEY_KP_Home, 0x24},
    {GDK_KEY_KP_Up, 0x26},
    {GDK_KEY_KP_Page_Up, 0x21},
    {GDK_KEY_KP_Left, 0x25},
    {GDK_KEY_KP_Begin, 0x0C},
    {GDK_KEY_KP_Right, 0x27},
    {GDK_KEY_KP_End, 0x23},
    {GDK_KEY_KP_Down, 0x28},
    {GDK_KEY_KP_Page_Down, 0x22},
    {GDK_KEY_KP_Insert, 0x2D},
    {GDK_KEY_KP_Delete, 0x2E},
};

}  // namespace

int32_t pcScanCodeOfX11Keycode(uint32_t keycode) {
  if (keycode < kX11Offset) return 0;
  const uint32_t input = keycode - kX11Offset;
  if ((input >= 1 && input <= 83) || (input >= 86 && input <= 88)) return int32_t(input);
  for (const Pair& p : kExtended)
    if (p.input == input) return p.pc;
  return 0;
}

int32_t virtualKeyOfKeyval(uint32_t keyval) {
  if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return int32_t(keyval - GDK_KEY_a + 'A');
  if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return int32_t(keyval);
  if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return int32_t(keyval);
  if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return int32_t(0x70 + (keyval - GDK_KEY_F1));
  if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return int32_t(0x60 + (keyval - GDK_KEY_KP_0));
  for (const KeyvalPair& p : kNamed)
    if (p.keyval == keyval) return p.vk;
  return 0;
}

CapturedKey capturedKeyOf(uint32_t baseKeyval, uint32_t keycode, uint32_t gdkState) {
  constexpr uint32_t kShift = 1, kControl = 4, kAlt = 8;  // GDK's masks
  CapturedKey key;
  key.virtualKey = virtualKeyOfKeyval(baseKeyval);
  const int32_t pc = pcScanCodeOfX11Keycode(keycode);
  key.keyData = (pc & 0x1FF) << 16 | 1;
  if (gdkState & kShift) key.modifiers |= 1;
  if (gdkState & kControl) key.modifiers |= 2;
  if (gdkState & kAlt) {
    key.modifiers |= 4;
    key.keyData |= 1 << 29;
  }
  return key;
}

}  // namespace zarnel
