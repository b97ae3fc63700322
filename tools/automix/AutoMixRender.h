#pragma once
// The program's AutoMix over a playlist, rendered on a virtual clock: the
// real main window with its skin, desks, mixer, playlist and recorder runs
// on the virtual window system and a virtual sound card, and this thread
// plays the audio thread's part between the window's messages, as fast as
// the machine allows. The recorder writes what the card played, as it
// does in a live set.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace zarnel::tools {

// The AutoMix settings the render may override; unset ones keep the user's.
struct AutoMixOverrides {
  std::optional<int32_t> longMix, startMix, endMix, autoBpm, autoSync, autoZPitch;
};

struct AutoMixRenderOptions {
  std::string playlist;  // ".m3u" or ".pls"
  std::string out;       // the recorder's file name
  AutoMixOverrides overrides;
  // One line per 200 ms AutoMix tick (and per 200 ms outside transitions);
  // null: no log.
  std::function<void(const std::string& line)> log;
  // Called about every second of the mix with the seconds rendered and the
  // playlist's tracks started so far.
  std::function<void(double seconds, int32_t started, int32_t tracks)> progress;
  // Called before each track without a known tempo is analysed.
  std::function<void(const std::string& path, int32_t count)> analysing;
  // Keeps what the card played in the result (tests).
  bool keepPlayed = false;
};

// The beats of the two desks through the transitions, as the log shows them.
struct BeatAlignment {
  int32_t ticks = 0;        // transition ticks where both desks had a tempo and a first beat
  double worstMs = 0.0;     // the largest distance between their nearest beats
  double meanMs = 0.0;
};

struct AutoMixRenderResult {
  bool ok = false;
  std::string error;
  int64_t frames = 0;        // frames in the recording
  int32_t transitions = 0;   // transitions AutoMix ran
  BeatAlignment beats;
  std::vector<int16_t> played;  // keepPlayed: every frame the card played
};

// The header of the log.
inline constexpr char kAutoMixLogHeader[] =
    "time_s,step,crossfader,desk1_file,desk1_pos_s,desk1_pitch,desk2_file,desk2_pos_s,desk2_pitch";

// Renders the AutoMix of options.playlist into options.out. services gives
// the files (tracks, the playlist, the home folder with its skin and track
// store) and the settings already read; the render adds its own window
// system, sound card, registry and threads. Return: ok, or an error.
AutoMixRenderResult renderAutoMix(const PlatformServices& services, const AutoMixRenderOptions& options);

}  // namespace zarnel::tools
