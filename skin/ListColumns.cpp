#include "skin/ListColumns.h"

#include <algorithm>
#include <cstdio>

#include "library/TrackEntry.h"

namespace zarnel {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

int32_t sign(int64_t v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }

// The rank of a character in the disc order: ":" and "=" after every other
// character, "=" after ":".
int32_t discRank(char c) {
  if (c == ':') return 256;
  if (c == '=') return 257;
  return int32_t(static_cast<unsigned char>(lower(c)));
}

std::string_view commentOf(const ListItem& item) {
  if (!item.entry) return {};
  return item.entry->comment ? std::string_view(*item.entry->comment) : std::string_view(item.entry->storedComment);
}

// The bpm a row sorts by: the playlist files below every track.
double bpmKey(const ListItem& item) {
  if (item.isPlaylistFile()) return -1.0;
  return item.entry ? double(item.entry->bpm) : 0.0;
}

std::string_view afterPrefix(std::string_view path) { return path.substr(discPrefix(path).size()); }

// The folder part of a path after its prefix, up to and including its last
// separator.
std::string_view folderOf(std::string_view path) {
  const std::string_view rest = afterPrefix(path);
  const size_t cut = rest.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string_view() : rest.substr(0, cut + 1);
}

int32_t compareDisc(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int32_t d = discRank(a[i]) - discRank(b[i]);
    if (d != 0) return sign(d);
  }
  return sign(int64_t(a.size()) - int64_t(b.size()));
}

bool holdsSeparator(std::string_view s) { return s.find_first_of("\\/") != std::string_view::npos; }

// Paths after their prefixes: at the first difference, a side whose rest
// holds no separator (a file directly in the folder) comes first.
int32_t comparePath(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (lower(a[i]) == lower(b[i])) continue;
    const bool aFile = !holdsSeparator(a.substr(i)), bFile = !holdsSeparator(b.substr(i));
    if (aFile != bFile) return aFile ? -1 : 1;
    return sign(int32_t(static_cast<unsigned char>(lower(a[i]))) - static_cast<unsigned char>(lower(b[i])));
  }
  return sign(int64_t(a.size()) - int64_t(b.size()));
}

int32_t compareComment(const ListItem& a, const ListItem& b) {
  const std::string_view ca = commentOf(a), cb = commentOf(b);
  if (ca.empty() != cb.empty()) return ca.empty() ? 1 : -1;
  return compareNoCase(ca, cb);
}

}  // namespace

int32_t compareNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int32_t d = int32_t(static_cast<unsigned char>(lower(a[i]))) - static_cast<unsigned char>(lower(b[i]));
    if (d != 0) return sign(d);
  }
  return sign(int64_t(a.size()) - int64_t(b.size()));
}

std::string_view discPrefix(std::string_view path) {
  for (size_t i = 0; i < path.size(); ++i) {
    if (isSeparator(path[i])) break;
    if (path[i] == ':' || path[i] == '=') return path.substr(0, i + 1);
  }
  return {};
}

std::string columnText(const ListItem& item, int32_t column) {
  switch (column) {
    case kColTitle:
      return item.title;
    case kColAuthor:
      return item.author;
    case kColBpm: {
      if (item.isPlaylistFile() || !item.entry || item.entry->bpm == 0.0f) return {};
      char text[32];
      std::snprintf(text, sizeof text, "%.1f", double(item.entry->bpm));
      return text;
    }
    case kColComment:
      return std::string(commentOf(item));
    case kColDisc: {
      // The drive keeps its ":"; a disc name shows without its "=".
      std::string_view prefix = discPrefix(item.path);
      if (!prefix.empty() && prefix.back() == '=') prefix.remove_suffix(1);
      return std::string(prefix);
    }
    case kColPath:
      return std::string(folderOf(item.path));
    default:
      return {};
  }
}

int32_t statusValue(const ListItem& item, bool playedThisRun) {
  if (item.isPlaylistFile()) return kStatusPlaylistFile;
  if (playedThisRun) return kStatusPlayedThisRun;
  return item.entry ? item.entry->lastUse : 0;
}

int32_t statusIcon(int32_t value) {
  if (value == kStatusPlaylistFile) return 3;
  if (value == kStatusPlayedThisRun) return 2;
  return value == 0 ? 1 : 0;
}

int32_t compareColumn(const ListItem& a, const ListItem& b, int32_t column) {
  switch (column) {
    case kColTitle:
      return compareNoCase(a.title, b.title);
    case kColAuthor:
      return compareNoCase(a.author, b.author);
    case kColBpm: {
      const double x = bpmKey(a), y = bpmKey(b);
      return x > y ? -1 : x < y ? 1 : 0;  // highest first
    }
    case kColComment:
      return compareComment(a, b);
    case kColDisc:
      return compareDisc(discPrefix(a.path), discPrefix(b.path));
    case kColPath:
      return comparePath(afterPrefix(a.path), afterPrefix(b.path));
    default:
      return 0;
  }
}

std::vector<size_t> sortedOrder(const std::vector<ListItem>& items, int32_t key, int32_t direction,
                                const StatusOf& status) {
  const int32_t dir = direction < 0 ? -1 : 1;
  std::vector<size_t> order(items.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  if (key == kSortStatus) {
    // Each value once, not once per comparison; highest first.
    std::vector<int32_t> values(items.size());
    for (size_t i = 0; i < items.size(); ++i) values[i] = status(items[i]);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return dir * sign(int64_t(values[b]) - values[a]) < 0; });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return dir * compareColumn(items[a], items[b], key) < 0; });
  }
  return order;
}

void sortItems(std::vector<ListItem>& items, int32_t key, int32_t direction, const StatusOf& status) {
  const std::vector<size_t> order = sortedOrder(items, key, direction, status);
  std::vector<ListItem> sorted;
  sorted.reserve(items.size());
  for (size_t i : order) sorted.push_back(std::move(items[i]));
  items = std::move(sorted);
}

}  // namespace zarnel
