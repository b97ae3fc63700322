#pragma once
// Keyboard shortcuts: the list of key bindings, matched against every key
// press before anything else sees it; its "Shortcuts" setting and ".scu"
// files (the same 4-byte records); and the joystick's crossfader and beat
// mix. UI thread throughout.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarnel {

class FileSystem;

// One binding, stored as 4 bytes: the key code (little-endian), the desk
// target and the action.
struct Shortcut {
  uint16_t key = 0;    // scan code | extended 0x100 | shift 0x1000 | ctrl 0x2000 | alt 0x4000
  uint8_t target = 0;  // 0 the active desk, 1 the other (playing) desk, 2 desk 1, 3 desk 2
  uint8_t action = 0;  // 0..112
};

inline constexpr uint16_t kKeyExtended = 0x0100;
inline constexpr uint16_t kKeyShift = 0x1000;
inline constexpr uint16_t kKeyCtrl = 0x2000;
inline constexpr uint16_t kKeyAlt = 0x4000;

// What fired shortcuts and the joystick act on.
class ShortcutTarget {
 public:
  virtual ~ShortcutTarget() = default;
  // Return: the active desk, 0 or 1.
  virtual int32_t activeDesk() const = 0;
  // Runs shortcut action on desk (already resolved, 0 or 1).
  virtual void shortcutAction(int32_t action, int32_t desk) = 0;
  virtual int32_t crossfader() const = 0;
  virtual void setCrossfader(int32_t value) = 0;
  // Beat mixes desk as the "magic" button does.
  virtual void beatMix(int32_t desk) = 0;
};

// A text entry that holds the keyboard (the browser's search field).
class KeyboardHolder {
 public:
  virtual ~KeyboardHolder() = default;
  // Return: whether the key was used up. Enter, Escape and F1 to F12 make
  // the holder give up the keyboard without using the key.
  virtual bool takeKey(int32_t virtualKey, int32_t keyData) = 0;
};

// The browser panel, offered a key that no shortcut took.
class KeyFallback {
 public:
  virtual ~KeyFallback() = default;
  // Return: whether the key was used up.
  virtual bool offerKey(int32_t virtualKey) = 0;
};

// Why a ".scu" file was not taken.
enum class ShortcutFileResult { kLoaded, kUnreadable, kDamaged };

class ShortcutManager {
 public:
  // Pre: target outlives the manager.
  explicit ShortcutManager(ShortcutTarget& target) : target_(target) {}

  // Return: the key code of a press: the scan code and extended flag (keyData
  // bits 16 to 24), with alt when keyData bit 29 is set, ctrl and shift from
  // modifiers (msg::kModCtrl, msg::kModShift), each unless the key is that
  // modifier itself.
  static uint16_t keyCodeOf(int32_t virtualKey, int32_t keyData, int32_t modifiers);

  // Offers a key press to the keyboard holder, then to every binding of the
  // key code (all of them fire, in list order), then to the fallback.
  // Return: whether the key was used up.
  bool handleKey(int32_t virtualKey, int32_t keyData, int32_t modifiers);
  // Pre: each outlives the manager or is reset to null first.
  void setKeyboardHolder(KeyboardHolder* holder) { holder_ = holder; }
  KeyboardHolder* keyboardHolder() const { return holder_; }
  void setFallback(KeyFallback* fallback) { fallback_ = fallback; }

  // The stored "Shortcuts" value: taken only as REG_BINARY (type 3) with a
  // size that is a multiple of 4; otherwise the current list stays.
  // Return: whether it was taken.
  bool readValue(uint32_t type, const std::vector<uint8_t>& bytes);
  // Return: the value to store (the records, no terminator), or nothing when
  // there is no list at all.
  std::optional<std::vector<uint8_t>> value() const;

  // Replaces the list by the file's records. A file that cannot be read, is
  // over 64 KiB, has a size that is not a multiple of 4, or holds an action
  // or target out of range changes nothing.
  ShortcutFileResult loadFile(FileSystem& files, const std::string& path);
  // Writes the records. Return: false when the file could not be written.
  bool saveFile(FileSystem& files, const std::string& path) const;

  // Return: the list; absent until one is read or made.
  const std::optional<std::vector<Shortcut>>& list() const { return list_; }
  void setList(std::vector<Shortcut> list) { list_ = std::move(list); }

  // The joystick's calibration: its smallest X and the range of X.
  void setJoystickRange(int32_t minimumX, int32_t rangeX);
  // With button 1 alone held, X sets the crossfader (0..4096).
  void joystickMove(int32_t buttons, int32_t x);
  // Buttons 1 and 2 down with button 2 just pressed (0x203): beat mix the
  // active desk.
  void joystickButton(int32_t buttons);

  // Return: the records of bytes up to the first zero key code, or nothing
  // when the size is not a multiple of 4.
  static std::optional<std::vector<Shortcut>> parse(const std::vector<uint8_t>& bytes);

 private:
  int32_t resolveDesk(uint8_t target) const;

  ShortcutTarget& target_;
  KeyboardHolder* holder_ = nullptr;
  KeyFallback* fallback_ = nullptr;
  std::optional<std::vector<Shortcut>> list_;
  int32_t joystickMinX_ = 0, joystickRangeX_ = 65535;
};

// Reads a ".scu" file into out. A file that cannot be read, is over 64 KiB,
// has a size that is not a multiple of 4, or holds an action or target out
// of range leaves out as it was.
ShortcutFileResult readShortcutFile(FileSystem& files, const std::string& path, std::vector<Shortcut>& out);
// Writes list as a ".scu" file. Return: false when it could not be written.
bool writeShortcutFile(FileSystem& files, const std::string& path, const std::vector<Shortcut>& list);

// Return: the line the shortcut list shows for s: "[ctrl+alt+shift+KEY]\t"
// then the action's name and, for a desk action, " active desk", " playing
// desk", " desk 1" or " desk 2". keyName is the key's name.
std::string shortcutLine(const Shortcut& s, const std::string& keyName);

}  // namespace zarnel
