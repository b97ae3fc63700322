#include "support/RiffBuilder.h"

#include "support/Bytes.h"

namespace zarnel::test {

namespace {

// Wraps body (form type first) in a RIFF chunk.
std::vector<uint8_t> riff(const std::vector<uint8_t>& body) {
  std::vector<uint8_t> file;
  putId(file, "RIFF");
  put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

// Chunk header, then fields padded or cut to size bytes.
void putChunk(std::vector<uint8_t>& v, const char* id, std::vector<uint8_t> fields, uint32_t size) {
  putId(v, id);
  put32(v, size);
  fields.resize(size + (size & 1), 0);
  v.insert(v.end(), fields.begin(), fields.end());
}

}  // namespace

WavHeader pcmHeader(uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = uint16_t(channels * bits / 8);
  return WavHeader{1, channels, rate, rate * align, align, bits};
}

std::vector<uint8_t> makeRawWav(const WavHeader& h, const std::vector<uint8_t>& data,
                                const RawWavOptions& options) {
  std::vector<uint8_t> body;
  put32(body, options.formType);
  std::vector<uint8_t> fmt;
  put16(fmt, h.formatTag);
  put16(fmt, h.channels);
  put32(fmt, h.rate);
  put32(fmt, h.avgBytesPerSec);
  put16(fmt, h.blockAlign);
  put16(fmt, h.bits);
  putChunk(body, "fmt ", fmt, options.fmtSize);
  if (options.padBeforeData) putChunk(body, "junk", {}, options.padBeforeData);
  putId(body, "data");
  put32(body, options.dataSizeField >= 0 ? uint32_t(options.dataSizeField) : uint32_t(data.size()));
  body.insert(body.end(), data.begin(), data.end());
  if (data.size() & 1) body.push_back(0);
  return riff(body);
}

std::vector<uint8_t> makeCda(const CdaFields& f) {
  std::vector<uint8_t> body;
  put32(body, f.formType);
  std::vector<uint8_t> fmt;
  put16(fmt, f.version);
  put16(fmt, 1);  // track number
  put32(fmt, 0x12345678);  // disc serial
  put32(fmt, f.startSector);
  put32(fmt, f.sectors);
  put32(fmt, 0);  // start and length as minutes, seconds, frames: unused
  put32(fmt, 0);
  putChunk(body, "fmt ", fmt, f.fmtSize);
  return riff(body);
}

}  // namespace zarnel::test
