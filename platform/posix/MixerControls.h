#pragma once
// The playback volume controls of the system's sound cards, as the system
// mixer service needs them: a narrow seam so that the remember-and-restore
// logic runs against a fake in tests.

#include <cstdint>
#include <string>
#include <vector>

namespace zarnel {

struct ChannelVolume {
  int32_t channel = 0;  // the control's own channel number
  long value = 0;
};

struct ElementVolume {
  std::vector<ChannelVolume> channels;
  long max = 0;
};

// Thread: one owner.
class MixerControls {
 public:
  virtual ~MixerControls() = default;
  // Return: a name for each card present now, stable while the card stays.
  virtual std::vector<std::string> cards() = 0;
  // Reads the playback volume of every channel of element on card.
  // Return: false if the card or element is missing or has no playback volume.
  virtual bool read(const std::string& card, const std::string& element,
                    ElementVolume& volume) = 0;
  // Sets the listed channels of element on card. Return: false if the card or
  // element is gone (nothing is set then).
  virtual bool write(const std::string& card, const std::string& element,
                     const std::vector<ChannelVolume>& values) = 0;
};

}  // namespace zarnel
