#pragma once
// The track store: what the program remembers of every track it has loaded
// or analysed (bpm, comment, date of last use, analysis values, cue points),
// kept in the block file "zarnel Internal Database." in the home folder.
// Entries are found by file name without folder and size key, live for the
// whole run and are never removed; an entry's data is loaded while someone
// holds it and saved when the last holder lets go.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "library/TrackEntry.h"
#include "library/TrackStoreLink.h"
#include "library/TrackStoreWait.h"
#include "platform/ByteFile.h"

namespace zarnel {

class BlockFile;
class FileSystem;
struct EntryFields;

inline constexpr char kTrackStoreFile[] = "zarnel Internal Database.";

// UI thread only; no lock guards the store.
class TrackStore : public TrackStoreLink {
 public:
  // Pre: files outlives the store. today: the date stamp written as last use.
  TrackStore(FileSystem& files, int32_t today);
  // Closes the store (see close).
  ~TrackStore() override;
  TrackStore(const TrackStore&) = delete;
  TrackStore& operator=(const TrackStore&) = delete;

  // Opens the file in folder for reading and writing as its one writer,
  // creating it if missing, else for reading only, and loads the index. The
  // writer lock is held until close. While another program holds the file
  // for writing, wait (when given) decides between waiting for it, the index
  // then loaded only once the other program let go, so that its entries are
  // seen, and opening read-only (heldElsewhere() then tells). A file that
  // cannot be opened at all leaves entries in memory only.
  // Return: false when the index cannot be loaded; FatalError then holds 18
  // (a damaged file), 16 (a read error) or 15 (memory), and the file is never
  // written by this store.
  // Pre: called once, before any find.
  bool open(const std::string& folder, TrackStoreWait* wait = nullptr);
  // Saves every entry that still holds data, frees that data and closes the
  // file. Pre: nobody uses a TrackData of this store any more.
  void close();

  // Return: true when nothing will be written (read-only file, damaged file,
  // or no file).
  bool readOnly() const;
  // Return: false when the file could not be opened at all.
  bool hasFile() const { return file_ != nullptr; }
  // Return: true when the store is read-only because another program held
  // its file for writing when it was opened.
  bool heldElsewhere() const { return heldElsewhere_; }
  // Return: the newest entry, null when there is none; the rest follow
  // through next, newest first.
  TrackEntry* first() const { return head_; }

  // Return: the first entry, newest first, whose name is the part of path
  // after its last "\" and whose size key is sizeKey (names compare byte by
  // byte); a new entry at the head of the list when there is none; null for
  // a null path.
  TrackEntry* find(const char* path, int32_t sizeKey) override;
  // Loads the entry's data if not loaded, stamps its last use with today and
  // counts one more holder. Return: the data; null for a null entry.
  TrackData* acquire(TrackEntry* entry) override;
  // Drops one holder; the last one saves the data and frees it. Does nothing
  // when no data is loaded.
  void release(TrackEntry* entry) override;
  // Finds a disc path's file on the drive of the "CD Drive" setting.
  bool resolveDiscPath(const std::string& discPath, std::string& filePath,
                       std::string& message) override;

  // Return: the comment edited this run, else the stored one; null for a null
  // entry. Valid until the entry's comment changes.
  const char* comment(const TrackEntry* entry) const;
  // Replaces the entry's comment and saves it.
  void setComment(TrackEntry* entry, const std::string& text);
  // Sets a tempo the user typed and saves it: strictly between 1 and 999 it
  // is locked against the analyser (v6 = kUserBpmLock), otherwise unlocked.
  void setTypedBpm(TrackEntry* entry, float bpm);

 private:
  enum class IndexLoad { kOk, kCorrupt, kReadError };

  LockedFile openForWriting(const std::string& path, TrackStoreWait* wait);
  int32_t loadIndexCode();
  IndexLoad loadIndex();
  IndexLoad loadEntry(int64_t offset, int32_t headerLength);
  IndexLoad endAt(int64_t offset);
  TrackEntry& push(EntryFields&& fields, int32_t blockOffset);
  TrackEntry* lookup(std::string_view name, int32_t sizeKey) const;
  TrackData* loadData(TrackEntry& entry);
  void save(TrackEntry& entry);
  void discard(TrackEntry& entry);

  FileSystem& files_;
  int32_t today_;
  std::unique_ptr<BlockFile> file_;
  int64_t trimAt_ = -1;  // start of an interrupted append found by the index load
  bool heldElsewhere_ = false;
  std::deque<TrackEntry> entries_;
  TrackEntry* head_ = nullptr;
  std::unordered_map<std::string, TrackEntry*> index_;  // newest entry of each key
};

}  // namespace zarnel
