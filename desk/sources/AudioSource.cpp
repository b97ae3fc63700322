#include "desk/sources/AudioSource.h"

namespace zarnel {

const char* openFailureText(OpenFailure failure) {
  switch (failure) {
    case OpenFailure::kNone: return "";
    case OpenFailure::kNotFound: return "file not found";
    case OpenFailure::kReadError: return "the file cannot be read";
    case OpenFailure::kNotSupported: return "not a supported format";
    case OpenFailure::kDamagedHeader: return "damaged header";
    case OpenFailure::kWav24Bit: return "24-bit WAV is not supported";
    case OpenFailure::kWav32Bit: return "32-bit WAV is not supported";
    case OpenFailure::kWavFloat: return "floating-point WAV is not supported";
    case OpenFailure::kWavEncoding: return "compressed WAV is not supported";
    case OpenFailure::kTooManyChannels: return "more than two channels are not supported";
    case OpenFailure::kRateTooHigh: return "sample rates above 88200 Hz are not supported";
    case OpenFailure::kNoDevice: return "the CD drive or media reader cannot be used";
    case OpenFailure::kReaderRefused: return "the media reader cannot open it";
    case OpenFailure::kDiscMissing: return "the disc is not in the drive";
  }
  return "cannot be opened";
}

}  // namespace zarnel
