#include "platform/posix/AlsaSystemMixer.h"

#include "platform/posix/AlsaMixerControls.h"

namespace zarnel {

namespace {

// The wave and the master volume: the two that stand between the program's
// output and the speakers on a usual card.
const char* const kElements[] = {"PCM", "Master"};

}  // namespace

AlsaSystemMixer::AlsaSystemMixer() : controls_(std::make_unique<AlsaMixerControls>()) {}

AlsaSystemMixer::AlsaSystemMixer(std::unique_ptr<MixerControls> controls)
    : controls_(std::move(controls)) {}

void AlsaSystemMixer::raiseVolumes() {
  if (raised_) return;
  raised_ = true;
  for (const std::string& card : controls_->cards())
    for (const char* element : kElements) raiseElement(card, element);
}

void AlsaSystemMixer::raiseElement(const std::string& card, const std::string& element) {
  ElementVolume volume;
  if (!controls_->read(card, element, volume) || volume.channels.empty()) return;
  remembered_.push_back({card, element, volume.channels});
  std::vector<ChannelVolume> full = volume.channels;
  for (ChannelVolume& channel : full) channel.value = volume.max;
  controls_->write(card, element, full);
}

void AlsaSystemMixer::restoreVolumes() {
  // Reverse order: the last raised is the first put back.
  for (auto it = remembered_.rbegin(); it != remembered_.rend(); ++it)
    controls_->write(it->card, it->element, it->values);
  remembered_.clear();
  raised_ = false;
}

}  // namespace zarnel
