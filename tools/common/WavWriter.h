#pragma once
// Writes 16-bit PCM as a WAVE file while it is produced, in bounded memory:
// the samples stream to an OutputFile and the header is written at close,
// when the sizes are known. When the length is known up front and fits the
// format's 32-bit sizes the header is the plain 44 bytes; otherwise room is
// kept (a "JUNK" chunk) so that data past the 32-bit sizes turns the file
// into RF64 at close instead of leaving a header that lies.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/OutputFile.h"

namespace zarnel::tools {

class WavWriter {
 public:
  // The most data bytes a RIFF header with the reserved chunk can describe.
  static constexpr uint64_t kRiffDataLimit = 0xFFFFFFFFull - 72;

  // dataLimit: the most data bytes written with 32-bit sizes (tests lower it).
  WavWriter(int32_t channels, int32_t rate, uint64_t dataLimit = kRiffDataLimit);

  // Opens path for writing (see OutputFile::open); nothing is written to it
  // yet. Return: false with error set.
  bool open(const std::string& path, const std::vector<std::string>& inputs, std::string& error);
  // Announces the most frames that will be written (-1: unknown, the
  // default). Pre: open, no write yet.
  void expectFrames(int64_t frames) { expectedFrames_ = frames; }
  // Appends frames interleaved frames. Return: false with error set (I/O
  // error, or more than a plain header announced room for).
  bool write(const int16_t* samples, size_t frames, std::string& error);
  // Writes the header and commits the file. Return: false with error set;
  // nothing is left behind then.
  bool close(std::string& error);
  // Drops the file being written.
  void abandon() { file_.abandon(); }

  uint64_t frames() const { return dataBytes_ / uint64_t(blockAlign()); }
  // Return: whether close wrote RF64 because the data passed the 32-bit sizes.
  bool rf64() const { return rf64_; }

 private:
  int32_t blockAlign() const { return channels_ * 2; }
  std::vector<uint8_t> header() const;
  bool putHeader(std::string& error);

  const int32_t channels_;
  const int32_t rate_;
  const uint64_t dataLimit_;
  OutputFile file_;
  int64_t expectedFrames_ = -1;
  bool headerWritten_ = false;
  bool reserved_ = false;  // the header keeps room for the RF64 sizes
  bool rf64_ = false;
  uint64_t dataBytes_ = 0;
};

}  // namespace zarnel::tools
