#include "platform/posix/AlsaMixerControls.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <memory>

namespace zarnel {

namespace {

struct MixerCloser {
  void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// Return: the loaded simple mixer of card, or null.
MixerHandle openMixer(const std::string& card) {
  snd_mixer_t* raw = nullptr;
  if (snd_mixer_open(&raw, 0) < 0) return nullptr;
  MixerHandle mixer(raw);
  if (snd_mixer_attach(raw, card.c_str()) < 0 || snd_mixer_selem_register(raw, nullptr, nullptr) < 0 ||
      snd_mixer_load(raw) < 0)
    return nullptr;
  return mixer;
}

// Return: element's playback volume element, or null.
snd_mixer_elem_t* findVolume(snd_mixer_t* mixer, const std::string& element) {
  snd_mixer_selem_id_t* id = nullptr;
  if (snd_mixer_selem_id_malloc(&id) < 0) return nullptr;
  snd_mixer_selem_id_set_index(id, 0);
  snd_mixer_selem_id_set_name(id, element.c_str());
  snd_mixer_elem_t* found = snd_mixer_find_selem(mixer, id);
  snd_mixer_selem_id_free(id);
  return found && snd_mixer_selem_has_playback_volume(found) ? found : nullptr;
}

// Return: "hw:<id>" for card number index, or "hw:<index>" if its id is unreadable.
std::string cardName(int index) {
  const std::string byNumber = "hw:" + std::to_string(index);
  snd_ctl_t* ctl = nullptr;
  if (snd_ctl_open(&ctl, byNumber.c_str(), 0) < 0) return byNumber;
  std::string name = byNumber;
  snd_ctl_card_info_t* info = nullptr;
  if (snd_ctl_card_info_malloc(&info) == 0) {
    if (snd_ctl_card_info(ctl, info) == 0) name = std::string("hw:") + snd_ctl_card_info_get_id(info);
    snd_ctl_card_info_free(info);
  }
  snd_ctl_close(ctl);
  return name;
}

}  // namespace

std::vector<std::string> AlsaMixerControls::cards() {
  std::vector<std::string> names;
  int index = -1;
  while (snd_card_next(&index) == 0 && index >= 0) names.push_back(cardName(index));
  return names;
}

bool AlsaMixerControls::read(const std::string& card, const std::string& element,
                             ElementVolume& volume) {
  MixerHandle mixer = openMixer(card);
  snd_mixer_elem_t* elem = mixer ? findVolume(mixer.get(), element) : nullptr;
  long min = 0;
  if (!elem || snd_mixer_selem_get_playback_volume_range(elem, &min, &volume.max) < 0) return false;
  volume.channels.clear();
  for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
    const auto channel = static_cast<snd_mixer_selem_channel_id_t>(c);
    long value = 0;
    if (snd_mixer_selem_has_playback_channel(elem, channel) &&
        snd_mixer_selem_get_playback_volume(elem, channel, &value) == 0)
      volume.channels.push_back({c, value});
  }
  return true;
}

bool AlsaMixerControls::write(const std::string& card, const std::string& element,
                              const std::vector<ChannelVolume>& values) {
  MixerHandle mixer = openMixer(card);
  snd_mixer_elem_t* elem = mixer ? findVolume(mixer.get(), element) : nullptr;
  if (!elem) return false;
  for (const ChannelVolume& channel : values)
    snd_mixer_selem_set_playback_volume(
        elem, static_cast<snd_mixer_selem_channel_id_t>(channel.channel), channel.value);
  return true;
}

}  // namespace zarnel
