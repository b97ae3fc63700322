#include "app/SoundConfiguration.h"

#include <gtest/gtest.h>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "app/Settings.h"
#include "platform/virtual/VirtualSoundSystem.h"

namespace zarnel {
namespace {

TEST(SoundConfiguration, EveryValidPairHasItsModeAndBack) {
  EXPECT_EQ(outputModeOf(kOneCard, kSpeakers, false), 0);
  EXPECT_EQ(outputModeOf(kOneCard, kSpeakersAndHeadphones, false), 1);
  EXPECT_EQ(outputModeOf(kTwoCards, kSpeakersAndHeadphones, false), 2);
  EXPECT_EQ(outputModeOf(kOne3dCard, kSpeakersAndHeadphones, true), 3);
  EXPECT_EQ(outputModeOf(kOne3dCard, kSpeakersAndHeadphones, false), 4);
  EXPECT_EQ(outputModeOf(kOneCard, kExternalMixer, false), 5);
  EXPECT_EQ(outputModeOf(kTwoCards, kExternalMixer, true), 6);
  EXPECT_EQ(outputModeOf(kOne3dCard, kExternalMixer, true), 7);
  EXPECT_EQ(outputModeOf(kOne3dCard, kExternalMixer, false), 8);
  EXPECT_EQ(outputModeOf(kTwoCards, kSpeakers, false), -1);
  EXPECT_EQ(outputModeOf(kOne3dCard, kSpeakers, true), -1);
  for (int32_t mode = 0; mode <= 8; ++mode) {
    const SoundConfigChoice c = choiceOfMode(mode);
    EXPECT_EQ(outputModeOf(c.cardSetup, c.outputSetup, c.softwareRender), mode);
  }
  EXPECT_EQ(choiceOfMode(42).cardSetup, kOneCard);
}

// A dialog that answers with scripted choices and notes what it was shown.
struct ScriptedDialog : DialogService {
  void setOwner(int32_t, int32_t, int32_t, int32_t) override {}
  bool ask(const std::string&, const std::string&, const std::string&, const std::string&) override { return false; }
  void message(const std::string&, const std::string&) override {}
  std::optional<std::string> editText(const std::string&, const std::string&, int32_t, const std::string&) override {
    return std::nullopt;
  }
  std::string openFile(const FileDialogSpec&) override { return {}; }
  std::string saveFile(const FileDialogSpec&) override { return {}; }
  std::string chooseFolder(const std::string&, const std::string&) override { return {}; }
  std::unique_ptr<ProgressWindow> openProgress(const std::string&, const std::string&) override { return nullptr; }
  std::optional<int32_t> chooseFromList(const ListChooserSpec&, const std::function<void(int32_t)>&) override {
    return std::nullopt;
  }
  void scanHardDrive(const HdScanSpec&, const std::function<bool(const HdScanChoice&)>&) override {}
  void scanCd(const CdScanSpec&, const std::function<bool(CdScanChoice&)>&) override {}
  std::optional<std::vector<int32_t>> deleteCd(const DeleteCdSpec&) override { return std::nullopt; }
  void soundConfig(const SoundConfigSpec& s, const std::function<bool(const SoundConfigChoice&)>& valid,
                   const std::function<bool(const SoundConfigChoice&)>& onOk) override {
    shown = s;
    for (const SoundConfigChoice& c : choices) {
      validity.push_back(valid(c));
      if (onOk(c)) return;
    }
  }
  bool shortcutList(const ShortcutListSpec&, ShortcutListModel&) override { return false; }
  bool shortcutEdit(const ShortcutEditSpec&, ShortcutEditModel&) override { return false; }

  SoundConfigSpec shown;
  std::vector<SoundConfigChoice> choices;
  std::vector<bool> validity;
};

TEST(SoundConfiguration, OkStoresModeAndDevicesAndAFailedRebuildKeepsTheDialog) {
  Settings settings;
  settings.outputMode = 4;
  VirtualSoundSystem sound;
  sound.addCard("Card A");
  sound.addCard("Card B");
  const std::vector<SoundDeviceInfo> devices = sound.devices();
  settings.soundCard2Guid = devices[1].id;
  std::vector<int32_t> errors;
  int32_t rebuilds = 0;
  SoundConfigLinks links;
  links.sound = &sound;
  links.settings = &settings;
  links.texts = &localisation();
  links.rebuild = [&] { return ++rebuilds == 1 ? kErrorDirectSoundUsed : 0; };
  links.showError = [&](int32_t e) { errors.push_back(e); };
  ScriptedDialog dialog;
  // Two cards with speakers only is refused; then a rebuild fails once.
  dialog.choices = {{kTwoCards, kSpeakers, false, 1, 2}, {kTwoCards, kExternalMixer, false, 1, 2},
                    {kOneCard, kExternalMixer, false, 0, 2}};
  runSoundConfiguration(dialog, links);

  EXPECT_EQ(dialog.shown.cardSetup, kOne3dCard);
  EXPECT_FALSE(dialog.shown.softwareRender);
  EXPECT_EQ(dialog.shown.devices.size(), 3u);
  EXPECT_EQ(dialog.shown.device2, 2);
  EXPECT_EQ(dialog.validity, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(errors, (std::vector<int32_t>{kErrorConfig, kErrorDirectSoundUsed}));
  EXPECT_EQ(rebuilds, 2);
  EXPECT_EQ(settings.outputMode, 5);
  EXPECT_FALSE(settings.soundCardGuid.has_value());  // the primary device
  EXPECT_FALSE(settings.soundCard1Guid.has_value());
  EXPECT_EQ(settings.soundCard2Guid, devices[1].id);
}

}  // namespace
}  // namespace zarnel
