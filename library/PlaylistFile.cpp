#include "library/PlaylistFile.h"

#include <algorithm>
#include <memory>

#include "library/FileWriter.h"
#include "library/PlaylistText.h"
#include "library/TextEncoding.h"
#include "platform/ByteFile.h"

namespace zarnel {

namespace {

constexpr int32_t kReadChunk = 65536;
// Most items one expansion for writing visits, and reads from files: a
// playlist of many references to others must not run for ever.
constexpr size_t kMaxExpansionVisits = 10 * kMaxPlaylistEntries;
constexpr size_t kMaxExpansionItemsRead = 2 * kMaxPlaylistEntries;

// Keeps the text up to its last line break: the line after it was cut.
void dropCutLine(std::string& bytes) {
  const size_t end = bytes.find_last_of("\r\n");
  bytes.resize(end == std::string::npos ? 0 : end + 1);
}

}  // namespace

struct PlaylistFile::Expansion {
  std::vector<std::string> open;                        // files being expanded, outermost first
  std::map<std::string, std::shared_ptr<PlaylistRead>> read;  // files read, by path
  size_t visits = 0;
  size_t itemsRead = 0;
  PlaylistTracks out;
};

PlaylistFile::PlaylistFile(FileSystem& files, FileWriter& writer, PlaylistPaths paths)
    : files_(files), writer_(writer), paths_(std::move(paths)) {}

PlaylistRead PlaylistFile::read(const std::string& path) const {
  std::string bytes;
  bool whole = true;
  if (!readBytes(path, bytes, whole)) return {};
  PlaylistRead result = parse(bytes, path);
  result.cut = result.cut || !whole;
  return result;
}

bool PlaylistFile::readBytes(const std::string& path, std::string& bytes, bool& whole) const {
  std::unique_ptr<ByteFile> file = files_.openRead(path.c_str());
  if (!file) return false;
  const int64_t size = file->size();
  bytes.reserve(size_t(std::clamp<int64_t>(size, 0, int64_t(kMaxPlaylistBytes))));
  char chunk[kReadChunk];
  for (;;) {
    const size_t room = kMaxPlaylistBytes + 1 - bytes.size();  // one more byte tells a longer file
    const int32_t n = file->read(chunk, int32_t(std::min<size_t>(room, sizeof chunk)));
    if (n == 0) return true;
    if (n < 0) break;  // a damaged file: keep its whole lines
    bytes.append(chunk, size_t(n));
    if (bytes.size() > kMaxPlaylistBytes) break;
  }
  whole = false;
  dropCutLine(bytes);
  return true;
}

PlaylistRead PlaylistFile::parse(std::string_view bytes, const std::string& playlistPath) const {
  PlaylistRead result;
  result.opened = true;
  const PlaylistLines lines = playlistLines(fromMarkedText(bytes));
  result.cut = lines.cut;
  const std::string folder = PlaylistPaths::folderOf(playlistPath);
  result.items.reserve(lines.paths.size());
  for (const std::string& line : lines.paths) {
    ListItem item = itemFor(line, folder);
    if (item.path.empty()) {
      result.cut = true;  // nothing usable on the line (a NUL byte, an empty URI)
      continue;
    }
    result.items.push_back(std::move(item));
  }
  return result;
}

ListItem PlaylistFile::itemFor(std::string_view line, const std::string& folder) const {
  const std::vector<std::string> candidates = paths_.candidates(line, folder);
  if (candidates.empty()) return {};
  for (const std::string& path : candidates) {
    std::unique_ptr<ByteFile> file = files_.openRead(path.c_str());
    if (!file) continue;
    if (PlaylistPaths::isPlaylistFileName(path)) return makeListItem(path, kPlaylistFileSize);
    const int64_t size = std::max<int64_t>(file->size(), 0);
    return makeListItem(path, int32_t(uint32_t(uint64_t(size))));  // the desk's key: the low 32 bits
  }
  const std::string& first = candidates.front();
  return makeListItem(first, PlaylistPaths::isPlaylistFileName(first) ? kPlaylistFileSize : 0);
}

bool PlaylistFile::expandInto(std::vector<ListItem>& items, size_t index) const {
  if (index >= items.size() || !items[index].isPlaylistFile()) return false;
  PlaylistRead listed = read(items[index].path);
  if (!listed.opened) return false;
  const auto at = items.erase(items.begin() + std::ptrdiff_t(index));
  items.insert(at, std::make_move_iterator(listed.items.begin()), std::make_move_iterator(listed.items.end()));
  return true;
}

PlaylistTracks PlaylistFile::trackPaths(const std::vector<ListItem>& items) const {
  Expansion state;
  expand(items, 0, state);
  return std::move(state.out);
}

void PlaylistFile::expand(const std::vector<ListItem>& items, int depth, Expansion& state) const {
  PlaylistTracks& out = state.out;
  for (const ListItem& item : items) {
    if (out.paths.size() >= kMaxPlaylistEntries || ++state.visits > kMaxExpansionVisits) {
      out.complete = false;
      return;
    }
    if (!item.isPlaylistFile()) {
      out.paths.push_back(item.path);
      continue;
    }
    if (std::find(state.open.begin(), state.open.end(), item.path) != state.open.end()) continue;  // lists itself
    if (depth >= kMaxPlaylistDepth) {
      out.complete = false;
      continue;
    }
    const auto known = state.read.find(item.path);
    std::shared_ptr<PlaylistRead> listed = known == state.read.end() ? nullptr : known->second;
    if (!listed) {
      if (state.read.size() >= kMaxPlaylistFilesRead || state.itemsRead >= kMaxExpansionItemsRead) {
        out.complete = false;
        continue;
      }
      listed = std::make_shared<PlaylistRead>(read(item.path));
      state.read[item.path] = listed;
      state.itemsRead += listed->items.size();
    }
    if (!listed->opened) {
      out.paths.push_back(item.path);  // expansion leaves an unopenable file in place
      continue;
    }
    if (listed->cut) out.complete = false;
    state.open.push_back(item.path);
    expand(listed->items, depth + 1, state);
    state.open.pop_back();
  }
}

PlaylistWrite PlaylistFile::write(const std::string& path, const std::vector<ListItem>& items) const {
  PlaylistTracks tracks = trackPaths(items);
  PlaylistWrite result;
  result.complete = tracks.complete;
  result.paths = tracks.paths.size();
  result.written = !path.empty() && writer_.replace(path, textOf(tracks.paths));
  return result;
}

std::string PlaylistFile::textOf(const std::vector<std::string>& paths) {
  size_t bytes = 0;
  for (const std::string& p : paths) bytes += p.size() + 1;
  std::string text;
  text.reserve(bytes);
  for (const std::string& p : paths) {
    text += p;
    text += '\n';
  }
  return text;
}

}  // namespace zarnel
