#pragma once
// Builds RIFF files with every header field under the test's control:
// hostile WAV headers and ".cda" track files.

#include <cstdint>
#include <vector>

namespace zarnel::test {

// The 16-byte PCM format chunk, field by field.
struct WavHeader {
  uint16_t formatTag = 1;
  uint16_t channels = 2;
  uint32_t rate = 44100;
  uint32_t avgBytesPerSec = 176400;
  uint16_t blockAlign = 4;
  uint16_t bits = 16;
};

// A consistent PCM header: block align = channels × bits / 8, average bytes
// per second = rate × block align.
WavHeader pcmHeader(uint16_t channels, uint32_t rate, uint16_t bits);

struct RawWavOptions {
  uint32_t fmtSize = 16;           // "fmt " chunk size; the chunk holds that many bytes
  int64_t dataSizeField = -1;      // the "data" size written; -1: the real size
  uint32_t formType = 0x45564157;  // "WAVE"
  uint32_t padBeforeData = 0;      // bytes of a "junk" chunk before "data"
};

std::vector<uint8_t> makeRawWav(const WavHeader& header, const std::vector<uint8_t>& data,
                                const RawWavOptions& options = {});

struct CdaFields {
  uint16_t version = 1;
  uint32_t startSector = 0;
  uint32_t sectors = 0;
  uint32_t fmtSize = 24;
  uint32_t formType = 0x41444443;  // "CDDA"
};

// A ".cda" track file as the CD file system presents it.
std::vector<uint8_t> makeCda(const CdaFields& fields);

}  // namespace zarnel::test
