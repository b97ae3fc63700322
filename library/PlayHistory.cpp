#include "library/PlayHistory.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "library/DateStamp.h"
#include "library/FileWriter.h"
#include "library/TrackEntry.h"

namespace zarnel {

PlayHistory::PlayHistory(FileWriter& writer, const LocalClock* clock, DateSource today)
    : writer_(writer), clock_(clock), today_(std::move(today)) {}

void PlayHistory::add(TrackEntry* entry) {
  if (!entry) return;
  const LocalTime now = clock_ ? clock_->now() : systemLocalTime();
  records_.push_front(PlayRecord{entry, now});
  ++counts_[entry];
  changed();
}

bool PlayHistory::contains(const TrackEntry* entry) const {
  return entry && counts_.count(entry) != 0;
}

size_t PlayHistory::remove(const TrackEntry* entry) {
  const auto found = counts_.find(entry);
  if (!entry || found == counts_.end()) return 0;
  counts_.erase(found);
  const auto kept = std::remove_if(records_.begin(), records_.end(),
                                   [entry](const PlayRecord& r) { return r.entry == entry; });
  const size_t removed = size_t(records_.end() - kept);
  records_.erase(kept, records_.end());
  changed();
  return removed;
}

void PlayHistory::clear() {
  records_.clear();
  counts_.clear();
  changed();
}

std::vector<std::string> PlayHistory::fileNames() const {
  std::vector<std::string> names;
  names.reserve(records_.size());
  for (const PlayRecord& r : records_) names.push_back(r.entry->name);
  return names;
}

std::string PlayHistory::text(int32_t date) const {
  char line[96];
  std::snprintf(line, sizeof line, "\nZarnel History - %.2i/%.2i/%.4i\n------------------------------\n\n",
                int(date % 64), int(date / 64 % 16), int(date / 1024));
  std::string out = line;
  for (const PlayRecord& r : records_) {
    std::snprintf(line, sizeof line, "%02i:%02i - ", int(r.time.hour), int(r.time.minute));
    out += line;
    out += r.entry->name;
    out += '\n';
  }
  return out;
}

bool PlayHistory::write(const std::string& path, bool append) const {
  if (path.empty()) return true;
  const std::string body = text(today_ ? today_() : todayStamp());
  return append ? writer_.append(path, body) : writer_.replace(path, body);
}

void PlayHistory::changed() const {
  if (onChange) onChange();
}

}  // namespace zarnel
