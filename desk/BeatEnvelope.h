#pragma once
// The beat analyser's time base: one envelope sample per 36 stereo frames
// (1225 per second), kept in rings of 8192 samples that line up with the
// desk's DecodeRing (8192 × 36 = 294912 frames, 32 samples per block).

#include <array>
#include <atomic>
#include <cstdint>

#include "desk/AudioFormat.h"

namespace zarnel {

constexpr int32_t kEnvelopeFrames = 36;
constexpr int32_t kEnvelopeSlots = 8192;
constexpr int32_t kEnvelopeMask = kEnvelopeSlots - 1;
constexpr int32_t kSlotsPerBlock = kBlockFrames / kEnvelopeFrames;  // 32
constexpr int32_t kMeterSlots = kEnvelopeSlots / kSlotsPerBlock;    // 256
// Envelope samples per minute: a period of L samples is 73500 / L beats a minute.
constexpr float kSlotsPerMinute = 73500.0f;

// Beat strength per envelope slot. Written by the analysing thread, read by
// the UI and rhythm threads without a lock (relaxed: a torn picture lasts one
// redraw).
using StrengthRing = std::array<std::atomic<int32_t>, kEnvelopeSlots>;

// Return: slot wrapped into the ring (negative slots too).
constexpr int32_t wrapSlot(int32_t slot) { return slot & kEnvelopeMask; }

}  // namespace zarnel
