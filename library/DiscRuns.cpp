#include "library/DiscRuns.h"

#include <algorithm>

#include "library/ScanList.h"
#include "library/ScanListFile.h"

namespace zarnel {

std::string runPrefix(const std::string& rowText);

namespace {

std::string keyOf(const std::string& path) {
  if (path.starts_with('/')) return "/";
  const size_t mark = path.find_first_of("=:");
  if (mark == std::string::npos) return path;
  return path.substr(0, path[mark] == '=' ? mark : mark + 1);
}

// A row's lines: those starting with its prefix, and a line that is the
// row's text itself (a line with neither "=" nor ":").
bool removed(const std::string& path, const std::vector<std::string>& rowTexts) {
  return std::any_of(rowTexts.begin(), rowTexts.end(),
                     [&](const std::string& text) { return path == text || path.starts_with(runPrefix(text)); });
}

}  // namespace

std::vector<DiscRun> discRuns(const ScanList& list) {
  std::vector<DiscRun> rows;
  for (const ScanItem& item : list.items()) {
    if (item.path.empty()) continue;
    std::string key = keyOf(item.path);
    if (rows.empty() || rows.back().text != key) rows.push_back({std::move(key), 0});
    ++rows.back().lines;
  }
  return rows;
}

std::string runPrefix(const std::string& rowText) {
  if (rowText.ends_with(':') || rowText.starts_with('/') || rowText.find('=') != std::string::npos) return rowText;
  return rowText + "=";
}

ScanOutcome deleteDiscs(const ScanList& list, const std::vector<DiscRun>& rows, const std::vector<int32_t>& selected,
                        FileSystem& files, FolderService& folders, const std::string& path) {
  std::vector<std::string> prefixes;
  for (int32_t row : selected)
    if (row >= 0 && size_t(row) < rows.size()) prefixes.push_back(rows[size_t(row)].text);
  if (prefixes.empty()) return ScanOutcome::kDone;
  std::string text;
  for (const ScanItem& item : list.items()) {
    if (item.path.empty() || removed(item.path, prefixes)) continue;
    text += item.path + ',' + std::to_string(item.size) + "\r\n";
  }
  ScanListFile file(files, folders, path);
  if (!file.create()) return ScanOutcome::kCannotCreate;
  return file.append(text) && file.finish() ? ScanOutcome::kDone : ScanOutcome::kWriteFailed;
}

}  // namespace zarnel
