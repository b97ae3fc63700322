#pragma once
// The shortcut manager's side of the "Shortcuts" setting: the settings store
// hands it the stored value at load and asks it for the value to write.

#include <cstdint>
#include <optional>
#include <vector>

namespace zarnel {

// Thread: UI thread.
class ShortcutSettings {
 public:
  virtual ~ShortcutSettings() = default;
  // Takes the stored "Shortcuts" value; called only when there is one, with
  // its type and bytes as stored (judging them is the manager's).
  virtual void readShortcuts(uint32_t type, const std::vector<uint8_t>& bytes) = 0;
  // Return: the REG_BINARY bytes to store, or nothing when no list exists
  // (then no "Shortcuts" value is written).
  virtual std::optional<std::vector<uint8_t>> shortcutsToWrite() = 0;
};

}  // namespace zarnel
