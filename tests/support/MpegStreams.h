#pragma once
// MPEG audio test material: the shared conformance streams with their
// reference PCM, PSNR against a reference, and small streams built here
// (silent Layer III frames, a "Xing" frame).

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zarnel::test {

inline std::string mpegTestData() { return ZARNEL_MPEG_TESTDATA; }

// Return: true when the shared conformance folder is there (a clone elsewhere
// has none; the tests that need it skip).
inline bool haveMpegTestData() {
  std::ifstream probe(mpegTestData() + "/README.md");
  return probe.good();
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<int16_t> readPcm(const std::string& path) {
  const std::vector<uint8_t> b = readBytes(path);
  std::vector<int16_t> pcm(b.size() / 2);
  for (size_t i = 0; i < pcm.size(); ++i) pcm[i] = int16_t(b[2 * i] | b[2 * i + 1] << 8);
  return pcm;
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Return: 10·log10(32767² / MSE) over the overlapping values (1000 when equal).
inline double psnr(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  double se = 0.0;
  for (size_t i = 0; i < n; ++i) se += double(a[i] - b[i]) * double(a[i] - b[i]);
  if (n == 0) return -1000.0;
  return se == 0.0 ? 1000.0 : 10.0 * std::log10(32767.0 * 32767.0 * double(n) / se);
}

// One MPEG-1 Layer III frame, 44100 Hz mono, 128 kbit/s (417 bytes): all
// side information zero, so it decodes to silence.
inline std::vector<uint8_t> silentFrame(uint8_t rateIndex = 0) {
  const int32_t rates[3] = {44100, 48000, 32000};
  std::vector<uint8_t> f(size_t(144 * 128000 / rates[rateIndex]), 0);
  f[0] = 0xFF;
  f[1] = 0xFB;
  f[2] = uint8_t(0x90 | rateIndex << 2);
  f[3] = 0xC0;
  return f;
}

inline void putBe32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int32_t i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (24 - 8 * i));
}

// A silent frame carrying a "Xing" tag with frame count, byte count and the
// seek table toc.
inline std::vector<uint8_t> xingFrame(uint32_t frames, uint32_t bytes, const std::vector<uint8_t>& toc) {
  std::vector<uint8_t> f = silentFrame();
  const size_t at = 21;  // after the side information of an MPEG-1 mono frame
  f[at] = 'X';
  f[at + 1] = 'i';
  f[at + 2] = 'n';
  f[at + 3] = 'g';
  putBe32(f, at + 4, 7);
  putBe32(f, at + 8, frames);
  putBe32(f, at + 12, bytes);
  for (size_t i = 0; i < 100 && i < toc.size(); ++i) f[at + 16 + i] = toc[i];
  return f;
}

inline void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes, int32_t times = 1) {
  for (int32_t i = 0; i < times; ++i) to.insert(to.end(), bytes.begin(), bytes.end());
}

}  // namespace zarnel::test
