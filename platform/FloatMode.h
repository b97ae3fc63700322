#pragma once
// Floating-point mode of the calling thread.

namespace zarnel {

// Makes the calling thread treat denormal floats as zero, where the CPU
// allows it. The equaliser's recursive filters decay towards denormals in
// silence, and denormal arithmetic is many times slower than normal: the
// audio thread calls this once at its start.
void setAudioThreadFloatMode();

}  // namespace zarnel
