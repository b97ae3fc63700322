#pragma once
// The indexes of the skin's button actions (each also the button's tooltip
// slot) and of the keyboard shortcut actions, by the names the skin and the
// shortcut texts give them.

#include <cstdint>

namespace zarnel {

namespace button {
enum : int32_t {
  kNothing = 0, kClose = 1, kMinimize = 2, kMaximize = 3, kMagic = 4, kPlay = 5, kPause = 6,
  kStop = 7, kCue = 8, kSelect = 9, kPitchReset = 10, kSwitchPitchLevel = 11, kSyncPitch = 12,
  kSyncLevel = 13, kSyncBeat = 14, kMenuFiles = 15, kMenuConfig = 20, kMix = 21, kKnob = 23,
  kPlayPause = 24, kCueStop = 25, kLoop4th = 26, kLoop8 = 31, kEffect1 = 32, kEffect3 = 34,
  kEqReset = 35, kKillBass = 36, kKillHigh = 38, kGotoCue1 = 39, kGotoCue2 = 40, kGotoCue5 = 43,
  kSetCue1 = 44, kSetCue2 = 45, kSetCue5 = 48,
};
}  // namespace button

// Loop codes of the buttons "loop4th" to "loop8", in button order.
inline constexpr int32_t kLoopButtonCodes[6] = {-4, -2, 1, 2, 4, 8};

namespace shortcut {
inline constexpr int32_t kCount = 113;
enum : int32_t {
  kNothing = 0, kPlay = 1, kPause = 2, kCue = 3, kStop = 4, kMagic = 5, kBeatMatch = 6,
  kSkipBeat = 7, kNudgeLeft = 8, kNudgeRight = 9, kSetCue2 = 10, kSetCue5 = 13, kGotoCue2 = 14,
  kGotoCue5 = 17, kPitchUp = 18, kPitchDown = 19, kPitchPageUp = 20, kPitchPageDown = 21,
  kPitchFineUp = 22, kPitchFineDown = 23, kPitchMiddle = 24, kPitchReset = 25, kVolumeMax = 26,
  kVolumeMin = 27, kVolumeUp = 28, kVolumeDown = 29, kVolumePageUp = 30, kVolumePageDown = 31,
  kLoop1Beat = 32, kLoop8Beat = 35, kCrossfaderLeftmost = 36, kCrossfaderRightmost = 37,
  kCrossfaderLeft = 38, kCrossfaderRight = 39, kCrossfaderPageLeft = 40, kCrossfaderPageRight = 41,
  kCrossfaderMiddle = 42, kLoad = 43, kLoadIntoPlaylist = 44, kEditBpm = 45, kEditComment = 46,
  kSetAsFavoriteFolder = 47, kMixNow = 48, kToggleAutoMix = 49, kSwitchHeadphone = 50,
  kNextWindow = 51, kPrevWindow = 52, kSwitchPitchVolume = 53, kStartStopRecord = 54,
  kNextPage = 55, kPreviousPage = 56, kPageFileBrowser = 57, kPageConfig = 62, kSample1 = 63,
  kSample12 = 74, kEffect1 = 75, kEffect3 = 77, kKillBass = 78, kNormalBass = 79, kKillHigh = 82,
  kNormalHigh = 83, kLoopHalfBeat = 84, kLoopQuarterBeat = 85, kBassUp = 86, kHighDown = 91,
  kExitLoop = 92, kEqReset = 93, kHold = 94, kPitchBendLeft = 95, kPitchBendRight = 96,
  kStopAllSamples = 97, kBassfaderLeft = 98, kHighfaderRightmost = 112,
};
}  // namespace shortcut

}  // namespace zarnel
