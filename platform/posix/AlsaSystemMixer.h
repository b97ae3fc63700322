#pragma once
// The system mixer through ALSA: the "PCM" (wave) and "Master" playback
// volumes of every card.

#include <memory>
#include <string>
#include <vector>

#include "platform/SystemMixer.h"
#include "platform/posix/MixerControls.h"

namespace zarnel {

// Thread: UI thread.
class AlsaSystemMixer : public SystemMixer {
 public:
  // Uses the system's ALSA cards.
  AlsaSystemMixer();
  // Uses controls instead (tests). Pre: controls is not null.
  explicit AlsaSystemMixer(std::unique_ptr<MixerControls> controls);

  // Remembers each element's volumes and sets them to their maximum. While
  // volumes are remembered a second call changes nothing, so the first
  // values are the ones restored.
  void raiseVolumes() override;
  // Puts back what raiseVolumes remembered, skipping cards that have gone,
  // and forgets it.
  void restoreVolumes() override;

 private:
  struct Remembered {
    std::string card;
    std::string element;
    std::vector<ChannelVolume> values;
  };
  void raiseElement(const std::string& card, const std::string& element);

  std::unique_ptr<MixerControls> controls_;
  std::vector<Remembered> remembered_;
  bool raised_ = false;
};

}  // namespace zarnel
