#include "support/WavBuilder.h"

#include <cmath>

#include "support/Bytes.h"

namespace zarnel::test {

std::vector<uint8_t> makeWav(const WavSpec& spec, const std::vector<uint8_t>& data,
                             const std::vector<uint8_t>& chunkBeforeFmt,
                             const std::vector<uint8_t>& chunkBeforeData) {
  std::vector<uint8_t> body;
  putId(body, "WAVE");
  body.insert(body.end(), chunkBeforeFmt.begin(), chunkBeforeFmt.end());
  putId(body, "fmt ");
  put32(body, 16);
  put16(body, spec.formatTag);
  put16(body, spec.channels);
  put32(body, spec.rate);
  uint16_t align = uint16_t(spec.channels * spec.bits / 8);
  put32(body, spec.rate * align);
  put16(body, align);
  put16(body, spec.bits);
  body.insert(body.end(), chunkBeforeData.begin(), chunkBeforeData.end());
  putId(body, "data");
  put32(body, uint32_t(data.size()));
  body.insert(body.end(), data.begin(), data.end());
  if (data.size() & 1) body.push_back(0);
  std::vector<uint8_t> file;
  putId(file, "RIFF");
  put32(file, uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

std::vector<uint8_t> toBytes(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  out.reserve(samples.size() * 2);
  for (int16_t s : samples) put16(out, uint16_t(s));
  return out;
}

std::vector<int16_t> stereoSine(int32_t frames, double freqLeft, double freqRight, double amp,
                                int32_t rate) {
  std::vector<int16_t> out(size_t(frames) * 2);
  const double w = 2.0 * M_PI / rate;
  for (int32_t i = 0; i < frames; ++i) {
    out[2 * i] = int16_t(std::lround(amp * std::sin(w * freqLeft * i)));
    out[2 * i + 1] = int16_t(std::lround(amp * std::sin(w * freqRight * i)));
  }
  return out;
}

}  // namespace zarnel::test
