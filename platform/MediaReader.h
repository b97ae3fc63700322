#pragma once
// The Windows Media synchronous reader as the media source uses it: PCM outputs
// with their format, duration and file size, timed samples, and range seeks.

#include <cstdint>
#include <memory>

namespace zarnel {

// Format of one reader output.
struct MediaOutputFormat {
  bool audio = false;         // major type audio
  bool pcm = false;           // subtype PCM
  bool waveFormatEx = false;  // format block is a wave format
  int32_t rate = 0;
  int32_t channels = 0;
  int32_t bits = 0;
};

// One decoded sample (a run of PCM bytes). bytes stays valid until the next
// nextSample or close. Times in 100-ns units.
struct MediaSample {
  const uint8_t* bytes = nullptr;
  int32_t size = 0;
  int64_t time = 0;
  int64_t duration = 0;
};

enum class MediaResult { ok, noMoreSamples, error };

// Value the reader reports when a stream has no more samples.
constexpr uint32_t kNsErrorNoMoreSamples = 0xC00D0BCFu;

// One synchronous reader. Used on a desk's reader thread (or an offline
// tool's thread) for reads and seeks, on the UI thread for open and close;
// never both at once (the source's read-ahead serialises them). Never on
// the audio thread: it may block and allocate.
class MediaReader {
 public:
  virtual ~MediaReader() = default;
  // Return: false when the file cannot be opened.
  virtual bool open(const char* path) = 0;
  virtual void close() = 0;
  virtual int32_t outputCount() = 0;
  // Return: false if the output's media type cannot be read.
  virtual bool outputFormat(int32_t output, MediaOutputFormat& format) = 0;
  // Stream number that delivers the given output.
  virtual int32_t streamOfOutput(int32_t output) = 0;
  // Header attributes "Duration" (100-ns units) and "FileSize" (bytes).
  virtual bool duration(uint64_t& value) = 0;
  virtual bool fileSize(uint64_t& value) = 0;
  // Takes the next sample of a stream.
  virtual MediaResult nextSample(int32_t stream, MediaSample& sample) = 0;
  // Restarts reading at start (100-ns units) for duration (0 = to the end).
  virtual bool setRange(int64_t start, int64_t duration) = 0;
};

// The reader library, loaded once for all media sources of the run.
class MediaLibrary {
 public:
  virtual ~MediaLibrary() = default;
  // Loads the library if needed. Return: false when it or its entry point is missing.
  virtual bool load() = 0;
  virtual void unload() = 0;
  // Pre: load() returned true. Return: a new reader, or null on failure.
  virtual std::unique_ptr<MediaReader> createSyncReader() = 0;
};

}  // namespace zarnel
