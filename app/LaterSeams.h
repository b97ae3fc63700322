#pragma once
// The one seam through which the action dispatch reaches the subsystems that
// are not built yet: samples, effects, recording, AutoMix and the browser
// panel with its pages, commands and dialogs. Every operation of the base
// class does nothing and reports that nothing runs, so no widget shows a
// state the program is not in; each subsystem overrides its part when it
// joins.

#include <cstdint>

namespace zarnel {

// UI thread only.
class LaterSeams {
 public:
  virtual ~LaterSeams() = default;

  // --- AutoMix -------------------------------------------------------------
  // Starts a transition now ("mix", "mix now", the crossfader's automatic action).
  virtual void autoMixNow() {}
  // A running transition was stopped by a desk action (stop, seek, load).
  virtual void autoMixTransitionStopped() {}
  // Message 1068: desk asks to be mixed in.
  virtual void mixIn(int32_t /*desk*/) {}
  // Message 1069 while AutoMix is on: the playlist loads the next track.
  virtual void trackEnded(int32_t /*desk*/) {}

  // --- effects ---------------------------------------------------------------
  // Toggles effect slot 0..5. Return: whether the slot now runs an effect.
  virtual bool toggleEffect(int32_t /*slot*/) { return false; }
  // Message 1073: an effect plug-in's request (low byte slot, bits 8 and up code).
  virtual void effectRequest(int32_t /*wparam*/, int32_t /*lparam*/) {}

  // --- samples ---------------------------------------------------------------
  // Triggers sample player 0..11.
  virtual void triggerSample(int32_t /*player*/) {}
  // Stops, rewinds and redraws every playing sample player and tells the
  // sound output to stop all samples.
  virtual void stopAllSamples() {}

  // --- recording -------------------------------------------------------------
  virtual void toggleRecording() {}
  // The crossfader reached an end with "AutoSaveCut" on: the recording, when
  // one runs, cuts to a new file.
  virtual void flagRecordingCut() {}

  // --- browser panel ---------------------------------------------------------
  // Shows page 0..5 (files, search, samples, effects, record, config).
  virtual void showBrowserPage(int32_t /*page*/) {}
  // Return: the page shown, 0..5.
  virtual int32_t browserPage() const { return 0; }
  // Loads the browser's selected file onto desk.
  virtual void loadSelected(int32_t /*desk*/) {}
  virtual void addSelectedToPlaylist() {}
  virtual void editBpm() {}
  virtual void editComment() {}
  // Browser command n (2: set as favourite folder, 6: toggle AutoMix).
  virtual void browserCommand(int32_t /*n*/) {}
  // Moves the keyboard focus to the next (+1) or previous (-1) panel.
  virtual void browserFocus(int32_t /*step*/) {}
};

}  // namespace zarnel
