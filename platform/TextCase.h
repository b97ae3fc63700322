#pragma once
// Comparison of 8-bit names without regard to case, as registry value names
// and drive roots compare: ASCII letters fold, other bytes compare exactly.

#include <cstddef>
#include <string_view>

namespace zarnel {

// Return: true when a and b are equal without regard to ASCII case. Any thread.
inline bool equalNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = char(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace zarnel
