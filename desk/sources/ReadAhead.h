#pragma once
// A bounded read-ahead of one open source: a reader thread fills a ring with
// what the source's feed delivers (file bytes, raw sectors or decoded PCM),
// and the audio thread takes from it without waiting. Without a reader
// thread (offline tools, tests that drive the audio loop by hand) the
// consumer fills it itself, as fast as the feed allows.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/SpscRing.h"

namespace zarnel {

// Where a read-ahead's bytes come from. Called on the reader thread, or on
// the consumer's thread when no reader thread runs; never both at once.
class ReadAheadFeed {
 public:
  virtual ~ReadAheadFeed() = default;
  // Return: the most bytes one fetch delivers (at most ReadAhead::kMaxUnitBytes).
  virtual int32_t unitBytes() const = 0;
  // Moves the next fetch to position, in the feed's own unit (a byte
  // offset, a sector, a time). Return: false when the move is refused.
  virtual bool reposition(int64_t position) = 0;
  // Reads at most max bytes (max >= unitBytes()) into dst.
  // Return: the bytes read (> 0), 0 at the end, -1 on an error.
  virtual int32_t fetch(uint8_t* dst, int32_t max) = 0;
};

// Whether the consumer can take what it asks for.
enum class Supply : int32_t {
  kReady,    // the bytes are there
  kPending,  // not yet: the reader is still seeking or reading
  kEnded,    // fewer bytes are left, and the feed has ended
  kFailed,   // fewer bytes are left, and the feed failed
};

class ReadAhead {
 public:
  static constexpr uint32_t kCapacityBytes = 1u << 19;  // 3 s of 44100 Hz stereo
  static constexpr int32_t kMaxUnitBytes = 65536;

  ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // --- UI thread, while the consumer takes nothing -------------------------
  // Binds feed, whose next fetch continues where it stands, and empties the
  // ring. Waits for the reader to finish a fetch in progress.
  void attach(ReadAheadFeed* feed);
  // Unbinds the feed; after it returns the reader no longer touches it.
  void detach();
  // With threaded set a reader thread calls serviceReader; otherwise the
  // consumer fills the ring when it lacks bytes. Pre: no reader thread runs.
  void setThreaded(bool threaded) { threaded_ = threaded; }

  // --- consumer (the audio thread) ------------------------------------------
  // Hands the reader a new position; the bytes before it are dropped. Never
  // waits while threaded. Return: false if the feed refused the move (known
  // at once only without a reader thread; with one, reads then fail).
  bool seekRt(int64_t position);
  // Return: whether bytes bytes can be taken now.
  Supply supplyRt(int32_t bytes);
  // Copies up to bytes bytes of what is there into dst. Return: the bytes
  // copied; 0 when there are none and the feed ended (or none are there
  // yet); -1 when there are none and the feed failed.
  int32_t takeRt(void* dst, int32_t bytes);
  // Return: the bytes there to take now (0 while a seek waits).
  int32_t availableRt();
  // Return: true when the reader has nothing left to do for now: no seek
  // waits, and the ring is full or the feed has ended or failed.
  bool settledRt();

  // --- reader thread ------------------------------------------------------------
  // One step: takes a new position, or fetches one unit when there is room.
  // Return: true if it did either.
  bool serviceReader();

 private:
  enum State : uint32_t { kStreaming = 0, kEnd = 1, kFailure = 2 };
  static uint32_t pack(uint32_t generation, State state) { return generation << 2 | state; }
  // One reader step; the caller holds feedLock_ or is the only side.
  bool step();
  void fillInline(int32_t bytes);
  bool caughtUpRt(uint32_t& state);

  SpscRing ring_;
  std::unique_ptr<uint8_t[]> staging_;  // kMaxUnitBytes, the reader's
  std::mutex feedLock_;                 // the feed: reader steps against attach and detach
  ReadAheadFeed* feed_ = nullptr;       // guarded by feedLock_
  int32_t unitBytes_ = 0;               // the feed's, set with it
  bool threaded_ = false;

  // Consumer to reader: the position of the newest seek, then its number.
  std::atomic<int64_t> seekTarget_{0};
  std::atomic<uint32_t> seekNumber_{0};
  // Reader to consumer: where the answer to seek number n starts in the ring,
  // then n and the feed's state since, packed by pack().
  std::atomic<uint32_t> answerStart_{0};
  std::atomic<uint32_t> answer_{0};
  // The reader's own: the seek it last answered, and the state since.
  uint32_t readerSeek_ = 0;
  State readerState_ = kStreaming;
  // The consumer's own: the seek it asked last, and whether its answer's
  // start has been skipped to.
  uint32_t asked_ = 0;
  bool skipped_ = true;
};

}  // namespace zarnel
