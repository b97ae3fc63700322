// libFuzzer target: a playlist file of arbitrary bytes. Reading it must stay
// within the bounds and give only usable paths with the title rule's titles;
// writing what was read and reading that back must give the same items (a
// path may only turn into one of its own candidates that exists), and a
// second round must change nothing. The playlist's operations over it (a
// nested copy of the same bytes, files that list themselves) must end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/PlayHistory.h"
#include "library/Playlist.h"
#include "library/PlaylistFile.h"
#include "library/TextEncoding.h"
#include "platform/virtual/VirtualDriveList.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/MemoryFileWriter.h"

namespace {

using namespace zarnel;

void check(bool ok) {
  if (!ok) std::abort();
}

void checkItems(const PlaylistRead& got, VirtualFileSystem& files) {
  check(got.opened);
  check(got.items.size() <= kMaxPlaylistEntries);
  for (const ListItem& item : got.items) {
    const std::string& p = item.path;
    check(!p.empty() && p.size() <= kMaxPlaylistLineBytes);
    check(p.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos);
    check(isValidUtf8(p) || files.exists(p));
    const ListItem same = makeListItem(p, item.sizeKey);
    check(same.title == item.title && same.author == item.author);
    check(item.isPlaylistFile() == PlaylistPaths::isPlaylistFileName(p));
  }
}

// Playlist files become plain tracks, so that writing keeps them as paths.
std::vector<ListItem> flat(std::vector<ListItem> items) {
  for (ListItem& item : items)
    if (item.isPlaylistFile()) item.sizeKey = 0;
  return items;
}

void checkRoundTrip(const PlaylistFile& playlists, VirtualFileSystem& files, const PlaylistRead& first) {
  // Written over the file read, so that the names that exist stay the same.
  const PlaylistWrite w = playlists.write("/pl/list.m3u", flat(first.items));
  check(w.written && w.complete && w.paths == first.items.size());
  const PlaylistRead second = playlists.read("/pl/list.m3u");
  checkItems(second, files);
  check(second.items.size() == first.items.size());
  for (size_t i = 0; i < first.items.size(); ++i) {
    const std::string& was = first.items[i].path;
    const std::string& now = second.items[i].path;
    if (now == was) continue;
    check(files.exists(now) && !files.exists(was));
    bool candidate = false;
    for (const std::string& c : playlists.paths().candidates(was, "/pl/")) candidate = candidate || c == now;
    check(candidate);
  }
  check(playlists.write("/pl/list.m3u", flat(second.items)).written);
  const PlaylistRead third = playlists.read("/pl/list.m3u");
  check(third.items.size() == second.items.size());
  for (size_t i = 0; i < third.items.size(); ++i) check(third.items[i].path == second.items[i].path);
}

void exercisePlaylist(const PlaylistFile& playlists, test::MemoryFileWriter& writer) {
  int n = 0;
  Playlist list(playlists, nullptr, [&n] { return n++ * 7919; });
  check(list.load("/pl/list.m3u"));
  list.insert(1, {makeListItem("/pl/inner.m3u", kPlaylistFileSize)});
  for (size_t i = 0; i < list.size() && i < 8; ++i) list.expandAt(i);
  for (int i = 0; i < 16 && list.next(); ++i) {
  }
  list.shuffle();
  PlayHistory history(writer);
  list.removePlayed(history);
  const PlaylistWrite saved = list.save("/pl/saved.m3u");
  check(saved.written && saved.paths <= kMaxPlaylistEntries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VirtualFileSystem files;
  const std::vector<uint8_t> bytes(data, data + size);
  files.put("/pl/list.m3u", bytes);
  files.put("/pl/inner.m3u", bytes);
  files.put("/pl/a.mp3", std::vector<uint8_t>(3, 0));
  files.put("/Music/b.mp3", std::vector<uint8_t>(5, 0));
  VirtualDriveList drives;
  drives.addDrive("C:\\", DriveType::kFixed);
  drives.addDrive("D:\\", DriveType::kCdRom);
  test::MemoryFileWriter writer(files);
  const PlaylistFile playlists(files, writer, PlaylistPaths::forDrives(drives, '/'));

  const PlaylistRead first = playlists.read("/pl/list.m3u");
  checkItems(first, files);
  checkRoundTrip(playlists, files, first);
  files.put("/pl/list.m3u", bytes);
  exercisePlaylist(playlists, writer);
  return 0;
}
