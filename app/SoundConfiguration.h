#pragma once
// The sound configuration dialog's choices: a card set-up (one card, one 3D
// card, two cards), an output set-up (speakers, speakers and headphones,
// external mixer) and software rendering give the output mode 0..8; the
// devices chosen give the stored device identities.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/DialogService.h"
#include "platform/SoundSystem.h"

namespace zarnel {

class Localisation;
struct Settings;

enum CardSetup : int32_t { kOneCard = 0, kOne3dCard = 1, kTwoCards = 2 };
enum OutputSetup : int32_t { kSpeakers = 0, kSpeakersAndHeadphones = 1, kExternalMixer = 2 };

// Return: the output mode of the choice, -1 for a pair no mode has.
int32_t outputModeOf(int32_t cardSetup, int32_t outputSetup, bool softwareRender);
// Return: the choice that shows mode (an unknown mode shows mode 0).
SoundConfigChoice choiceOfMode(int32_t mode);

// What the dialog needs from the program. UI thread.
struct SoundConfigLinks {
  SoundSystem* sound = nullptr;
  Settings* settings = nullptr;
  const Localisation* texts = nullptr;
  // Rebuilds the output engine from the settings. Return: 0, or the error
  // code of the failure (the engine then runs mode 0 on the primary device).
  std::function<int32_t()> rebuild;
  // Shows the message of a FatalError code.
  std::function<void(int32_t)> showError;
  std::vector<std::vector<uint32_t>> pictures;  // six 87 by 90 pictures, or none
};

// Shows the dialog and applies an accepted choice.
void runSoundConfiguration(DialogService& dialogs, const SoundConfigLinks& links);

}  // namespace zarnel
