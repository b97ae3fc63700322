#pragma once
// MPEG audio test material: the shared conformance streams with their
// reference PCM, PSNR against a reference, and small streams built here
// (silent Layer III frames, information frames, the tags files carry, and
// non-MPEG data with sync words that a frame does not confirm).

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

// A silent frame tagged as an information frame: "Info" where "Xing" goes,
// or "VBRI" 32 bytes after the header.
inline std::vector<uint8_t> infoFrame(const char* tag) {
  std::vector<uint8_t> f = silentFrame();
  const size_t at = tag[0] == 'V' ? 36 : 21;
  for (size_t i = 0; i < 4; ++i) f[at + i] = uint8_t(tag[i]);
  return f;
}

// Return: count bytes of noise, which holds the false sync words any
// compressed data (cover art, say) holds.
inline std::vector<uint8_t> noise(size_t count, uint32_t seed = 12345) {
  std::vector<uint8_t> bytes(count);
  for (uint8_t& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = uint8_t(seed >> 24);
  }
  return bytes;
}

// Plants three sync words into bytes from `at` on, each with a second one
// where its frame would end that disagrees with it: on the sample rate
// (Layer II, 44100 then 48000 Hz), on the layer (III then II) and on mono or
// not (Layer III mono then stereo). Return: the offset after the last.
// Pre: bytes holds at + 3000 bytes.
inline size_t plantUnconfirmedSyncs(std::vector<uint8_t>& bytes, size_t at) {
  const auto put = [&](size_t where, uint32_t word) { putBe32(bytes, where, word); };
  put(at, 0xFFFDA000u);  // Layer II, 192 kbit/s, 44100 Hz, stereo: 626 bytes
  put(at + 626, 0xFFFDA400u);
  at += 1000;
  put(at, 0xFFFB90C0u);  // Layer III, 128 kbit/s, 44100 Hz, mono: 417 bytes
  put(at + 417, 0xFFFDA000u);
  at += 1000;
  put(at, 0xFFFB90C0u);
  put(at + 417, 0xFFFB9000u);
  return at + 1000;
}

// An ID3v2 tag: a 10-byte header (version 3, or 4 with a footer) and
// bodyBytes of noise, and with a footer its 10 bytes ("3DI").
inline std::vector<uint8_t> id3v2Tag(uint32_t bodyBytes, bool footer = false) {
  std::vector<uint8_t> t = {'I', 'D', '3', uint8_t(footer ? 4 : 3), 0, uint8_t(footer ? 0x10 : 0)};
  for (int32_t shift = 21; shift >= 0; shift -= 7) t.push_back(uint8_t(bodyBytes >> shift & 0x7F));
  append(t, noise(bodyBytes, bodyBytes));
  if (footer) {
    std::vector<uint8_t> foot(t.begin(), t.begin() + 10);
    foot[0] = '3';
    foot[1] = 'D';
    foot[2] = 'I';
    append(t, foot);
  }
  return t;
}

// A 128-byte ID3v1 tag: "TAG", then title, artist, album, year, comment, genre.
inline std::vector<uint8_t> id3v1Tag() {
  std::vector<uint8_t> t(128, 0);
  const char* text = "TAGA title";
  for (size_t i = 0; text[i] != '\0'; ++i) t[i] = uint8_t(text[i]);
  return t;
}

// An APE tag of itemBytes of items, with or without its 32-byte header.
inline std::vector<uint8_t> apeTag(uint32_t itemBytes, bool withHeader) {
  const auto block = [&](bool isHeader) {
    std::vector<uint8_t> b(32, 0);
    const char* id = "APETAGEX";
    for (size_t i = 0; i < 8; ++i) b[i] = uint8_t(id[i]);
    const uint32_t words[4] = {2000, itemBytes + 32, 1, (withHeader ? 0x80000000u : 0u) | (isHeader ? 0x20000000u : 0u)};
    for (size_t w = 0; w < 4; ++w) {
      for (size_t i = 0; i < 4; ++i) b[8 + 4 * w + i] = uint8_t(words[w] >> (8 * i));
    }
    return b;
  };
  std::vector<uint8_t> t;
  if (withHeader) append(t, block(true));
  append(t, noise(itemBytes, 77));
  append(t, block(false));
  return t;
}

}  // namespace zarnel::test
