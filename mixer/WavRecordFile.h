#pragma once
// One WAV file of the recorded mix: 16-bit stereo PCM at 44100 Hz, written
// while it grows. The header's sizes are rewritten after every append, so a
// program that dies mid-recording leaves a file that plays up to the last
// append.

#include <cstdint>
#include <memory>
#include <string>

namespace zarnel {

class FileSystem;
class WritableFile;

constexpr int32_t kWavRecordHeaderBytes = 44;
constexpr int32_t kWavRecordFrameBytes = 4;  // two 16-bit samples
// The most frames a WAV file's 32-bit RIFF size can describe (the RIFF size
// counts 36 header bytes besides the data).
constexpr int64_t kWavRecordMaxFrames = (int64_t(0xFFFFFFFFu) - 36) / kWavRecordFrameBytes;

// Fills out with the 44-byte header of a file holding dataBytes of samples:
// "RIFF" of form "WAVE", a 16-byte "fmt " chunk (PCM, 2 channels, 44100 Hz,
// 176400 bytes/s, block align 4, 16 bits) and the "data" chunk's head.
// Pre: dataBytes <= kWavRecordMaxFrames * 4.
void wavRecordHeader(uint32_t dataBytes, uint8_t out[kWavRecordHeaderBytes]);

// Not thread-safe; one owner (the recorder's writer thread, or the UI thread
// before the writer starts and after it stops). Never the audio thread.
class WavRecordFile {
 public:
  WavRecordFile();
  ~WavRecordFile();
  WavRecordFile(const WavRecordFile&) = delete;
  WavRecordFile& operator=(const WavRecordFile&) = delete;

  // Creates path (an existing file is emptied) and writes the header of an
  // empty recording, closing any file open before.
  // Return: false, with no file open, if it cannot be created or written.
  bool create(FileSystem& files, const std::string& path);
  // Appends count frames of interleaved stereo, then rewrites the sizes.
  // Pre: open; frames() + count <= kWavRecordMaxFrames.
  // Return: false on a write error (or past kWavRecordMaxFrames); the file
  // then stays open but takes no more frames, cut back (where the disk lets
  // it) to the last append that succeeded, whose sizes its header holds.
  bool append(const int16_t* frames, int32_t count);
  // Writes the sizes once more, flushes and closes. Return: false if this or
  // an earlier append failed (the file is closed all the same); true without
  // a file.
  bool close();

  bool isOpen() const { return file_ != nullptr; }
  // Return: whether an append has failed since create.
  bool failed() const { return failed_; }
  // Return: the frames the file holds.
  int64_t frames() const { return frames_; }

 private:
  bool writeSamples(const int16_t* frames, int32_t count);
  bool writeHeader(int64_t frames);
  void fail();

  std::unique_ptr<WritableFile> file_;
  int64_t frames_ = 0;
  bool failed_ = false;
};

}  // namespace zarnel
