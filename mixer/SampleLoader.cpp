#include "mixer/SampleLoader.h"

#include <algorithm>
#include <cctype>

#include "desk/AudioFormat.h"
#include "desk/sources/MpegSource.h"
#include "desk/sources/WavSource.h"

namespace zarnel {

namespace {

constexpr int32_t kRate = 44100;
// Without a reader thread a source fills its read-ahead itself, so a read
// that keeps answering "not yet" is a stuck source, not a slow one.
constexpr int32_t kMaxPendingReads = 64;

bool isWavPath(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return tail == ".wav";
}

SampleLoad failed(SampleLoadError error, OpenFailure why = OpenFailure::kNone) {
  SampleLoad out;
  out.error = error;
  out.openFailure = why;
  return out;
}

// Reads blocks into data while a whole block fits. Return: false on a
// source error.
bool readBlocks(AudioSource& source, SampleData& data, int32_t capacity) {
  int32_t pending = 0;
  while (capacity - data.length >= kBlockFrames) {
    const int32_t got = source.readRt(data.frames.get() + size_t(data.length) * 2);
    if (got == kReadBlock) {
      data.length += kBlockFrames;
      pending = 0;
    } else if (got == kReadPending) {
      if (++pending > kMaxPendingReads) return false;
    } else {
      return got == kReadEnd;
    }
  }
  return true;
}

SampleLoad decodeOpened(AudioSource& source, int32_t seconds) {
  if (seconds > kSampleMaxSeconds) return failed(SampleLoadError::kTooLong);
  source.seekRt(0.0f);
  // The source reports whole seconds, cut down: room for one second more
  // holds everything it says it has. Audio beyond that is cut at a block.
  const int32_t capacity = (seconds + 1) * kRate;
  auto data = std::make_unique<SampleData>();
  data->frames = std::make_unique<int16_t[]>(size_t(capacity) * 2);
  if (!readBlocks(source, *data, capacity)) return failed(SampleLoadError::kDecodeError);
  if (data->length == 0) return failed(SampleLoadError::kNoAudio);
  SampleLoad out;
  out.data = std::move(data);
  return out;
}

}  // namespace

SampleLoad decodeSample(FileSystem& files, const std::string& path) {
  std::unique_ptr<AudioSource> source;
  if (isWavPath(path))
    source = std::make_unique<WavSource>(files);
  else
    source = std::make_unique<MpegSource>();
  const int32_t seconds = source->open(path.c_str());
  if (seconds < 0) return failed(SampleLoadError::kOpenFailed, source->openFailure());
  SampleLoad out = decodeOpened(*source, seconds);
  source->close();
  return out;
}

std::string sampleLoadErrorText(const SampleLoad& load) {
  switch (load.error) {
    case SampleLoadError::kNone:
      return "";
    case SampleLoadError::kOpenFailed:
      return openFailureText(load.openFailure);
    case SampleLoadError::kTooLong: {
      // Appended piece by piece: GCC 12 warns falsely on literal + string&&.
      std::string text = "longer than ";
      text += std::to_string(kSampleMaxSeconds);
      text += " seconds";
      return text;
    }
    case SampleLoadError::kDecodeError:
      return "the file is damaged";
    case SampleLoadError::kNoAudio:
      return "the file holds no audio";
  }
  return "";
}

std::string sampleName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace zarnel
