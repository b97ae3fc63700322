#pragma once
// The check every refused broadcast plug-in must pass, whichever loader
// refused it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mixer/RecordedWav.h"
#include "mixer/Recorder.h"
#include "mixer/RecorderStatusText.h"
#include "platform/AudioThread.h"

namespace zarnel::test {

// Expects create(path) to fail with a load error holding why: no module, the
// error status text, no writer thread, and nothing recorded from the frames
// the audio thread hands over afterwards; then stops the recorder.
inline void expectBroadcastRefused(Recorder& recorder, const std::string& path, const std::string& why) {
  EXPECT_FALSE(recorder.create(path, {}));
  const RecorderStatus s = recorder.status();
  EXPECT_EQ(s.mode, RecorderMode::kBroadcast);
  EXPECT_EQ(s.phase, RecorderPhase::kNoFile);
  EXPECT_NE(s.loadError.find(why), std::string::npos) << s.loadError;
  EXPECT_FALSE(recorder.writerRunning());
  EXPECT_FALSE(recorder.recording());
  EXPECT_EQ(recorderStatusText(s, {"rec", "wait", "file error"}), "** Plugin Error **");
  {
    const AudioThreadTag tag;
    const std::vector<int16_t> block = recordedSignal(0, 3000);
    recorder.appendRt(block.data(), 3000);
  }
  recorder.writeCycle();
  EXPECT_EQ(recorder.status().totalFrames, 0);
  EXPECT_TRUE(recorder.stop());
}

}  // namespace zarnel::test
