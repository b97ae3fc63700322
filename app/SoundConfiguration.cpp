// The sound configuration dialog and what its OK does.

#include "app/SoundConfiguration.h"

#include "app/DialogTexts.h"
#include "app/FatalError.h"
#include "app/Settings.h"

namespace zarnel {
namespace {

constexpr const char* kPrimaryDevice = "Primary Sound Driver";

// Return: the list index of the stored device (0, the primary, when none matches).
int32_t indexOfDevice(const std::vector<SoundDeviceInfo>& devices, const std::optional<DeviceGuid>& guid) {
  if (!guid) return 0;
  for (size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].id == *guid) return int32_t(i) + 1;
  }
  return 0;
}

std::optional<DeviceGuid> deviceAt(const std::vector<SoundDeviceInfo>& devices, int32_t index) {
  if (index < 1 || index > int32_t(devices.size())) return std::nullopt;
  return devices[size_t(index) - 1].id;
}

}  // namespace

int32_t outputModeOf(int32_t card, int32_t output, bool software) {
  switch (output) {
    case kSpeakers: return card == kOneCard ? 0 : -1;
    case kSpeakersAndHeadphones:
      if (card == kOneCard) return 1;
      if (card == kTwoCards) return 2;
      return software ? 3 : 4;
    case kExternalMixer:
      if (card == kOneCard) return 5;
      if (card == kTwoCards) return 6;
      return software ? 7 : 8;
    default: return -1;
  }
}

SoundConfigChoice choiceOfMode(int32_t mode) {
  for (int32_t card = 0; card < 3; ++card) {
    for (int32_t output = 0; output < 3; ++output) {
      for (bool software : {true, false}) {
        if (outputModeOf(card, output, software) == mode) return {card, output, software, 0, 0};
      }
    }
  }
  return {};
}

void runSoundConfiguration(DialogService& dialogs, const SoundConfigLinks& links) {
  if (!links.settings || !links.texts) return;
  Settings& settings = *links.settings;
  const std::vector<SoundDeviceInfo> devices = links.sound ? links.sound->devices() : std::vector<SoundDeviceInfo>{};
  SoundConfigSpec spec;
  spec.title = dialogText(*links.texts, kDialogSoundConfig, kDialogTitle);
  spec.okText = dialogText(*links.texts, kDialogSoundConfig, kDialogOk);
  spec.cancelText = dialogText(*links.texts, kDialogSoundConfig, kDialogCancel);
  spec.cardLabel = dialogText(*links.texts, kDialogSoundConfig, kDialogLabel1);
  spec.card2Label = dialogText(*links.texts, kDialogSoundConfig, kDialogLabel2);
  spec.softwareText = dialogText(*links.texts, kDialogSoundConfig, kDialogLabel3);
  spec.devices.push_back(kPrimaryDevice);
  for (const SoundDeviceInfo& d : devices) spec.devices.push_back(d.name);
  const SoundConfigChoice current = choiceOfMode(settings.outputMode);
  spec.cardSetup = current.cardSetup;
  spec.outputSetup = current.outputSetup;
  spec.softwareRender = current.softwareRender;
  spec.device1 = indexOfDevice(devices, settings.soundCard1Guid ? settings.soundCard1Guid : settings.soundCardGuid);
  spec.device2 = indexOfDevice(devices, settings.soundCard2Guid);
  if (links.pictures.size() == 6) {
    spec.cardPictures.assign(links.pictures.begin(), links.pictures.begin() + 3);
    spec.outputPictures.assign(links.pictures.begin() + 3, links.pictures.end());
  }
  auto valid = [](const SoundConfigChoice& c) { return outputModeOf(c.cardSetup, c.outputSetup, c.softwareRender) >= 0; };
  auto accept = [&](const SoundConfigChoice& c) {
    const int32_t mode = outputModeOf(c.cardSetup, c.outputSetup, c.softwareRender);
    if (mode < 0) {
      if (links.showError) links.showError(kErrorConfig);
      return false;
    }
    settings.outputMode = mode;
    settings.soundCardGuid = deviceAt(devices, c.device1);
    settings.soundCard1Guid = settings.soundCardGuid;
    settings.soundCard2Guid = deviceAt(devices, c.device2);
    const int32_t error = links.rebuild ? links.rebuild() : 0;
    if (error != 0 && links.showError) links.showError(error);
    return error == 0;
  };
  dialogs.soundConfig(spec, valid, accept);
}

}  // namespace zarnel
