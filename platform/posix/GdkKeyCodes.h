#pragma once
// GDK's key events in the form the program's key messages carry: the X11
// hardware keycode as a PC keyboard scan code (set 1, the codes PcScanCodes
// gives SDL's keys), the keyval as a virtual key, and the modifier state as
// the key data's Alt bit and the Shift/Ctrl/Alt modifier bits.

#include <cstdint>

namespace zarnel {

// Return: the scan code | 0x100 for an extended key of X11 keycode
// (Linux input code + 8), or 0 for a key the PC keyboard does not have.
int32_t pcScanCodeOfX11Keycode(uint32_t keycode);

// Return: the virtual key of a GDK keyval (letters as their capital, digits
// as themselves, the named keys as the classic numbers; left and right
// Shift, Ctrl and Alt as the one key each), or 0 for an unknown keyval.
// Pre: keyval is the key's unshifted symbol (as the layout gives it without
// Shift), so that Shift+1 still names the key "1".
int32_t virtualKeyOfKeyval(uint32_t keyval);

// One captured key press as the shortcut capture control reports it.
struct CapturedKey {
  int32_t virtualKey = 0;
  int32_t keyData = 0;    // scan code in bits 16..23, extended bit 24, Alt bit 29, repeat 1
  int32_t modifiers = 0;  // 1 Shift, 2 Ctrl, 4 Alt
};

// Return: the press of baseKeyval on X11 keycode with GDK modifier state
// (GDK_SHIFT_MASK 1, GDK_CONTROL_MASK 4, GDK_MOD1_MASK 8 for Alt).
CapturedKey capturedKeyOf(uint32_t baseKeyval, uint32_t keycode, uint32_t gdkState);

}  // namespace zarnel
