#include "library/PlaylistText.h"

namespace zarnel {

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool startsWithNoCase(std::string_view text, std::string_view lowerHead) {
  if (text.size() < lowerHead.size()) return false;
  for (size_t i = 0; i < lowerHead.size(); ++i)
    if (lowerAscii(text[i]) != lowerHead[i]) return false;
  return true;
}

// "[Playlist]" in any case; blanks after it are forgiven, as editors leave them.
bool isSectionLine(std::string_view line) {
  constexpr std::string_view kSection = "[playlist]";
  return startsWithNoCase(line, kSection) &&
         line.substr(kSection.size()).find_first_not_of(" \t") == std::string_view::npos;
}

// What one line does to the reading.
enum class LineKind { kSkip, kPath, kEnd };

LineKind classify(std::string_view line, bool& sectionMode, std::string_view& path) {
  if (line.front() == '#') return LineKind::kSkip;
  if (isSectionLine(line)) {
    sectionMode = true;
    return LineKind::kSkip;
  }
  if (!sectionMode) {
    path = line;
    return LineKind::kPath;
  }
  if (startsWithNoCase(line, "numberofentries=")) return LineKind::kEnd;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return LineKind::kSkip;
  path = line.substr(equals + 1);
  return path.empty() ? LineKind::kSkip : LineKind::kPath;
}

}  // namespace

PlaylistLines playlistLines(std::string_view text, size_t maxEntries) {
  PlaylistLines out;
  bool sectionMode = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty()) continue;
    if (line.size() > kMaxPlaylistLineBytes) {
      out.cut = true;
      continue;
    }
    std::string_view path;
    const LineKind kind = classify(line, sectionMode, path);
    if (kind == LineKind::kEnd) break;
    if (kind != LineKind::kPath) continue;
    if (out.paths.size() >= maxEntries) {
      out.cut = true;
      break;
    }
    out.paths.emplace_back(path);
  }
  return out;
}

}  // namespace zarnel
