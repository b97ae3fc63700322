// libFuzzer target: the scan list over an arbitrary file. Searching step by
// step must show exactly what one search over the whole list shows, and the
// written file must load back as the items that kept their paths.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "library/ScanList.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace {

using namespace zarnel;

char upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

// The search's rule, written out plainly: the path contains the upper-cased
// text, with a to z folded.
std::vector<int32_t> matching(const ScanList& list, std::string_view typed) {
  std::string text(typed), path;
  std::transform(text.begin(), text.end(), text.begin(), upper);
  std::vector<int32_t> out;
  for (size_t i = 0; i < list.items().size(); ++i) {
    path = list.items()[i].path;
    std::transform(path.begin(), path.end(), path.begin(), upper);
    if (text.empty() || path.find(text) != std::string::npos) out.push_back(int32_t(i));
  }
  return out;
}

// Types the input's first line letter by letter, then deletes back.
void checkSearches(ScanList& list, std::string_view text) {
  std::string_view typed = text.substr(0, std::min<size_t>(text.find_first_of("\r\n"), 12));
  for (size_t n = 0; n <= typed.size(); ++n) {
    list.search(typed.substr(0, n));
    if (list.shown() != matching(list, typed.substr(0, n))) std::abort();
  }
  for (size_t n = typed.size(); n-- > 0;) {
    list.search(typed.substr(0, n));
    if (list.shown() != matching(list, typed.substr(0, n))) std::abort();
  }
}

void checkWriteBack(ScanList& list, std::string_view text) {
  std::string prefix(text.substr(0, std::min<size_t>(text.size(), 3)));
  list.removePrefix(prefix);
  if (!prefix.empty() && list.hasPrefix(prefix)) std::abort();
  std::vector<ScanItem> kept;
  for (const ScanItem& item : list.items())
    if (!item.path.empty()) kept.push_back(item);
  VirtualFileSystem files;
  if (!list.writeAll(files, kScanListFile)) std::abort();
  ScanList back;
  if (!back.load(files, kScanListFile) || back.items().size() != kept.size()) std::abort();
  for (size_t i = 0; i < kept.size(); ++i)
    if (back.items()[i].path != kept[i].path || back.items()[i].size != kept[i].size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  ScanList list;
  list.parse(text);
  if (list.shown().size() != list.items().size()) std::abort();
  checkSearches(list, text);
  checkWriteBack(list, text);
  return 0;
}
