#pragma once
// MixerControls on the ALSA simple mixer interface. Cards are named
// "hw:<card id>", which survives other cards coming and going.

#include "platform/posix/MixerControls.h"

namespace zarnel {

// Thread: one owner. Each call opens the card's mixer and closes it again,
// so a card that vanished in between only makes that call fail.
class AlsaMixerControls : public MixerControls {
 public:
  std::vector<std::string> cards() override;
  bool read(const std::string& card, const std::string& element, ElementVolume& volume) override;
  bool write(const std::string& card, const std::string& element,
             const std::vector<ChannelVolume>& values) override;
};

}  // namespace zarnel
