#pragma once
// The options page's rows that open a dialog: the skin chooser, the sound
// configuration, the shortcut list and the history save. The visual
// chooser, the web page and the recording file belong to subsystems that
// come later and do nothing yet.

#include <functional>
#include <string>
#include <vector>

#include "app/OptionSettings.h"
#include "app/SoundConfiguration.h"

namespace zarnel {

class DialogService;
class FileSystem;
class Localisation;
class ShortcutManager;

// Borrowed; outlive the object. UI thread.
struct OptionDialogLinks {
  DialogService* dialogs = nullptr;  // null: no row opens anything
  const Localisation* texts = nullptr;
  Settings* settings = nullptr;
  FileSystem* files = nullptr;
  ShortcutManager* shortcuts = nullptr;
  std::function<std::string(int32_t)> keyName;
  // The skins that can be chosen, and the change to one of them.
  std::function<std::vector<std::string>()> skinNames;
  std::function<bool(const std::string&)> replaceSkin;
  SoundConfigLinks sound;
  // "History...": saves the play history.
  std::function<void()> saveHistory;
  // "Filename :": the recording's file name, and its chooser.
  std::function<std::string()> recordFileName;
  std::function<void()> chooseRecordFile;
};

class OptionDialogs : public OptionActions {
 public:
  explicit OptionDialogs(OptionDialogLinks links) : links_(std::move(links)) {}
  void run(int32_t row) override;
  std::string recordFileName() const override { return links_.recordFileName ? links_.recordFileName() : std::string(); }

  void chooseSkin();
  void editShortcuts();

 private:
  OptionDialogLinks links_;
};

// Return: the names N for which both N.bmp and N.xml are in the list of
// file names (a skins folder's listing), in the listing's order.
std::vector<std::string> skinNamesOf(const std::vector<std::string>& fileNames);

}  // namespace zarnel
