// zarnel-decode IN OUT: decodes an MPEG audio stream through the decoder
// module and writes each frame's PCM as the module gives it: 16-bit
// little-endian, interleaved when stereo, at the stream's own rate.
// Exit status: 0 for a whole clean decode, 3 when damaged data was skipped
// after the first frame (the output holds what decoded), 1 on failure (no output is left), 2 on a
// usage error.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "decoder/Decoder.h"
#include "decoder/FileInput.h"
#include "tools/common/CommandLine.h"
#include "tools/common/OutputFile.h"
#include "tools/decode/InputProbe.h"
#include "tools/decode/StdinInput.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitFailure = 1;
constexpr int kExitDamaged = 3;

const zarnel::tools::ToolInfo kTool{
    "zarnel-decode",
    "usage: zarnel-decode [--] IN OUT\n"
    "  decodes the MPEG audio stream IN (- for standard input) to raw 16-bit\n"
    "  little-endian PCM in OUT; exit 0 clean, 3 damaged data skipped, 1 failure\n",
    {},
    2,
    2};

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

struct DecodeCount {
  int64_t frames = 0;
  int64_t lost = 0;  // times damaged data was skipped after the first frame
  bool ok = true;
};

DecodeCount decodeAll(zarnel::Decoder& decoder, std::FILE* out) {
  DecodeCount count;
  for (;;) {
    const int32_t result = decoder.decode(nullptr);
    if (result == zarnel::mpeg::kFrameLost) {
      if (decoder.status().endsInsideFrame) continue;  // the end; judged in finish()
      // What the decoder skips before its first frame is leading data, not
      // damage: a tag whose bytes look like a frame header, or frames whose
      // main data lies before a stream that was cut from a longer one.
      if (count.frames > 0) ++count.lost;
      continue;
    }
    if (result == zarnel::mpeg::kEndOfStream) return count;
    if (result != zarnel::mpeg::kOk) {
      std::fprintf(stderr, "zarnel-decode: decoding failed (%d)\n", result);
      count.ok = false;
      return count;
    }
    const zarnel::DecoderOutput& o = decoder.output();
    if (!writeLittleEndian(out, o.samples, o.bytes / 2)) {
      std::fprintf(stderr, "zarnel-decode: cannot write the output\n");
      count.ok = false;
      return count;
    }
    ++count.frames;
  }
}

// Return: a decoder reading in, or null (with the reason printed).
std::unique_ptr<zarnel::Decoder> openDecoder(const std::string& in, const zarnel::tools::InputPrefix& prefix) {
  std::unique_ptr<zarnel::Decoder> decoder;
  if (zarnel::Decoder::create(decoder) != zarnel::mpeg::kOk) return nullptr;
  decoder->setErrorCallback(printError, nullptr);
  const bool standardInput = in == "-";
  const int32_t id = decoder->registerInput(standardInput ? zarnel::tools::stdinInputModule(prefix)
                                                           : zarnel::fileInputModule());
  if (id < 0 || decoder->inputOpen(in.c_str(), id) != zarnel::mpeg::kOk ||
      decoder->inputStart() != zarnel::mpeg::kOk) {
    return nullptr;
  }
  return decoder;
}

// A stream that ends inside a frame is cut short when its "Xing" header
// declares more frames than it held, or when a tag follows the cut frame
// (tags are added to whole files). Without either, the partial frame is
// taken as the end, as the reference decodings of the standard's own test
// streams, which end that way, take it; it is still reported.
// Return: true when the stream was cut short (the reason printed).
bool cutShort(const zarnel::Decoder& decoder, const DecodeCount& count, const std::string& in) {
  const zarnel::DecoderStatus& s = decoder.status();
  const long long frames = static_cast<long long>(count.frames);
  if (s.declaredFrames > 0 && count.frames + 1 < int64_t(s.declaredFrames)) {
    std::fprintf(stderr, "zarnel-decode: %s: the stream is cut short: %lld of the %u frames it declares decoded\n",
                 in.c_str(), frames, s.declaredFrames);
    return true;
  }
  if (!s.endsInsideFrame) return false;
  if (decoder.audioStart() + decoder.audioBytes() < decoder.streamSize()) {
    std::fprintf(stderr, "zarnel-decode: %s: the last frame before the closing tag is cut short\n", in.c_str());
    return true;
  }
  std::fprintf(stderr, "zarnel-decode: %s: the stream ends inside a frame; that partial frame is left out\n",
               in.c_str());
  return false;
}

int finish(const zarnel::Decoder& decoder, const DecodeCount& count, const std::string& in,
           zarnel::tools::OutputFile& output) {
  if (!count.ok) return kExitFailure;
  if (count.frames == 0) {
    std::fprintf(stderr, "zarnel-decode: %s: no MPEG audio frame found\n", in.c_str());
    return kExitFailure;
  }
  std::string error;
  if (!output.commit(error)) {
    std::fprintf(stderr, "zarnel-decode: %s\n", error.c_str());
    return kExitFailure;
  }
  if (count.lost == 0 && !cutShort(decoder, count, in)) return kExitClean;
  if (count.lost == 0) return kExitDamaged;
  std::fprintf(stderr, "zarnel-decode: %s: damaged data skipped (%lld times); the rest was decoded\n",
               in.c_str(), static_cast<long long>(count.lost));
  return kExitDamaged;
}

}  // namespace

int main(int argc, char** argv) {
  zarnel::tools::CommandLine line;
  if (const int status = zarnel::tools::parseCommandLine(kTool, argc, argv, line); status >= 0) return status;
  const std::string& in = line.operands[0];
  const std::string& out = line.operands[1];
  if (out == "-") return zarnel::tools::usageError(kTool, "OUT must name a file (./- for a file named -)");
  zarnel::tools::InputPrefix prefix;
  if (const std::string reason = zarnel::tools::probeInput(in, prefix); !reason.empty()) {
    std::fprintf(stderr, "zarnel-decode: %s: %s\n", in.c_str(), reason.c_str());
    return kExitFailure;
  }
  zarnel::tools::OutputFile output;
  std::string error;
  if (!output.open(out, {in}, error)) {
    std::fprintf(stderr, "zarnel-decode: %s\n", error.c_str());
    return kExitFailure;
  }
  std::unique_ptr<zarnel::Decoder> decoder = openDecoder(in, prefix);
  if (!decoder) return kExitFailure;
  const DecodeCount count = decodeAll(*decoder, output.stream());
  return finish(*decoder, count, in, output);
}
