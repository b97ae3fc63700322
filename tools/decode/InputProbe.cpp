#include "tools/decode/InputProbe.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace zarnel::tools {

namespace {

constexpr uint16_t kFormatMpeg = 0x0050;
constexpr uint16_t kFormatMpegLayer3 = 0x0055;

uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string openFailure(int error) {
  if (error == ENOENT) return "not found";
  if (error == EACCES) return "permission denied";
  if (error == EISDIR) return "is a directory";
  return std::strerror(error);
}

// Return: the reason a file input cannot be decoded, or empty.
std::string probeFile(const std::string& path, InputPrefix& prefix) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return openFailure(errno);
  if (S_ISDIR(st.st_mode)) return "is a directory";
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return openFailure(errno);
  prefix.count = int32_t(std::fread(prefix.bytes, 1, kPrefixBytes, f));
  const bool failed = std::ferror(f) != 0;
  const int error = errno;
  std::fclose(f);
  return failed ? openFailure(error) : std::string();
}

}  // namespace

bool isWavNotMpeg(const uint8_t* bytes, int32_t count) {
  if (count < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  // MPEG audio kept in a WAV file decodes after its header: let it through.
  for (int32_t at = 12; at + 10 <= count;) {
    const uint32_t size = le32(bytes + at + 4);
    if (std::memcmp(bytes + at, "fmt ", 4) == 0) {
      const uint16_t tag = uint16_t(bytes[at + 8] | bytes[at + 9] << 8);
      return tag != kFormatMpeg && tag != kFormatMpegLayer3;
    }
    if (size > uint32_t(count)) break;
    at += 8 + int32_t(size + (size & 1));
  }
  return true;
}

std::string probeInput(const std::string& path, InputPrefix& prefix) {
  prefix.count = 0;
  std::string reason;
  if (path == "-") {
    prefix.count = int32_t(std::fread(prefix.bytes, 1, kPrefixBytes, stdin));
    if (std::ferror(stdin) != 0) reason = std::strerror(errno);
  } else {
    reason = probeFile(path, prefix);
  }
  if (reason.empty() && isWavNotMpeg(prefix.bytes, prefix.count)) reason = "a WAV file, not MPEG audio";
  return reason;
}

}  // namespace zarnel::tools
