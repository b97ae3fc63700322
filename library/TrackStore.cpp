#include "library/TrackStore.h"

#include <new>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "library/BlockFile.h"
#include "library/LibraryPaths.h"
#include "library/ScanList.h"
#include "library/TrackBlock.h"
#include "platform/ByteFile.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

std::string keyOf(std::string_view name, int32_t sizeKey) {
  std::string key(name);
  key.push_back('\0');
  for (int i = 0; i < 4; ++i) key.push_back(char(uint32_t(sizeKey) >> (8 * i)));
  return key;
}

}  // namespace

TrackStore::TrackStore(FileSystem& files, int32_t today) : files_(files), today_(today) {}

TrackStore::~TrackStore() { close(); }

bool TrackStore::readOnly() const { return !file_ || !file_->isWritable(); }

// --- Opening and the index ---------------------------------------------------

bool TrackStore::open(const std::string& folder, TrackStoreWait* wait) {
  std::string path = pathInFolder(folder, kTrackStoreFile);
  LockedFile locked = openForWriting(path, wait);
  heldElsewhere_ = locked.state == WriteLock::kBusy;
  if (locked.file)
    file_ = std::make_unique<BlockFile>(std::move(locked.file));
  else if (auto readable = files_.openRead(path.c_str()))
    file_ = std::make_unique<BlockFile>(std::move(readable));
  else
    return true;
  int32_t error = loadIndexCode();
  if (error == kErrorNone) {
    if (trimAt_ >= 0) file_->truncate(trimAt_);
    return true;
  }
  // A damaged file is the only copy of what the DJ knows of every track:
  // nothing of this run may overwrite it.
  file_->dropWrites();
  setFatalError(error);
  return false;
}

LockedFile TrackStore::openForWriting(const std::string& path, TrackStoreWait* wait) {
  LockedFile locked = files_.openLocked(path.c_str(), true, 0);
  for (int32_t waited = 0; locked.state == WriteLock::kBusy && wait && wait->keepWaiting(waited);
       waited += kWriterLockPollMs)
    locked = files_.openLocked(path.c_str(), true, kWriterLockPollMs);
  return locked;
}

int32_t TrackStore::loadIndexCode() {
  try {
    switch (loadIndex()) {
      case IndexLoad::kOk: return kErrorNone;
      case IndexLoad::kReadError: return kErrorFile;
      case IndexLoad::kCorrupt: return kErrorDataBase;
    }
  } catch (const std::bad_alloc&) {
    return kErrorMemory;
  }
  return kErrorDataBase;
}

// Follows the chain of blocks from offset 0; every used block becomes an
// entry at the head of the list, so the file's last block is found first.
TrackStore::IndexLoad TrackStore::loadIndex() {
  int64_t end = file_->size();
  if (end < 0) return IndexLoad::kReadError;
  for (int64_t at = 0;;) {
    BlockHead head;
    BlockFile::HeadRead read = file_->readHead(at, head);
    if (read == BlockFile::HeadRead::kEnd) return IndexLoad::kOk;
    if (read == BlockFile::HeadRead::kError) return IndexLoad::kReadError;
    bool whole = read == BlockFile::HeadRead::kOk && at + head.size <= end;
    if (!whole || (head.isFree() ? head.size < kBlockHeadBytes : !TrackBlock::isValidUsedHead(head)))
      return endAt(at);
    if (!head.isFree()) {
      IndexLoad entry = loadEntry(at, head.headerLength);
      if (entry != IndexLoad::kOk) return entry;
    }
    at += head.size;
  }
}

// A block that does not read whole ends the index only when it is what an
// append cut short leaves; the file is then cut there once the load is done.
TrackStore::IndexLoad TrackStore::endAt(int64_t offset) {
  if (!file_->isCutAppend(offset)) return IndexLoad::kCorrupt;
  trimAt_ = offset;
  return IndexLoad::kOk;
}

TrackStore::IndexLoad TrackStore::loadEntry(int64_t offset, int32_t headerLength) {
  std::string header(size_t(headerLength), '\0');
  int32_t n = file_->readAt(offset + kBlockHeadBytes, header.data(), headerLength);
  if (n < 0) return IndexLoad::kReadError;
  if (n < headerLength) return IndexLoad::kCorrupt;
  auto* bytes = reinterpret_cast<const uint8_t*>(header.data());
  push(TrackBlock::decodeFields(bytes, headerLength), int32_t(offset));
  return IndexLoad::kOk;
}

// --- Entries -------------------------------------------------------------------

TrackEntry& TrackStore::push(EntryFields&& fields, int32_t blockOffset) {
  TrackEntry& entry = entries_.emplace_back();
  entry.blockOffset = blockOffset;
  entry.sizeKey = fields.sizeKey;
  entry.bpm = fields.bpm;
  entry.lastUse = fields.lastUse;
  entry.name = std::move(fields.name);
  entry.storedComment = std::move(fields.comment);
  entry.next = head_;
  head_ = &entry;
  index_[keyOf(entry.name, entry.sizeKey)] = &entry;
  return entry;
}

TrackEntry* TrackStore::lookup(std::string_view name, int32_t sizeKey) const {
  auto it = index_.find(keyOf(name, sizeKey));
  return it == index_.end() ? nullptr : it->second;
}

TrackEntry* TrackStore::find(const char* path, int32_t sizeKey) {
  if (!path) return nullptr;
  std::string_view name = fileNameOf(path);
  if (TrackEntry* entry = lookup(name, sizeKey)) return entry;
  EntryFields fields;
  fields.sizeKey = sizeKey;
  fields.name = name;
  return &push(std::move(fields), -1);
}

const char* TrackStore::comment(const TrackEntry* entry) const {
  if (!entry) return nullptr;
  return entry->comment ? entry->comment->c_str() : entry->storedComment.c_str();
}

void TrackStore::setComment(TrackEntry* entry, const std::string& text) {
  if (!entry) return;
  entry->comment = text;
  acquire(entry);
  release(entry);
}

void TrackStore::setTypedBpm(TrackEntry* entry, float bpm) {
  TrackData* data = acquire(entry);
  if (!data) return;
  entry->bpm = bpm;
  data->v6 = bpm > 1.0f && bpm < 999.0f ? kUserBpmLock : 0;
  release(entry);
}

// --- Data ----------------------------------------------------------------------

TrackData* TrackStore::acquire(TrackEntry* entry) {
  if (!entry) return nullptr;
  if (!entry->data) entry->data = loadData(*entry);
  entry->lastUse = today_;
  ++entry->users;
  return entry->data;
}

void TrackStore::release(TrackEntry* entry) {
  if (!entry || !entry->data) return;
  if (entry->users > 1) {
    --entry->users;
    return;
  }
  save(*entry);
  discard(*entry);
}

TrackData* TrackStore::loadData(TrackEntry& entry) {
  auto data = std::make_unique<TrackData>();
  data->entry = &entry;
  std::vector<uint8_t> block;
  if (entry.blockOffset >= 0 && file_ && file_->readBlock(entry.blockOffset, block)) {
    BlockHead head = TrackBlock::readHead(block.data());
    int32_t body = kBlockHeadBytes + head.headerLength;
    // Read-only beside another writer, the block may since have moved and
    // its place gone to another track: only the entry's own block counts.
    EntryFields fields = TrackBlock::decodeFields(block.data() + kBlockHeadBytes, head.headerLength);
    // A name too long for a block is stored cut short.
    if (fields.sizeKey == entry.sizeKey && std::string_view(entry.name).starts_with(fields.name))
      TrackBlock::decodeBody(block.data() + body, head.size - body, *data);
  }
  return data.release();
}

void TrackStore::save(TrackEntry& entry) {
  if (readOnly() || !entry.data) return;
  EntryFields fields{entry.sizeKey, entry.bpm, entry.lastUse, entry.name, comment(&entry)};
  BlockFile::StoreResult result =
      file_->store(entry.blockOffset, TrackBlock::encode(fields, *entry.data));
  entry.blockOffset = result.offset <= INT32_MAX ? int32_t(result.offset) : -1;
  if (result.saved) entry.storedComment = std::move(fields.comment);
}

void TrackStore::discard(TrackEntry& entry) {
  delete entry.data;
  entry.data = nullptr;
  entry.users = 0;
}

void TrackStore::close() {
  for (TrackEntry* entry = head_; entry; entry = entry->next) {
    if (!entry->data) continue;
    save(*entry);
    discard(*entry);
  }
  file_.reset();
}

bool TrackStore::resolveDiscPath(const std::string& discPath, std::string& filePath,
                                 std::string& message) {
  return ScanList::resolveDiscPath(files_, settings().cdDrive, discPath, filePath, message,
                                   errorText(kErrorBadCd));
}

}  // namespace zarnel
