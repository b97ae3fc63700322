// zarnel-decode IN OUT: decodes an MPEG audio stream through the decoder
// module and writes each frame's PCM as the module gives it: 16-bit
// little-endian, interleaved when stereo, at the stream's own rate.
// Exit status 0 only when the stream decoded to its end.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "decoder/Decoder.h"
#include "decoder/FileInput.h"

namespace {

void printError(void*, int32_t, int32_t, const char* message, const char* details) {
  std::fprintf(stderr, "zarnel-decode: %s: %s\n", message, details);
}

bool writeLittleEndian(std::FILE* out, const int16_t* samples, int32_t count) {
  uint8_t bytes[zarnel::kMaxFrameSamples * 2];
  for (int32_t i = 0; i < count; ++i) {
    bytes[2 * i] = uint8_t(uint16_t(samples[i]));
    bytes[2 * i + 1] = uint8_t(uint16_t(samples[i]) >> 8);
  }
  return std::fwrite(bytes, 1, size_t(count) * 2, out) == size_t(count) * 2;
}

// Return: the process exit status.
int decodeAll(zarnel::Decoder& decoder, std::FILE* out) {
  int64_t frames = 0;
  for (;;) {
    const int32_t result = decoder.decode(nullptr);
    if (result == zarnel::mpeg::kFrameLost) continue;
    if (result == zarnel::mpeg::kEndOfStream) break;
    if (result != zarnel::mpeg::kOk) {
      std::fprintf(stderr, "zarnel-decode: decoding failed (%d)\n", result);
      return 1;
    }
    const zarnel::DecoderOutput& o = decoder.output();
    if (!writeLittleEndian(out, o.samples, o.bytes / 2)) {
      std::fprintf(stderr, "zarnel-decode: cannot write the output\n");
      return 1;
    }
    ++frames;
  }
  if (frames == 0) {
    std::fprintf(stderr, "zarnel-decode: no MPEG audio frame this decoder accepts\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zarnel-decode IN OUT   (IN may be - for standard input)\n");
    return 2;
  }
  std::unique_ptr<zarnel::Decoder> decoder;
  if (zarnel::Decoder::create(decoder) != zarnel::mpeg::kOk) return 1;
  decoder->setErrorCallback(printError, nullptr);
  decoder->registerInput(zarnel::fileInputModule());
  if (decoder->inputOpen(argv[1], -1) != zarnel::mpeg::kOk || decoder->inputStart() != zarnel::mpeg::kOk) return 1;
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::fprintf(stderr, "zarnel-decode: cannot create %s\n", argv[2]);
    return 1;
  }
  std::vector<char> buffer(1 << 16);
  std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
  const int status = decodeAll(*decoder, out);
  return std::fclose(out) == 0 ? status : 1;
}
