#pragma once
// The text the record panel shows for the recorder's state.

#include <string>
#include <string_view>

#include "mixer/Recorder.h"

namespace zarnel {

// Shown when a write fails; takes the same values as the recording text.
inline constexpr std::string_view kRecorderWriteFailedText =
    "** Write Error: recording stopped **\nFileName: %s\nTime Recorded: %i:%.2i:%.2i\nFileSize: %.1f Mo";

// The program's English texts of broadcast mode.
inline constexpr std::string_view kBroadcastText = "Broadcasting\nTotal Time: %i:%.2i:%.2i";
inline constexpr std::string_view kBroadcastWaitingText = "Broadcasting\n** Auto Start on Play **";
inline constexpr std::string_view kBroadcastErrorText = "** Plugin Error **";

// The localised format texts of the recorder. The WAV recording text takes,
// in order: the file name (%s), its time (hours, minutes, seconds: %i), its
// size in megabytes (%f), then the total time and total size.
struct RecorderTexts {
  std::string_view recording;  // "SaveMsg"
  std::string_view waiting;    // "SaveMsgWait": the file name only
  std::string_view noFile;     // "SaveMsgErr": no value
  std::string_view writeFailed = kRecorderWriteFailedText;
  // Broadcast mode.
  std::string_view broadcasting = kBroadcastText;            // "BroadcastMsg": the total time (three %i)
  std::string_view broadcastWaiting = kBroadcastWaitingText;  // "BroadcastMsgWait": no value
  std::string_view broadcastError = kBroadcastErrorText;      // "BroadcastMsgErr": no value
};

// Return: the status text of status, by its mode and phase: empty once stopped. A format text is
// a localised text, so it is not trusted: each %s, %i (%d) and %f takes the
// next value only when their kinds match, and any other or unmatched
// directive shows as written. Any thread.
std::string recorderStatusText(const RecorderStatus& status, const RecorderTexts& texts);

// The clock of frames recorded.
struct RecordedTime {
  int hours, minutes, seconds;
};
// Return: frames at 44100 Hz as hours, minutes and seconds.
RecordedTime recordedTime(int64_t frames);
// Return: the bytes of frames in megabytes (1048576 bytes).
double recordedMegabytes(int64_t frames);

}  // namespace zarnel
