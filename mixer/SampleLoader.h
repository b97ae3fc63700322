#pragma once
// Decodes a whole sample file into memory for a sample player: a ".wav"
// ending takes the WAV source, anything else the MPEG source, read in
// 1152-frame blocks into a buffer sized from the source's length.

#include <cstdint>
#include <memory>
#include <string>

#include "desk/sources/AudioSource.h"
#include "mixer/SamplePlayers.h"

namespace zarnel {

class FileSystem;

// The longest sample a player takes, in whole seconds as its source reports
// them: it bounds the memory one slot can take (about 10 MB).
constexpr int32_t kSampleMaxSeconds = 60;

// Why a sample did not load.
enum class SampleLoadError : int32_t {
  kNone,
  kOpenFailed,   // the source refused the file (SampleLoad::openFailure tells why)
  kTooLong,      // longer than kSampleMaxSeconds
  kDecodeError,  // the source failed while decoding
  kNoAudio,      // the file holds not one whole block
};

struct SampleLoad {
  std::unique_ptr<SampleData> data;  // null unless loaded
  SampleLoadError error = SampleLoadError::kNone;
  OpenFailure openFailure = OpenFailure::kNone;
};

// Decodes path. files: for WAV files. UI thread.
// Return: the sample, or no data and why not.
SampleLoad decodeSample(FileSystem& files, const std::string& path);

// Return: a short English text for the result's failure, e.g. "longer than
// 60 seconds"; "" when it loaded.
std::string sampleLoadErrorText(const SampleLoad& load);

// Return: the file name of path without its folder and its extension.
std::string sampleName(const std::string& path);

}  // namespace zarnel
