#include "library/PlaylistPaths.h"

#include <algorithm>
#include <utility>

#include "library/PlaylistText.h"
#include "library/TextEncoding.h"
#include "platform/DriveList.h"

namespace zarnel {

namespace {

constexpr int kLetters = 26;

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
char upperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool startsWithNoCase(std::string_view text, std::string_view lowerHead) {
  if (text.size() < lowerHead.size()) return false;
  for (size_t i = 0; i < lowerHead.size(); ++i)
    if (lowerAscii(text[i]) != lowerHead[i]) return false;
  return true;
}

bool endsWithNoCase(std::string_view text, std::string_view lowerTail) {
  return text.size() >= lowerTail.size() &&
         startsWithNoCase(text.substr(text.size() - lowerTail.size()), lowerTail);
}

std::string_view trimBlanks(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// "X:\" or "X:/" at the start.
bool isDrivePath(std::string_view text) {
  return text.size() >= 3 && isLetter(text[0]) && text[1] == ':' && isSeparator(text[2]);
}

// A URI of another scheme than "file:" ("http://host/x"): a letter, then at
// least one more scheme character, then "://". One letter is a drive.
bool isOtherUri(std::string_view text) {
  const size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon < 2 || !isLetter(text[0])) return false;
  for (size_t i = 1; i < colon; ++i) {
    const char c = text[i];
    if (!isLetter(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

int hexValue(char c) {
  if (isDigit(c)) return c - '0';
  const char l = lowerAscii(c);
  return l >= 'a' && l <= 'f' ? l - 'a' + 10 : -1;
}

// "%XX" escapes become their bytes; a "%" without two hex digits stays.
std::string percentDecoded(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool isUsable(const std::string& path) {
  return !path.empty() && path.size() <= kMaxPlaylistLineBytes &&
         path.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos;
}

}  // namespace

PlaylistPaths::PlaylistPaths(char separator, DriveRootMap driveRoot)
    : separator_(separator == '\\' ? '\\' : '/'), driveRoot_(std::move(driveRoot)) {}

PlaylistPaths PlaylistPaths::forDrives(DriveList& drives, char separator) {
  if (separator == '\\')
    return PlaylistPaths('\\', [](char letter) { return std::optional<std::string>(std::string(1, letter) + ":\\"); });
  std::array<bool, kLetters> fixed{};
  for (const std::string& root : drives.logicalDrives()) {
    const char letter = root.empty() ? 0 : upperAscii(root[0]);
    if (root.size() < 2 || root[1] != ':' || letter < 'A' || letter > 'Z') continue;
    if (drives.driveType(root.c_str()) == DriveType::kFixed) fixed[size_t(letter - 'A')] = true;
  }
  return PlaylistPaths('/', [fixed](char letter) -> std::optional<std::string> {
    const char l = upperAscii(letter);
    if (l >= 'A' && l <= 'Z' && fixed[size_t(l - 'A')]) return std::string("/");
    return std::nullopt;
  });
}

std::string PlaylistPaths::folderOf(std::string_view path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

bool PlaylistPaths::isPlaylistFileName(std::string_view path) {
  return endsWithNoCase(path, ".m3u") || endsWithNoCase(path, ".m3u8") || endsWithNoCase(path, ".pls");
}

std::optional<std::string> PlaylistPaths::decodeFileUri(std::string_view uri) {
  if (!startsWithNoCase(uri, "file:")) return std::nullopt;
  std::string_view rest = uri.substr(5);
  std::string path;
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const std::string_view host = rest.substr(0, rest.find('/'));
    rest.remove_prefix(host.size());
    if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost"))) path = "//" + std::string(host);
  }
  path += percentDecoded(rest);
  // "/C:/x" and the old "/C|/x" are Windows drive paths.
  if (path.size() >= 3 && path[0] == '/' && isLetter(path[1]) && (path[2] == ':' || path[2] == '|')) {
    path.erase(0, 1);
    path[1] = ':';
  }
  if (path.empty()) return std::nullopt;
  return path;
}

std::vector<std::string> PlaylistPaths::candidates(std::string_view line, std::string_view folder) const {
  const bool utf8 = isValidUtf8(line);
  const std::string text = utf8 ? std::string(line) : latin1ToUtf8(line);
  Found found;
  addVariant(text, folder, found);
  if (trimBlanks(text).size() != text.size()) addVariant(trimBlanks(text), folder, found);
  if (!utf8) {
    addVariant(line, folder, found);
    if (trimBlanks(line).size() != line.size()) addVariant(trimBlanks(line), folder, found);
  }
  std::vector<std::string> out;
  for (std::vector<std::string>* list : {&found.readings, &found.fallbacks})
    for (std::string& path : *list)
      if (isUsable(path) && std::find(out.begin(), out.end(), path) == out.end()) out.push_back(std::move(path));
  return out;
}

void PlaylistPaths::addVariant(std::string_view text, std::string_view folder, Found& found) const {
  if (text.empty()) return;
  if (std::optional<std::string> decoded = decodeFileUri(text)) {
    if (isValidUtf8(*decoded)) {
      addFilePath(*decoded, folder, found);
    } else {
      addFilePath(latin1ToUtf8(*decoded), folder, found);
      addFilePath(*decoded, folder, found);
    }
  } else if (isOtherUri(text)) {
    found.readings.emplace_back(text);
  } else {
    addFilePath(text, folder, found);
  }
}

void PlaylistPaths::addFilePath(std::string_view text, std::string_view folder, Found& found) const {
  if (text.empty()) return;
  std::vector<std::string>& out = found.readings;
  if (isDrivePath(text)) {
    const std::optional<std::string> root = driveRoot_ ? driveRoot_(upperAscii(text[0])) : std::nullopt;
    out.push_back(root ? *root + native(text.substr(3)) : std::string(text));
    addTails(text.substr(3), folder, found.fallbacks);
  } else if (text.substr(0, 2) == "\\\\") {
    out.emplace_back(text);  // a Windows network path
    addTails(text.substr(2), folder, found.fallbacks);
  } else if (text[0] == '\\') {
    // The root of the playlist's drive; on this machine's one tree, its root.
    out.push_back(separator_ == '/' ? std::string(1, '/').append(native(text.substr(1))) : std::string(text));
    addTails(text.substr(1), folder, found.fallbacks);
  } else if (text[0] == '/' || (text.size() >= 2 && isLetter(text[0]) && text[1] == ':')) {
    out.emplace_back(text);  // absolute here, or relative to a drive's current folder
  } else {
    out.push_back(join(folder, native(text)));
    if (separator_ == '/') out.push_back(join(folder, text));  // a "\" that is part of a POSIX name
  }
}

void PlaylistPaths::addTails(std::string_view rest, std::string_view folder,
                             std::vector<std::string>& out) const {
  std::vector<std::string_view> parts;
  while (!rest.empty()) {
    const size_t cut = std::min(rest.find_first_of("/\\"), rest.size());
    const std::string_view part = rest.substr(0, cut);
    if (!part.empty() && part != "." && part != "..") parts.push_back(part);
    rest.remove_prefix(std::min(cut + 1, rest.size()));
  }
  for (size_t k = std::min(parts.size(), kMaxTailParts); k > 0; --k) {
    std::string relative;
    for (size_t i = parts.size() - k; i < parts.size(); ++i) {
      if (!relative.empty()) relative += separator_;
      relative += parts[i];
    }
    out.push_back(join(folder, relative));
  }
}

std::string PlaylistPaths::native(std::string_view text) const {
  std::string out(text);
  const char other = separator_ == '/' ? '\\' : '/';
  std::replace(out.begin(), out.end(), other, separator_);
  return out;
}

std::string PlaylistPaths::join(std::string_view folder, std::string_view relative) const {
  std::string out(folder);
  if (!out.empty() && !isSeparator(out.back())) out += separator_;
  out += relative;
  return out;
}

}  // namespace zarnel
