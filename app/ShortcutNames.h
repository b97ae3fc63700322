#pragma once
// The actions a key can be bound to, by index, with their names as the
// shortcut list shows them.

#include <cstdint>

namespace zarnel {

inline constexpr int32_t kShortcutActionCount = 113;

// Return: the name of action index, or "" outside 0..112.
const char* shortcutActionName(int32_t index);

// Return: whether action index acts on a desk (1 to 35 and 75 to 96); the
// others act on the whole program and ignore the desk target.
constexpr bool isDeskShortcut(int32_t index) { return (index >= 1 && index <= 35) || (index >= 75 && index <= 96); }

}  // namespace zarnel
