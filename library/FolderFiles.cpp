#include "library/FolderFiles.h"

#include "platform/FolderService.h"
#include "platform/TextCase.h"

namespace zarnel {
namespace {

constexpr int32_t kNotListed = kNotListedFile;
constexpr int32_t kTrack = 0;

bool endsWith(const std::string& name, std::string_view ending) {
  return name.size() >= ending.size() &&
         equalNoCase(std::string_view(name).substr(name.size() - ending.size()), ending);
}

int32_t sizeKeyOf(int64_t size) { return size < 0 ? 0 : int32_t(uint32_t(uint64_t(size) & 0xFFFFFFFFu)); }

}  // namespace

int32_t listedKind(const std::string& name) {
  for (std::string_view ending : {".mp3", ".wav", ".wma", ".asf", ".cda"})
    if (endsWith(name, ending)) return kTrack;
  for (std::string_view ending : {".pls", ".m3u"})
    if (endsWith(name, ending)) return kPlaylistFileSize;
  return kNotListed;
}

std::string joinPath(const std::string& folder, const std::string& name, char separator) {
  if (folder.empty()) return name;
  if (folder.back() == separator) return folder + name;
  return folder + separator + name;
}

std::vector<ListItem> folderFiles(FolderService& folders, const std::string& path) {
  const FolderListing listing = folders.list(path, kFolderListTimeoutMs);
  std::vector<ListItem> items;
  if (!listing.ok) return items;
  for (const FolderEntry& entry : listing.entries) {
    if (entry.folder) continue;
    std::string file = joinPath(path, entry.name, folders.separator());
    int32_t kind = kNotListed;
    if (entry.link && !entry.target.empty()) {
      kind = listedKind(entry.target);
      if (kind != kNotListed) file = entry.target;
    }
    if (kind == kNotListed) kind = listedKind(entry.name);
    if (kind == kNotListed) continue;
    items.push_back(
        makeListItem(std::move(file), kind == kPlaylistFileSize ? kPlaylistFileSize : sizeKeyOf(entry.size)));
  }
  return items;
}

}  // namespace zarnel
