#include "mixer/RecorderNames.h"

#include <cstdio>

#include "platform/DynamicLibrary.h"
#include "platform/TextCase.h"

namespace zarnel {

namespace {

bool isUtf8Continuation(char c) { return (uint8_t(c) & 0xC0) == 0x80; }

bool endsWithNoCase(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() && equalNoCase(name.substr(name.size() - ending.size()), ending);
}

}  // namespace

std::string recordBaseName(std::string_view name) {
  constexpr std::string_view kExtension = ".wav";
  if (name.size() >= kExtension.size() && equalNoCase(name.substr(name.size() - kExtension.size()), kExtension))
    name.remove_suffix(kExtension.size());
  if (name.size() > kRecordBaseMaxBytes) {
    size_t end = kRecordBaseMaxBytes;
    while (end > 0 && isUtf8Continuation(name[end])) --end;
    name = name.substr(0, end);
  }
  return std::string(name);
}

std::string recordFileName(std::string_view base, int32_t counter, bool autoCut) {
  std::string name(base);
  if (counter > 0 || autoCut) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.3i", int(counter));
    name += digits;
  }
  return name + ".wav";
}

bool isBroadcastName(std::string_view name) {
  return endsWithNoCase(name, ".dll") || endsWithNoCase(name, kNativeLibraryExtension);
}

}  // namespace zarnel
