#pragma once
// In-memory files for tests: paths map to byte arrays; nothing touches the disk.
// Writable files change the stored bytes at once, so a reader opened later
// sees them; failure injection stops writes part-way, as a full disk or a
// power cut would. Each writable file holds its file's writer lock while it
// lives; the pauses of a wait for the lock move a clock of its own instead
// of sleeping.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ByteFile.h"
#include "platform/virtual/VirtualReadStall.h"

namespace zarnel {

class VirtualFileSystem : public FileSystem {
 public:
  // The state of one file, shared with its open handles.
  struct File {
    std::vector<uint8_t> bytes;
    int64_t failReadsAfter = -1;
    bool writeLocked = false;
    int32_t writers = 0;        // writable files open on it (at most one)
    int64_t heldUntilMs = -1;   // another program holds the lock until then
    int64_t writeLimit = -1;   // bytes that may still be written; -1: no limit
    int32_t atomicUnit = 1;
    bool frozen = false;
    int64_t written = 0;
    VirtualReadStall* stall = nullptr;  // asked before every read through openRead
  };

  // Adds or replaces a file. Paths compare exactly.
  void put(const std::string& path, std::vector<uint8_t> bytes);
  void remove(const std::string& path);
  // Makes reads of path fail after failAfter bytes (-1: never).
  void failReadsAfter(const std::string& path, int64_t failAfter);
  // Makes every read of path (through openRead) ask stall first, which holds
  // it while a stall lasts; null lifts that. stall must outlive the reads.
  void stallReads(const std::string& path, VirtualReadStall* stall);
  // Makes openReadWrite of path fail, and openLocked report kBusy, as for a
  // file another program holds for writing.
  void lockWrites(const std::string& path, bool locked);
  // Another program holds path's writer lock for ms more of the clock.
  void holdWriterLock(const std::string& path, int64_t ms);
  // Return: milliseconds the waits for a writer lock have paused in all.
  int64_t clockMs() const { return clockMs_; }
  // Return: how many pauses the waits for a writer lock made.
  int32_t pauses() const { return pauses_; }
  // Lets bytes more bytes be written to path, then freezes it. The write that
  // crosses the limit keeps what lies before the limit, cut back to a file
  // offset that is a multiple of atomicUnit (the size the disk writes whole),
  // and fails; every later write, flush and truncate fails and changes nothing.
  // Reading the file back in a new owner then shows what a power cut at that
  // byte would have left. -1 lifts the limit and unfreezes.
  void failWritesAfter(const std::string& path, int64_t bytes, int32_t atomicUnit = 1);
  // Return: path's bytes; empty when it does not exist.
  std::vector<uint8_t> bytes(const std::string& path) const;
  // Return: the bytes written to path through writable files since put.
  int64_t bytesWritten(const std::string& path) const;
  bool exists(const std::string& path) const { return files_.count(path) != 0; }

  std::unique_ptr<ByteFile> openRead(const char* path) override;

 protected:
  LockedFile tryOpenLocked(const char* path, bool create) override;
  void pauseBetweenTries(int32_t ms) override;

 private:
  std::map<std::string, std::shared_ptr<File>> files_;
  int64_t clockMs_ = 0;
  int32_t pauses_ = 0;
};

}  // namespace zarnel
