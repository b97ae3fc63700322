#pragma once
// The parts of the GTK dialogs that need no display: file-name patterns and
// extensions, UTF-8-safe truncation and the placement over the owner window.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zarnel::gtkdlg {

// Return: the patterns of "*.m3u; *.pls" split on ';', blanks trimmed,
// empty ones dropped.
std::vector<std::string> splitPatterns(const std::string& patterns);

// Return: path with "." + extension appended when its file name has no
// extension (no '.' after its first character); path itself when it has
// one, when it is empty or names a folder, or when extension is empty. A
// leading '.' of extension is ignored.
std::string withDefaultExtension(const std::string& path, const std::string& extension);

// Return: text cut to at most maxBytes bytes, ending before a UTF-8
// character that would not fit whole; text itself when maxBytes <= 0.
std::string truncateUtf8(const std::string& text, int32_t maxBytes);

struct Rect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// Return: the top-left corner that centres a width x height window over
// owner, moved inside screen (when screen has a size) so that the window's
// top-left part stays visible.
void centredOver(const Rect& owner, int32_t width, int32_t height, const Rect& screen, int32_t& x, int32_t& y);

}  // namespace zarnel::gtkdlg
