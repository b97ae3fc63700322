#include "mixer/RecorderStatusText.h"

#include <gtest/gtest.h>

namespace zarnel {
namespace {

// The program's English texts.
const RecorderTexts kTexts = {
    "Saving WAV file\nFileName: %s\nTime Recorded: %i:%.2i:%.2i\nFileSize: %.1f Mo\n\nTotal Time Recorded: "
    "%i:%.2i:%.2i\nTotal FileSize: %.1f Mo",
    "Saving WAV files\nFileName: %s\n\n** Auto Start on Play **", "** File Error **"};

RecorderStatus statusOf(RecorderPhase phase, int64_t fileFrames = 0, int64_t totalFrames = 0) {
  RecorderStatus s;
  s.phase = phase;
  s.fileName = "C:\\sets\\mix001.wav";
  s.fileFrames = fileFrames;
  s.totalFrames = totalFrames;
  return s;
}

TEST(RecorderStatusText, TimeAndSizeOfFrames) {
  const int64_t frames = 2 * 158760000LL + 7 * 2646000 + 5 * 44100 + 44099;
  const RecordedTime t = recordedTime(frames);
  EXPECT_EQ(t.hours, 2);
  EXPECT_EQ(t.minutes, 7);
  EXPECT_EQ(t.seconds, 5);
  EXPECT_DOUBLE_EQ(recordedMegabytes(262144), 1.0);
}

TEST(RecorderStatusText, EachPhaseShowsItsText) {
  // 1:02:03 in the file, 10:00:00 in all.
  const int64_t file = 158760000LL + 2 * 2646000 + 3 * 44100;
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kRecording, file, 10 * 158760000LL), kTexts),
            "Saving WAV file\nFileName: C:\\sets\\mix001.wav\nTime Recorded: 1:02:03\nFileSize: 626.3 Mo\n\n"
            "Total Time Recorded: 10:00:00\nTotal FileSize: 6056.2 Mo");
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kArmed), kTexts),
            "Saving WAV files\nFileName: C:\\sets\\mix001.wav\n\n** Auto Start on Play **");
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kNoFile), kTexts), "** File Error **");
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kWriteFailed, 44100 * 61, 0), kTexts),
            "** Write Error: recording stopped **\nFileName: C:\\sets\\mix001.wav\nTime Recorded: 0:01:01\n"
            "FileSize: 10.3 Mo");
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kStopped), kTexts), "");
}

// A translation may hold any directive: none may read a value of another
// kind, or one that is not there.
TEST(RecorderStatusText, UntrustedFormatsNeverMisreadValues) {
  RecorderTexts texts = kTexts;
  // The first %i meets the file name: shown as written, it uses the name up.
  texts.recording = "%i|%i:%.2i:%.2i|%+8.3f|%n|%x|%-3i|%%|%";
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kRecording, 44100 * 4, 0), texts),
            "%i|0:00:04|  +0.673|%n|%x|0  |%|%");
  texts.waiting = "%s %s %i %.99999s %lld";
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kArmed), texts), "C:\\sets\\mix001.wav %s %i %.99999s %lld");
  texts.noFile = "%s%i%f 100%";
  EXPECT_EQ(recorderStatusText(statusOf(RecorderPhase::kNoFile), texts), "%s%i%f 100%");
}

TEST(RecorderStatusText, BroadcastModeShowsItsTexts) {
  RecorderStatus s = statusOf(RecorderPhase::kRecording, 5, 158760000LL + 2 * 2646000 + 3 * 44100);
  s.mode = RecorderMode::kBroadcast;
  EXPECT_EQ(recorderStatusText(s, kTexts), "Broadcasting\nTotal Time: 1:02:03");
  s.phase = RecorderPhase::kArmed;
  EXPECT_EQ(recorderStatusText(s, kTexts), "Broadcasting\n** Auto Start on Play **");
  s.phase = RecorderPhase::kNoFile;
  EXPECT_EQ(recorderStatusText(s, kTexts), "** Plugin Error **");
  s.phase = RecorderPhase::kStopped;
  EXPECT_EQ(recorderStatusText(s, kTexts), "");
  // Localised texts, as untrusted as the others.
  RecorderTexts texts = kTexts;
  texts.broadcasting = "Sendung %s %i:%.2i:%.2i %i";
  texts.broadcastWaiting = "Warten %i";
  texts.broadcastError = "Fehler %s";
  s.phase = RecorderPhase::kRecording;
  // The %s meets the hours: shown as written, it uses them up.
  EXPECT_EQ(recorderStatusText(s, texts), "Sendung %s 2:03:%.2i %i");
  s.phase = RecorderPhase::kArmed;
  EXPECT_EQ(recorderStatusText(s, texts), "Warten %i");
  s.phase = RecorderPhase::kNoFile;
  EXPECT_EQ(recorderStatusText(s, texts), "Fehler %s");
}

}  // namespace
}  // namespace zarnel
