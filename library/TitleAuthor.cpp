// The title and author rule of the browser lists. From the file name: every
// "_" becomes a space, a "." among the last four characters cuts the
// extension, leading spaces are skipped. "(Author) Title" gives the author in
// the brackets; "Author - Title" splits at the first "-" when some character
// before it is neither a space nor a digit (so "01 - Song" stays a title);
// anything else is all title.

#include <algorithm>

#include "library/LibraryPaths.h"
#include "library/ListItem.h"

namespace zarnel {
namespace {

std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The name with "_" as spaces, the extension cut and leading spaces skipped.
std::string cleanName(std::string_view name) {
  std::string s(name);
  std::replace(s.begin(), s.end(), '_', ' ');
  size_t dot = s.rfind('.');
  if (dot != std::string::npos && s.size() - dot <= 4) s.resize(dot);
  return std::string(trimLeft(s));
}

bool hasWordBefore(std::string_view head) {
  return std::any_of(head.begin(), head.end(), [](char c) { return c != ' ' && (c < '0' || c > '9'); });
}

}  // namespace

TitleAuthor titleAuthorOf(std::string_view path) {
  std::string name = cleanName(fileNameOf(path));
  std::string_view s = name;
  TitleAuthor out;
  if (!s.empty() && s.front() == '(') {
    size_t close = s.find(')');
    std::string_view inside = close == std::string_view::npos ? s.substr(1) : s.substr(1, close - 1);
    out.author = std::string(trimRight(trimLeft(inside)));
    out.title = close == std::string_view::npos ? std::string() : std::string(trimLeft(s.substr(close + 1)));
    return out;
  }
  size_t dash = s.find('-');
  if (dash != std::string_view::npos && hasWordBefore(s.substr(0, dash))) {
    out.author = std::string(trimRight(s.substr(0, dash)));
    out.title = std::string(trimLeft(s.substr(dash + 1)));
    return out;
  }
  out.title = name;
  return out;
}

ListItem makeListItem(std::string path, int32_t sizeKey) {
  ListItem item;
  TitleAuthor ta;
  if (sizeKey == kPlaylistFileSize) {
    ta.title = std::string(fileNameOf(path));  // a playlist file shows its file name
  } else {
    ta = titleAuthorOf(path);
  }
  item.path = std::move(path);
  item.title = std::move(ta.title);
  item.author = std::move(ta.author);
  item.sizeKey = sizeKey;
  return item;
}

}  // namespace zarnel
