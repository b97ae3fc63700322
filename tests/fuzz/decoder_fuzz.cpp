// libFuzzer target: the decoder module over arbitrary input bytes, read
// through an in-memory input module, with seeks in between.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "decoder/Decoder.h"
#include "decoder/MemoryInput.h"

namespace {

struct Harness {
  zarnel::test::MemoryInput input;
  std::unique_ptr<zarnel::Decoder> decoder;
  int32_t id = -1;

  Harness() {
    zarnel::Decoder::create(decoder);
    id = decoder->registerInput(input.module());
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Harness h;
  h.input.setBytes(data, size);
  h.decoder->inputClose();
  if (h.decoder->inputOpen("fuzz", h.id) != 0 || h.decoder->inputStart() != 0) return 0;
  // Every call consumes at least one byte or reports the end, so this ends.
  int32_t frames = 0;
  for (int32_t result = 0; result != zarnel::mpeg::kEndOfStream;) {
    result = h.decoder->decode(nullptr);
    if (++frames == 64 && size > 0) h.decoder->inputSeek(float(data[0]) / 255.0f);
  }
  h.decoder->inputSeek(1.0f);
  h.decoder->decode(nullptr);
  return 0;
}
