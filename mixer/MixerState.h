#pragma once
// The mixer parameters that the widgets drive: crossfader, levels, gains,
// equaliser bands and kills, band crossfaders and the headphone controls.
// Each setter clamps, stores only a change, and sends what depends on it to
// the output engine.

#include <cstdint>

namespace zarnel {

class OutputEngine;

enum class Band : int32_t { bass = 0, medium = 1, high = 2 };

// Tells the skin's widgets about a value the mixer changed. The skin comes
// later; until then nobody listens.
class MixerWidgets {
 public:
  virtual ~MixerWidgets() = default;
  // kind names the control ("crossfader", "level", "gain", "bass", ...);
  // desk is 0, 1, or -1 for controls of both desks.
  virtual void valueChanged(const char* /*kind*/, int32_t /*desk*/, int32_t /*value*/) {}
};

// UI thread only.
class MixerState {
 public:
  // engine and widgets may be null and may be attached later.
  void attach(OutputEngine* engine, MixerWidgets* widgets);
  void setEngine(OutputEngine* engine) { engine_ = engine; }

  void setCrossfader(int32_t value);
  // Cycles the curve 0, 1, 2, 0.
  void cycleCrossfaderMode();
  void setCrossfaderMode(int32_t mode);
  void setLevel(int32_t desk, int32_t value);
  void setGain(int32_t desk, int32_t value);
  void setBand(int32_t desk, Band band, int32_t value);
  // on: 0, 1, or -1 to toggle.
  void setKill(int32_t desk, Band band, int32_t on);
  void setBandFader(Band band, int32_t value);
  void setPreview(int32_t value);
  void selectPreviewDesk(int32_t desk);
  // Kills off, bands to 2048, band faders that attenuate the desk back to
  // 2048. desk -1: desk 1, then desk 2.
  void resetEqualizer(int32_t desk);

  // Sends every parameter to the engine (after it was created or the
  // "Equalizer" option changed).
  void sendAll();

  int32_t crossfader() const { return crossfader_; }
  int32_t crossfaderMode() const { return crossfaderMode_; }
  int32_t level(int32_t desk) const { return level_[desk]; }
  int32_t gain(int32_t desk) const { return gain_[desk]; }
  int32_t band(int32_t desk, Band band) const { return band_[desk][int(band)]; }
  bool kill(int32_t desk, Band band) const { return kill_[desk][int(band)] != 0; }
  int32_t bandFader(Band band) const { return fader_[int(band)]; }
  int32_t preview() const { return preview_; }
  int32_t previewDesk() const { return previewDesk_; }

 private:
  void sendLevels();
  void sendEqualizer(int32_t desk);
  void sendPreview();
  void notify(const char* kind, int32_t desk, int32_t value);

  OutputEngine* engine_ = nullptr;
  MixerWidgets* widgets_ = nullptr;
  int32_t crossfader_ = 2048;
  int32_t crossfaderMode_ = 0;
  int32_t level_[2] = {4096, 4096};
  int32_t gain_[2] = {2048, 2048};
  int32_t band_[2][3] = {{2048, 2048, 2048}, {2048, 2048, 2048}};
  int32_t kill_[2][3] = {};
  int32_t fader_[3] = {2048, 2048, 2048};
  int32_t preview_ = 0;
  int32_t previewDesk_ = 0;
};

}  // namespace zarnel
