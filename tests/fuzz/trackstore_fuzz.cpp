// libFuzzer target: the track store over an arbitrary file. A file the index
// refuses must come out byte for byte unchanged. A file it accepts must still
// load after every entry was read, changed to a size drawn from the input and
// saved again, and must then give back exactly what was saved.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "app/FatalError.h"
#include "library/TrackStore.h"
#include "platform/virtual/VirtualFileSystem.h"

namespace {

using namespace zarnel;

const std::string kPath = "home/zarnel Internal Database.";
constexpr int32_t kToday = 2024 * 1024 + 5 * 64 + 17;
constexpr int kMaxEntries = 96;
// Names longer than this could push a changed record past one block, which
// the store then cuts: those are left out of the comparison.
constexpr size_t kComparedName = 3500;

using Record = std::tuple<std::string, int32_t, float, std::string, size_t>;

struct Dice {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t next() { return size ? data[at++ % size] : 0; }
};

// Changes an entry's first beat, comment and cues, then lets the store save it.
Record rewrite(TrackStore& store, TrackEntry* e, int index, Dice& dice) {
  TrackData* d = store.acquire(e);
  d->v1 = float(index);
  d->cues.resize(dice.next() % 9);
  for (CueEntry& c : d->cues) c.label.assign(dice.next() % 5, 'L');
  e->comment = std::string(size_t(dice.next()) * 200 / 255, char('a' + index % 26));
  Record r{e->name, e->sizeKey, d->v1, *e->comment, d->cues.size()};
  store.release(e);
  return r;
}

std::vector<Record> rewriteAll(TrackStore& store, Dice& dice) {
  std::vector<Record> records;
  store.find("fuzz\\new.mp3", int32_t(dice.next()));
  int index = 0;
  for (TrackEntry* e = store.first(); e && index < kMaxEntries; e = e->next, ++index) {
    Record r = rewrite(store, e, index, dice);
    if (std::get<0>(r).size() <= kComparedName) records.push_back(std::move(r));
  }
  return records;
}

std::vector<Record> readAll(TrackStore& store) {
  std::vector<Record> records;
  for (TrackEntry* e = store.first(); e; e = e->next) {
    if (e->name.size() > kComparedName) continue;
    const TrackData* d = store.acquire(e);
    records.emplace_back(e->name, e->sizeKey, d->v1, store.comment(e), d->cues.size());
    store.release(e);
  }
  std::sort(records.begin(), records.end());
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  VirtualFileSystem files;
  std::vector<uint8_t> original(data, data + size);
  files.put(kPath, original);
  Dice dice{data, size};
  clearFatalError();
  std::vector<Record> saved;
  bool loaded = false;
  {
    TrackStore store(files, kToday);
    loaded = store.open("home");
    saved = rewriteAll(store, dice);
  }
  if (!loaded) {
    if (files.bytes(kPath) != original || files.bytesWritten(kPath) != 0) std::abort();
    return 0;
  }
  clearFatalError();
  TrackStore again(files, kToday);
  if (!again.open("home")) std::abort();
  int entries = 0;
  for (TrackEntry* e = again.first(); e; e = e->next) ++entries;
  // Past kMaxEntries some entries kept their old records: nothing to compare.
  if (entries <= kMaxEntries) {
    std::sort(saved.begin(), saved.end());
    if (readAll(again) != saved) std::abort();
  }
  return 0;
}
