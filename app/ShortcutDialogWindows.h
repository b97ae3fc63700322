#pragma once
// The shortcut list and edit dialogs shown by the dialog service: the
// editor's logic behind the service's list and edit windows.

#include <cstdint>
#include <functional>
#include <string>

#include "app/ShortcutEditor.h"
#include "platform/DialogService.h"

namespace zarnel {

class Localisation;

// UI thread.
class ShortcutDialogWindows : public ShortcutDialogs {
 public:
  // keyName names a scan code (| 0x100 extended). Pre: dialogs and texts
  // outlive this object.
  ShortcutDialogWindows(DialogService& dialogs, const Localisation& texts, std::function<std::string(int32_t)> keyName)
      : dialogs_(dialogs), texts_(texts), keyName_(std::move(keyName)) {}

  bool runEdit(ShortcutEdit& edit) override;
  std::string chooseLoadFile(const std::string& folder) override;
  std::string chooseSaveFile(const std::string& folder) override;

  // Shows the list dialog over editor; OK hands the edited list to the
  // manager. Return: whether OK closed it.
  bool runList(ShortcutEditor& editor);

  // Return: the text of a binding's key: its modifiers and its name.
  std::string keyText(uint16_t key) const;

 private:
  DialogService& dialogs_;
  const Localisation& texts_;
  std::function<std::string(int32_t)> keyName_;
};

}  // namespace zarnel
