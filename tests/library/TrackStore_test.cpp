#include "library/TrackStore.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FatalError.h"
#include "app/Settings.h"
#include "library/DateStamp.h"
#include "platform/virtual/VirtualFileSystem.h"
#include "support/Bytes.h"

namespace zarnel {
namespace {

const std::string kFile = "home/zarnel Internal Database.";
constexpr int32_t kToday = dateStamp(2024, 5, 17);

// --- Files built by hand, byte by byte, as the format lays them out ---------

struct BlockSpec {
  std::string name = "a.mp3";
  std::string comment;
  int32_t sizeKey = 1000;
  float bpm = 0.0f;
  int32_t lastUse = 0;
  int32_t version = 2;
  TrackData values;
  int32_t cueCount = -1;  // -1: the number of cues given
};

void putFloat(std::vector<uint8_t>& v, float x) { test::put32(v, std::bit_cast<uint32_t>(x)); }
void putText(std::vector<uint8_t>& v, const std::string& s) {
  v.insert(v.end(), s.begin(), s.end());
  v.push_back(0);
}

std::vector<uint8_t> usedBlock(const BlockSpec& b) {
  std::vector<uint8_t> v;
  test::put32(v, 0);
  test::put32(v, uint32_t(12 + b.name.size() + 1 + b.comment.size() + 1));
  test::put32(v, uint32_t(b.sizeKey));
  putFloat(v, b.bpm);
  test::put32(v, uint32_t(b.lastUse));
  putText(v, b.name);
  putText(v, b.comment);
  test::put32(v, uint32_t(b.version));
  for (float x : {b.values.v1, b.values.v2, b.values.v3}) putFloat(v, x);
  for (int32_t x : {b.values.v4, b.values.v5, b.values.v6, b.values.v7, b.values.v8})
    test::put32(v, uint32_t(x));
  test::put32(v, uint32_t(b.cueCount >= 0 ? b.cueCount : int32_t(b.values.cues.size())));
  for (const CueEntry& c : b.values.cues) {
    putFloat(v, c.position);
    test::put32(v, uint32_t(c.value));
    v.push_back(c.flag);
    putText(v, c.label);
  }
  v.resize((v.size() + 7) / 8 * 8, 0);
  uint32_t size = uint32_t(v.size());
  std::memcpy(v.data(), &size, 4);
  return v;
}

std::vector<uint8_t> freeBlock(int32_t size) {
  std::vector<uint8_t> v;
  test::put32(v, uint32_t(size));
  v.resize(size_t(size), 0);
  return v;
}

std::vector<uint8_t> concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A block of `size` bytes for name: the comment pads it out.
BlockSpec sized(const std::string& name, int32_t size, float v1 = 0.0f) {
  BlockSpec b;
  b.name = name;
  b.comment.assign(size_t(size - (8 + 12 + 40 + 2) - int32_t(name.size())), 'c');
  b.values.v1 = v1;
  return b;
}

struct Head {
  int64_t at;
  int32_t size;
  int32_t header;
  bool operator==(const Head&) const = default;
};

// The chain of heads from offset 0, as a reader follows it.
std::vector<Head> chain(const std::vector<uint8_t>& f) {
  std::vector<Head> heads;
  for (size_t at = 0; at + 8 <= f.size();) {
    int32_t s, h;
    std::memcpy(&s, f.data() + at, 4);
    std::memcpy(&h, f.data() + at + 4, 4);
    heads.push_back({int64_t(at), s, h});
    if (s < 8) break;
    at += size_t(s);
  }
  return heads;
}

bool isZero(const std::vector<uint8_t>& f, int64_t from, int64_t to) {
  for (int64_t i = from; i < to; ++i)
    if (f[size_t(i)] != 0) return false;
  return true;
}

// --- A store over an in-memory home folder ----------------------------------

struct Rig {
  VirtualFileSystem files;
  std::unique_ptr<TrackStore> store;

  bool open() {
    store.reset();
    clearFatalError();
    store = std::make_unique<TrackStore>(files, kToday);
    return store->open("home");
  }
  std::vector<uint8_t> file() const { return files.bytes(kFile); }
  TrackEntry* entry(const char* name, int32_t sizeKey = 1000) {
    return store->find(name, sizeKey);
  }
};

// --- The format ---------------------------------------------------------------

TrackData sampleValues() {
  TrackData d;
  d.v1 = 0.125f, d.v2 = 0.875f, d.v3 = 0.5f;
  d.v4 = 11, d.v5 = -12, d.v6 = 13, d.v7 = 14, d.v8 = 15;
  d.cues = {{0.25f, 7, 1, "drop"}, {0.75f, -1, 255, ""}};
  return d;
}

void copyValues(const TrackData& from, TrackData& to) {
  TrackEntry* keep = to.entry;
  to = from;
  to.entry = keep;
}

TEST(TrackStoreFormat, SavedBlocksAreLaidOutByteForByte) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("C:\\Music\\Set\\a.mp3", 5000);
  copyValues(sampleValues(), *rig.store->acquire(e));
  e->bpm = 127.5f;
  rig.store->release(e);
  rig.store->setComment(rig.entry("/music/b.wav", 77), "warm up");

  BlockSpec a;
  a.sizeKey = 5000, a.bpm = 127.5f, a.lastUse = kToday, a.values = sampleValues();
  BlockSpec b;
  b.name = "b.wav", b.comment = "warm up", b.sizeKey = 77, b.lastUse = kToday;
  EXPECT_EQ(rig.file(), concat({usedBlock(a), usedBlock(b)}));
}

TEST(TrackStoreFormat, OlderVersionsReadWithTheirDefaults) {
  Rig rig;
  BlockSpec v0 = sized("v0.mp3", 96), v1 = sized("v1.mp3", 96), bad = sized("neg.mp3", 96);
  v0.version = 0, v1.version = 1, bad.version = -1;
  for (BlockSpec* b : {&v0, &v1, &bad}) copyValues(sampleValues(), b->values);
  rig.files.put(kFile, concat({usedBlock(v0), usedBlock(v1), usedBlock(bad)}));
  ASSERT_TRUE(rig.open());

  const TrackData* d0 = rig.store->acquire(rig.entry("v0.mp3"));
  EXPECT_EQ(d0->v1, 0.125f);
  EXPECT_EQ(d0->v7, 14);
  EXPECT_EQ(d0->v8, 0);  // reset below version 2
  EXPECT_TRUE(d0->cues.empty());
  const TrackData* d1 = rig.store->acquire(rig.entry("v1.mp3"));
  EXPECT_EQ(d1->v8, 0);
  ASSERT_EQ(d1->cues.size(), 2u);
  EXPECT_EQ(d1->cues[0].label, "drop");
  EXPECT_EQ(d1->cues[1].flag, 255);
  const TrackData* dn = rig.store->acquire(rig.entry("neg.mp3"));
  EXPECT_EQ(dn->v1, 0.0f);
  EXPECT_EQ(dn->v7, 1);
}

TEST(TrackStoreFormat, HostileBodiesReadWhatFitsWithoutHugeAllocations) {
  Rig rig;
  BlockSpec many = sized("many.mp3", 96);
  copyValues(sampleValues(), many.values);
  many.cueCount = 0x7fffffff;
  BlockSpec torn = sized("torn.mp3", 96);
  torn.values.cues = {{0.5f, 1, 0, "x"}};
  std::vector<uint8_t> tornBytes = usedBlock(torn);
  // The cue's label runs into the padding and past the block's end: no NUL.
  std::fill(tornBytes.end() - 2 - 8, tornBytes.end(), uint8_t('x'));
  rig.files.put(kFile, concat({usedBlock(many), tornBytes}));
  ASSERT_TRUE(rig.open());
  EXPECT_EQ(rig.store->acquire(rig.entry("many.mp3"))->cues.size(), 2u);
  const TrackData* t = rig.store->acquire(rig.entry("torn.mp3"));
  EXPECT_TRUE(t->cues.empty());
  EXPECT_EQ(t->v7, 1);
}

TEST(TrackStoreFormat, OversizedRecordsAreCutToABlockThatReadsBack) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("long.mp3");
  TrackData* d = rig.store->acquire(e);
  for (int i = 0; i < 600; ++i) d->cues.push_back({float(i), i, 0, "label"});
  e->comment = std::string(5000, 'k');
  rig.store->release(e);
  std::vector<Head> heads = chain(rig.file());
  ASSERT_EQ(heads.size(), 1u);
  EXPECT_LE(heads[0].size, 4096);

  ASSERT_TRUE(rig.open());
  e = rig.entry("long.mp3");
  d = rig.store->acquire(e);
  EXPECT_TRUE(d->cues.empty());  // cues go first, then the comment's tail
  EXPECT_EQ(std::string(rig.store->comment(e)), std::string(4096 - 8 - 12 - 40 - 2 - 8, 'k'));
}

// --- Entries and the index ------------------------------------------------------

TEST(TrackStoreIndex, SameNameAndSizeShareOneEntry) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("C:\\Music\\song.mp3", 100);
  EXPECT_EQ(rig.entry("D:\\Copies\\song.mp3", 100), e);
  EXPECT_EQ(rig.entry("song.mp3", 100), e);
  EXPECT_NE(rig.entry("C:\\Music\\song.mp3", 101), e);
  EXPECT_NE(rig.entry("C:\\Music\\SONG.mp3", 100), e);
  EXPECT_EQ(rig.store->find(nullptr, 100), nullptr);

  rig.store->setTypedBpm(e, 128.0f);
  ASSERT_TRUE(rig.open());
  e = rig.entry("E:\\elsewhere\\song.mp3", 100);
  EXPECT_EQ(e->bpm, 128.0f);
  EXPECT_EQ(e->blockOffset, 0);
}

TEST(TrackStoreIndex, TheLastBlockOfTheFileIsFoundFirst) {
  Rig rig;
  BlockSpec older = sized("twin.mp3", 96, 0.1f), newer = sized("twin.mp3", 96, 0.2f);
  rig.files.put(kFile, concat({usedBlock(older), usedBlock(newer)}));
  ASSERT_TRUE(rig.open());
  EXPECT_EQ(rig.store->first()->blockOffset, 96);
  EXPECT_EQ(rig.store->first()->next->blockOffset, 0);
  EXPECT_EQ(rig.store->acquire(rig.entry("twin.mp3"))->v1, 0.2f);
}

struct Damage {
  const char* what;
  std::vector<uint8_t> bytes;
};

std::vector<Damage> damagedFiles() {
  std::vector<uint8_t> good = usedBlock(sized("good.mp3", 96));
  auto withHead = [&](int32_t s, int32_t h) {
    std::vector<uint8_t> v = good;
    std::memcpy(v.data(), &s, 4);
    std::memcpy(v.data() + 4, &h, 4);
    return v;
  };
  std::vector<uint8_t> big = withHead(4104, 60);
  big.resize(4104, 0);
  return {
      {"H = 13", withHead(96, 13)},
      {"S = 4104", big},
      {"H past 4096", withHead(96, 5000)},
      {"S below H + 12", withHead(60, 56)},
      {"a short head", concat({good, {1, 2, 3, 4, 5}})},
      {"a used block past the end", concat({good, withHead(400, 60)})},
      {"a free block below 8 bytes", concat({freeBlock(8), {4, 0, 0, 0, 0, 0, 0, 0}, good})},
      {"a huge free block past the end", concat({good, freeBlock(16), {0, 0, 0, 0x40, 0, 0, 0, 0}})},
      {"a negative size", concat({good, withHead(-96, 60)})},
  };
}

TEST(TrackStoreIndex, DamagedFilesStopStartUpAndAreNeverWritten) {
  for (const Damage& damage : damagedFiles()) {
    SCOPED_TRACE(damage.what);
    Rig rig;
    rig.files.put(kFile, damage.bytes);
    EXPECT_FALSE(rig.open());
    EXPECT_EQ(fatalError(), kErrorDataBase);
    EXPECT_TRUE(rig.store->readOnly());
    for (const char* name : {"good.mp3", "new.mp3"}) {
      TrackEntry* e = rig.entry(name);
      rig.store->acquire(e)->v1 = 0.5f;
      rig.store->release(e);
      rig.store->acquire(e);
    }
    rig.store.reset();  // closes, with data still held
    EXPECT_EQ(rig.file(), damage.bytes);
    EXPECT_EQ(rig.files.bytesWritten(kFile), 0);
  }
  clearFatalError();
}

TEST(TrackStoreIndex, AReadFailureIsAFileSystemError) {
  Rig rig;
  rig.files.put(kFile, concat({usedBlock(sized("a.mp3", 96)), usedBlock(sized("b.mp3", 96))}));
  rig.files.failReadsAfter(kFile, 100);
  EXPECT_FALSE(rig.open());
  EXPECT_EQ(fatalError(), kErrorFile);
  EXPECT_TRUE(rig.store->readOnly());
  clearFatalError();
}

TEST(TrackStoreIndex, AFileHeldByAnotherProgramOpensReadOnly) {
  Rig rig;
  std::vector<uint8_t> bytes = usedBlock(sized("held.mp3", 96, 0.3f));
  rig.files.put(kFile, bytes);
  rig.files.lockWrites(kFile, true);
  ASSERT_TRUE(rig.open());
  EXPECT_TRUE(rig.store->readOnly());
  TrackEntry* e = rig.entry("held.mp3");
  EXPECT_EQ(rig.store->acquire(e)->v1, 0.3f);
  rig.store->setTypedBpm(e, 140.0f);
  rig.store.reset();
  EXPECT_EQ(rig.file(), bytes);
}

TEST(TrackStoreIndex, AnAppendCutShortIsDroppedAtTheNextStart) {
  std::vector<uint8_t> good = usedBlock(sized("good.mp3", 96));
  std::vector<uint8_t> cutBlock = usedBlock(sized("cut.mp3", 200));
  cutBlock.resize(120);
  std::memset(cutBlock.data() + 4, 0, 4);  // still under its free head
  for (const auto& tail : {cutBlock, std::vector<uint8_t>(100, 0), std::vector<uint8_t>(5, 0)}) {
    Rig rig;
    rig.files.put(kFile, concat({good, tail}));
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.file(), good);
    EXPECT_EQ(rig.store->first()->name, "good.mp3");
  }
}

// --- Holders and typed tempos ------------------------------------------

TEST(TrackStoreData, OnlyTheLastHolderSavesAndEveryHolderStampsTheDate) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("a.mp3");
  rig.store->release(e);  // nothing held: nothing happens
  TrackData* d = rig.store->acquire(e);
  EXPECT_EQ(rig.store->acquire(e), d);
  EXPECT_EQ(e->users, 2);
  EXPECT_EQ(e->lastUse, kToday);
  d->v3 = 0.25f;
  rig.store->release(e);
  EXPECT_TRUE(rig.file().empty());
  EXPECT_EQ(e->data, d);
  rig.store->release(e);
  EXPECT_EQ(e->data, nullptr);
  EXPECT_EQ(e->users, 0);
  EXPECT_EQ(rig.store->acquire(e)->v3, 0.25f);
}

TEST(TrackStoreData, DataSavedUnchangedLeavesTheFileUnwritten) {
  Rig rig;
  BlockSpec b = sized("a.mp3", 96, 0.3f);
  b.lastUse = kToday;
  b.values.cues = {{0.5f, 3, 1, "in"}};
  rig.files.put(kFile, concat({usedBlock(b), usedBlock(sized("b.mp3", 96))}));
  const std::vector<uint8_t> before = rig.file();
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("a.mp3");
  rig.store->acquire(e);
  rig.store->release(e);
  rig.store->acquire(e);  // still held at close
  rig.store.reset();
  EXPECT_EQ(rig.files.bytesWritten(kFile), 0);
  EXPECT_EQ(rig.file(), before);
  // A change is written, in place.
  ASSERT_TRUE(rig.open());
  e = rig.entry("a.mp3");
  rig.store->acquire(e)->v3 = 0.75f;
  rig.store->release(e);
  EXPECT_GT(rig.files.bytesWritten(kFile), 0);
  EXPECT_EQ(chain(rig.file()), chain(before));
}

TEST(TrackStoreData, ATypedTempoLocksOnlyBetweenOneAnd999) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  TrackEntry* e = rig.entry("a.mp3");
  for (float bpm : {128.0f, 0.0f, 999.0f, 1.0f, 998.5f}) {
    SCOPED_TRACE(bpm);
    rig.store->setTypedBpm(e, bpm);
    ASSERT_TRUE(rig.open());
    e = rig.entry("a.mp3");
    EXPECT_EQ(e->bpm, bpm);
    EXPECT_EQ(rig.store->acquire(e)->v6, bpm > 1.0f && bpm < 999.0f ? kUserBpmLock : 0);
    rig.store->release(e);
  }
}

TEST(TrackStoreData, DiscPathsResolveOnTheCdDriveSetting) {
  Rig rig;
  ASSERT_TRUE(rig.open());
  settings().cdDrive = "E:\\";
  rig.files.put("E:\\Music\\t.mp3", {1});
  std::string path, message;
  EXPECT_TRUE(rig.store->resolveDiscPath("CD1=\\Music\\t.mp3", path, message));
  EXPECT_EQ(path, "E:\\Music\\t.mp3");
  EXPECT_FALSE(rig.store->resolveDiscPath("CD2=\\Music\\u.mp3", path, message));
  EXPECT_EQ(message, "CD2\nis not\nin the drive");
  settings().cdDrive.clear();
}

// --- Placing saved blocks ------------------------------------------------------

// Rewrites name's record with a comment that makes its block `size` bytes and
// a new first beat.
void saveAs(TrackStore& store, const std::string& name, int32_t size, float v1) {
  TrackEntry* e = store.find(name.c_str(), 1000);
  store.acquire(e)->v1 = v1;
  e->comment = std::string(size_t(size - 62 - int32_t(name.size())), 'g');
  store.release(e);
}

struct Layout {
  const char* what;
  std::vector<uint8_t> before;
  int32_t newSize;
  std::vector<Head> after;  // heads; a free block has header 0
};

std::vector<uint8_t> A(int32_t size) { return usedBlock(sized("a.mp3", size, 0.1f)); }
std::vector<uint8_t> B() { return usedBlock(sized("b.mp3", 96, 0.2f)); }
std::vector<uint8_t> C() { return usedBlock(sized("c.mp3", 96, 0.3f)); }

std::vector<Layout> layouts() {
  constexpr int32_t kB = 96 - 48;
  constexpr int32_t kA96 = 96 - 48, kA200 = 200 - 48;  // header lengths: S - 48 without cues
  return {
      {"shrinking at the end leaves a free block over the rest", concat({B(), A(200)}), 96,
       {{0, 96, kB}, {96, 96, kA96}, {192, 104, 0}}},
      {"shrinking merges the rest with the free blocks after it",
       concat({A(200), freeBlock(48), B()}), 96, {{0, 96, kA96}, {96, 152, 0}, {248, 96, kB}}},
      {"growing into the free blocks behind it", concat({A(96), freeBlock(200), B()}), 200,
       {{0, 200, kA200}, {200, 96, 0}, {296, 96, kB}}},
      {"growing moves to the first free block that fits",
       concat({freeBlock(48), A(96), B(), freeBlock(256), C()}), 200,
       {{0, 48, 0}, {48, 96, 0}, {144, 96, kB}, {240, 200, kA200}, {440, 56, 0}, {496, 96, kB}}},
      {"the old place merges with the free blocks after it",
       concat({A(96), freeBlock(32), B(), freeBlock(256)}), 200,
       {{0, 128, 0}, {128, 96, kB}, {224, 200, kA200}, {424, 56, 0}}},
      {"the rest of the new place merges with the old place",
       concat({freeBlock(256), A(96), freeBlock(16), B()}), 200,
       {{0, 200, kA200}, {200, 168, 0}, {368, 96, kB}}},
      {"growing with no free block large enough appends", concat({A(96), B(), freeBlock(64)}),
       200, {{0, 96, 0}, {96, 96, kB}, {192, 64, 0}, {256, 200, kA200}}},
  };
}

TEST(TrackStoreSave, BlocksArePlacedInPlaceByFirstFitOrAtTheEnd) {
  for (const Layout& layout : layouts()) {
    SCOPED_TRACE(layout.what);
    Rig rig;
    rig.files.put(kFile, layout.before);
    ASSERT_TRUE(rig.open());
    saveAs(*rig.store, "a.mp3", layout.newSize, 0.7f);
    std::vector<uint8_t> after = rig.file();
    EXPECT_EQ(chain(after), layout.after);
    for (const Head& h : chain(after)) {
      if (h.header != 0) continue;
      EXPECT_TRUE(isZero(after, h.at + 8, h.at + h.size)) << h.at;
    }

    ASSERT_TRUE(rig.open());  // the next start loads without error
    TrackEntry* a = rig.entry("a.mp3");
    EXPECT_EQ(rig.store->acquire(a)->v1, 0.7f);
    EXPECT_EQ(std::string(rig.store->comment(a)).size(), size_t(layout.newSize - 67));
    EXPECT_EQ(rig.store->acquire(rig.entry("b.mp3"))->v1, 0.2f);
  }
}

TEST(TrackStoreSave, NewEntriesTakeTheFirstFreeBlockThatFits) {
  Rig rig;
  rig.files.put(kFile, concat({freeBlock(40), freeBlock(200), B()}));
  ASSERT_TRUE(rig.open());
  saveAs(*rig.store, "n.mp3", 96, 0.5f);
  EXPECT_EQ(chain(rig.file()), (std::vector<Head>{{0, 40, 0}, {40, 96, 48}, {136, 104, 0}, {240, 96, 48}}));
}

// --- Saves cut short --------------------------------------------------------------

struct Cut {
  const char* what;
  std::vector<uint8_t> before;
  std::string name;
  int32_t newSize;
  bool inPlace;  // written over its own block: that block may be torn
};

std::vector<Cut> cuts() {
  std::vector<uint8_t> rest = concat({B(), C()});
  return {
      {"shrink", concat({A(200), freeBlock(48), rest}), "a.mp3", 96, true},
      {"rewrite", concat({A(96), rest}), "a.mp3", 96, true},
      {"grow behind", concat({A(96), freeBlock(200), rest}), "a.mp3", 200, false},
      {"move and merge", concat({freeBlock(256), A(96), rest}), "a.mp3", 200, false},
      {"move", concat({B(), A(96), C(), freeBlock(256)}), "a.mp3", 200, false},
      {"append", concat({A(96), rest}), "a.mp3", 200, false},
      {"new into free", concat({freeBlock(200), rest}), "n.mp3", 96, false},
      {"new at the end", rest, "n.mp3", 96, false},
  };
}

// Power cuts at every byte of a save: disks write 8 aligned bytes (a block
// head) whole, and the next start reads what the cut left.
TEST(TrackStoreCrash, ACutSaveLeavesEveryOtherBlockIntactAndTheFileLoadable) {
  for (const Cut& cut : cuts()) {
    Rig rig;
    rig.files.put(kFile, cut.before);
    ASSERT_TRUE(rig.open());
    saveAs(*rig.store, cut.name, cut.newSize, 0.9f);
    int64_t total = rig.files.bytesWritten(kFile);
    ASSERT_GT(total, 0);
    for (int64_t limit = 0; limit < total; ++limit) {
      SCOPED_TRACE(std::string(cut.what) + " cut after " + std::to_string(limit));
      rig.files.put(kFile, cut.before);
      ASSERT_TRUE(rig.open());
      rig.files.failWritesAfter(kFile, limit, 8);
      saveAs(*rig.store, cut.name, cut.newSize, 0.9f);
      rig.files.failWritesAfter(kFile, -1);
      ASSERT_TRUE(rig.open());
      EXPECT_EQ(fatalError(), kErrorNone);
      EXPECT_EQ(rig.store->acquire(rig.entry("b.mp3"))->v1, 0.2f);
      EXPECT_EQ(rig.store->acquire(rig.entry("c.mp3"))->v1, 0.3f);
      EXPECT_EQ(std::string(rig.store->comment(rig.entry("c.mp3"))).size(), 96u - 67u);
      float saved = rig.store->acquire(rig.entry(cut.name.c_str()))->v1;
      if (!cut.inPlace) {
        EXPECT_TRUE(saved == 0.1f || saved == 0.9f || saved == 0.0f) << saved;
      }
    }
  }
}

// A failed write (a full disk) stops the save; the store goes on working.
TEST(TrackStoreCrash, AFailedSaveKeepsTheOldBlockWhenItMoves) {
  Rig rig;
  rig.files.put(kFile, concat({B(), A(96), C()}));
  ASSERT_TRUE(rig.open());
  rig.files.failWritesAfter(kFile, 150, 8);
  saveAs(*rig.store, "a.mp3", 200, 0.9f);
  EXPECT_EQ(rig.entry("a.mp3")->blockOffset, 96);
  rig.files.failWritesAfter(kFile, -1);
  ASSERT_TRUE(rig.open());
  EXPECT_EQ(rig.store->acquire(rig.entry("a.mp3"))->v1, 0.1f);
  EXPECT_EQ(chain(rig.file()).size(), 3u);  // the cut append was dropped
}

// --- One writer at a time ---------------------------------------------------

// Waits as long as told, doing something on a given call (the other
// program finishing, in these tests).
struct ScriptedWait : TrackStoreWait {
  bool keepWaiting(int32_t waitedMs) override {
    waits.push_back(waitedMs);
    if (int32_t(waits.size()) == actOnCall && act) act();
    return int32_t(waits.size()) <= giveUpAfter;
  }
  std::vector<int32_t> waits;
  int32_t giveUpAfter = 1000;
  int32_t actOnCall = -1;
  std::function<void()> act;
};

TEST(TrackStoreLock, ASecondStoreOpensReadOnlyWhileTheFirstMayWrite) {
  VirtualFileSystem files;
  clearFatalError();
  TrackStore first(files, kToday);
  ASSERT_TRUE(first.open("home"));
  EXPECT_FALSE(first.readOnly());
  EXPECT_FALSE(first.heldElsewhere());
  TrackEntry* a = first.find("a.mp3", 1000);
  first.acquire(a)->v1 = 0.25f;
  first.release(a);

  TrackStore second(files, kToday);
  ASSERT_TRUE(second.open("home"));
  EXPECT_TRUE(second.readOnly());
  EXPECT_TRUE(second.heldElsewhere());
  TrackEntry* seen = second.find("a.mp3", 1000);
  EXPECT_EQ(second.acquire(seen)->v1, 0.25f);  // the file as it was when opened
  second.setTypedBpm(seen, 128.0f);            // written nowhere
  second.close();
  first.close();
  TrackStore after(files, kToday);
  ASSERT_TRUE(after.open("home"));
  EXPECT_EQ(after.find("a.mp3", 1000)->bpm, 0.0f);
}

TEST(TrackStoreLock, AWaitingStoreLoadsWhatTheFirstOneSavedBeforeLettingGo) {
  VirtualFileSystem files;
  clearFatalError();
  auto first = std::make_unique<TrackStore>(files, kToday);
  ASSERT_TRUE(first->open("home"));
  TrackEntry* a = first->find("a.mp3", 1000);
  first->acquire(a)->v1 = 0.25f;  // saved only when the first store closes

  TrackStore second(files, kToday);
  ScriptedWait wait;
  wait.actOnCall = 3;
  wait.act = [&] { first.reset(); };
  ASSERT_TRUE(second.open("home", &wait));
  EXPECT_FALSE(second.readOnly());
  EXPECT_FALSE(second.heldElsewhere());
  EXPECT_EQ(wait.waits, (std::vector<int32_t>{0, kWriterLockPollMs, 2 * kWriterLockPollMs}));
  TrackEntry* seen = second.find("a.mp3", 1000);
  EXPECT_GE(seen->blockOffset, 0);
  EXPECT_EQ(second.acquire(seen)->v1, 0.25f);
  TrackEntry* b = second.find("b.mp3", 2000);
  second.acquire(b)->v1 = 0.5f;
  second.close();

  TrackStore both(files, kToday);
  ASSERT_TRUE(both.open("home"));
  EXPECT_EQ(both.acquire(both.find("a.mp3", 1000))->v1, 0.25f);
  EXPECT_EQ(both.acquire(both.find("b.mp3", 2000))->v1, 0.5f);
}

TEST(TrackStoreLock, AWaitThatGivesUpOpensReadOnly) {
  Rig rig;
  rig.files.put(kFile, usedBlock(sized("held.mp3", 96, 0.3f)));
  rig.files.lockWrites(kFile, true);
  clearFatalError();
  TrackStore store(rig.files, kToday);
  ScriptedWait wait;
  wait.giveUpAfter = 4;
  ASSERT_TRUE(store.open("home", &wait));
  EXPECT_EQ(wait.waits.size(), 5u);
  EXPECT_TRUE(store.readOnly());
  EXPECT_TRUE(store.heldElsewhere());
  EXPECT_EQ(rig.files.clockMs(), 4 * kWriterLockPollMs);
  EXPECT_EQ(store.acquire(store.find("held.mp3", 1000))->v1, 0.3f);
}

// Beside a writer, a reader's entry may point at a block the writer has
// since freed and given to another track: that block is not its data.
TEST(TrackStoreLock, AReaderNeverTakesAnotherTracksBlockForItsOwn) {
  Rig rig;
  rig.files.put(kFile, concat({usedBlock(sized("a.mp3", 96, 0.1f)), usedBlock(sized("b.mp3", 96, 0.2f))}));
  ASSERT_TRUE(rig.open());  // the writer
  TrackStore reader(rig.files, kToday);
  ASSERT_TRUE(reader.open("home"));
  ASSERT_TRUE(reader.readOnly());
  TrackEntry* readersA = reader.find("a.mp3", 1000);
  ASSERT_EQ(readersA->blockOffset, 0);
  // The writer moves a.mp3 to the end (it grows) and c.mp3 takes its place.
  TrackEntry* a = rig.entry("a.mp3");
  rig.store->acquire(a);
  a->comment = std::string(200, 'g');
  rig.store->release(a);
  saveAs(*rig.store, "c.mp3", 96, 0.9f);
  ASSERT_EQ(rig.store->find("c.mp3", 1000)->blockOffset, 0);
  TrackData* d = reader.acquire(readersA);
  EXPECT_EQ(d->v1, 0.0f);  // defaults, not c.mp3's 0.9
  EXPECT_EQ(reader.acquire(reader.find("b.mp3", 1000))->v1, 0.2f);
}

}  // namespace
}  // namespace zarnel
