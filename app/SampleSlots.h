#pragma once
// The twelve sample slots as the program runs them: their players, the
// files in the settings' "Sample_%i" values (loaded at start-up), the load
// buttons' open dialog, the displays' presses and the volume sliders of the
// browser panel's samples page, and the keyboard shortcuts' triggers.

#include <array>
#include <cstdint>
#include <string>

#include "mixer/SamplePlayers.h"
#include "skin/SampleDisplay.h"

namespace zarnel {

class BrowserPanel;
class DialogService;
class FileSystem;
class Localisation;
struct Settings;

// Borrowed; outlive the slots. dialogs and texts may be null (no dialogs,
// English captions).
struct SampleSlotLinks {
  FileSystem* files = nullptr;
  DialogService* dialogs = nullptr;
  const Localisation* texts = nullptr;
  Settings* settings = nullptr;
};

// UI thread.
class SampleSlots : public SampleDisplayHost {
 public:
  // The longest path a slot's setting keeps.
  static constexpr size_t kMaxPath = 511;

  explicit SampleSlots(const SampleSlotLinks& links);

  // The players every output engine mixes. Pre: they outlive the engines.
  SamplePlayers& players() { return players_; }
  // The panel whose displays and sliders show the slots; null detaches.
  void attach(BrowserPanel* panel);

  // Loads the file of every slot's setting; a file that fails leaves its
  // slot empty, its failure kept in lastError.
  void loadFromSettings();
  // Loads path into slot (an empty path empties it). A failure leaves the
  // slot empty and is told in a message box when tell is set.
  // Return: whether the sample loaded.
  bool load(int32_t slot, const std::string& path, bool tell);
  // The load button of slot: the open dialog, then the chosen file stored in
  // the slot's setting and loaded.
  void chooseAndLoad(int32_t slot);
  // Return: why the last load of slot failed, "" after one that worked.
  const std::string& lastError(int32_t slot) const;

  // The shortcut: plays slot from its start, the momentary flag unchanged.
  void trigger(int32_t slot);
  void stopAll();
  void setVolume(int32_t slot, int32_t volume);
  // The display refresh: frees replaced samples the audio thread let go of
  // and redraws the displays whose playing state changed.
  void refresh();

  // SampleDisplayHost
  void pressSample(int32_t slot, int32_t keys) override;
  void releaseSample(int32_t slot) override;
  std::string sampleCaption(int32_t slot) const override;
  bool samplePlaying(int32_t slot) const override { return players_.playing(slot); }

 private:
  void redraw(int32_t slot);
  void tellFailure(const std::string& path, const std::string& why) const;

  SampleSlotLinks links_;
  SamplePlayers players_;
  BrowserPanel* panel_ = nullptr;
  std::array<std::string, kSamplePlayers> errors_;
};

}  // namespace zarnel
