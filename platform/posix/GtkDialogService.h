#pragma once
// The dialog service on Linux: GTK 3 dialogs over the program's SDL window.
// GTK starts on the first dialog; without a display every dialog gives its
// safe answer at once (cancel, No, nothing chosen) and a message goes to
// standard error. While a modal dialog runs, the main window's events wait;
// the audio thread keeps playing. UI thread.

#include <functional>

#include "platform/DialogService.h"
#include "platform/posix/GtkDialogLogic.h"

namespace zarnel {

class GtkDialogService : public DialogService {
 public:
  void setOwner(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void setPumpHook(std::function<void()> hook) override { pumpHook_ = std::move(hook); }

  bool ask(const std::string& text, const std::string& caption, const std::string& yesText,
           const std::string& noText) override;
  void message(const std::string& text, const std::string& caption) override;
  std::optional<std::string> editText(const std::string& title, const std::string& text, int32_t maxChars,
                                      const std::string& okText) override;

  std::string openFile(const FileDialogSpec& spec) override;
  std::string saveFile(const FileDialogSpec& spec) override;
  std::string chooseFolder(const std::string& title, const std::string& startFolder) override;

  // The window pumps GTK's events, then the hook set by setPumpHook.
  std::unique_ptr<ProgressWindow> openProgress(const std::string& title, const std::string& stopText) override;

  std::optional<int32_t> chooseFromList(const ListChooserSpec& spec,
                                        const std::function<void(int32_t)>& onSelect) override;
  void scanHardDrive(const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk) override;
  void scanCd(const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan) override;
  std::optional<std::vector<int32_t>> deleteCd(const DeleteCdSpec& spec) override;
  void soundConfig(const SoundConfigSpec& spec, const std::function<bool(const SoundConfigChoice&)>& valid,
                   const std::function<bool(const SoundConfigChoice&)>& onOk) override;

  bool shortcutList(const ShortcutListSpec& spec, ShortcutListModel& model) override;
  bool shortcutEdit(const ShortcutEditSpec& spec, ShortcutEditModel& model) override;

 private:
  gtkdlg::Rect owner_;
  std::function<void()> pumpHook_;
};

}  // namespace zarnel
