#include "platform/posix/GtkDialogLogic.h"

#include <algorithm>

namespace zarnel::gtkdlg {

namespace {
std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}
}  // namespace

std::vector<std::string> splitPatterns(const std::string& patterns) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string one = trimmed(patterns.substr(start, end - start));
    if (!one.empty()) out.push_back(std::move(one));
    start = end + 1;
  }
  return out;
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
  const std::string ext = !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
  if (ext.empty() || path.empty() || path.back() == '/') return path;
  const size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
  const size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot > nameStart) return path;
  return path + "." + ext;
}

std::string truncateUtf8(const std::string& text, int32_t maxBytes) {
  if (maxBytes <= 0 || text.size() <= size_t(maxBytes)) return text;
  size_t end = size_t(maxBytes);
  // Back up over continuation bytes to the start of the character that
  // crosses the limit, which is then left out whole.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

void centredOver(const Rect& owner, int32_t width, int32_t height, const Rect& screen, int32_t& x, int32_t& y) {
  x = owner.x + (owner.width - width) / 2;
  y = owner.y + (owner.height - height) / 2;
  if (screen.width <= 0 || screen.height <= 0) return;
  x = std::max(screen.x, std::min(x, screen.x + screen.width - width));
  y = std::max(screen.y, std::min(y, screen.y + screen.height - height));
}

}  // namespace zarnel::gtkdlg
