#include "platform/posix/GtkDialogService.h"

#include <cstdio>

#include "platform/posix/GtkDialogs.h"
#include "platform/posix/GtkProgressWindow.h"
#include "platform/posix/GtkSession.h"

namespace zarnel {

using gtkdlg::gtkReady;

void GtkDialogService::setOwner(int32_t x, int32_t y, int32_t width, int32_t height) { owner_ = {x, y, width, height}; }

bool GtkDialogService::ask(const std::string& text, const std::string& caption, const std::string& yesText,
                           const std::string& noText) {
  if (!gtkReady()) return false;
  return gtkdlg::runAsk(owner_, text, caption, yesText, noText);
}

void GtkDialogService::message(const std::string& text, const std::string& caption) {
  if (!gtkReady()) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return;
  }
  gtkdlg::runMessage(owner_, text, caption);
}

std::optional<std::string> GtkDialogService::editText(const std::string& title, const std::string& text,
                                                      int32_t maxChars, const std::string& okText) {
  if (!gtkReady()) return std::nullopt;
  return gtkdlg::runEditText(owner_, title, text, maxChars, okText);
}

std::string GtkDialogService::openFile(const FileDialogSpec& spec) {
  return gtkReady() ? gtkdlg::runOpenFile(owner_, spec) : std::string();
}

std::string GtkDialogService::saveFile(const FileDialogSpec& spec) {
  return gtkReady() ? gtkdlg::runSaveFile(owner_, spec) : std::string();
}

std::string GtkDialogService::chooseFolder(const std::string& title, const std::string& startFolder) {
  return gtkReady() ? gtkdlg::runChooseFolder(owner_, title, startFolder) : std::string();
}

std::unique_ptr<ProgressWindow> GtkDialogService::openProgress(const std::string& title, const std::string& stopText) {
  return gtkdlg::makeProgressWindow(gtkReady(), owner_, title, stopText, pumpHook_);
}

std::optional<int32_t> GtkDialogService::chooseFromList(const ListChooserSpec& spec,
                                                        const std::function<void(int32_t)>& onSelect) {
  if (!gtkReady()) return std::nullopt;
  return gtkdlg::runChooseFromList(owner_, spec, onSelect);
}

void GtkDialogService::scanHardDrive(const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk) {
  if (gtkReady()) gtkdlg::runScanHardDrive(owner_, spec, onOk);
}

void GtkDialogService::scanCd(const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan) {
  if (gtkReady()) gtkdlg::runScanCd(owner_, spec, onScan);
}

std::optional<std::vector<int32_t>> GtkDialogService::deleteCd(const DeleteCdSpec& spec) {
  if (!gtkReady()) return std::nullopt;
  return gtkdlg::runDeleteCd(owner_, spec);
}

void GtkDialogService::soundConfig(const SoundConfigSpec& spec,
                                   const std::function<bool(const SoundConfigChoice&)>& valid,
                                   const std::function<bool(const SoundConfigChoice&)>& onOk) {
  if (gtkReady()) gtkdlg::runSoundConfig(owner_, spec, valid, onOk);
}

bool GtkDialogService::shortcutList(const ShortcutListSpec& spec, ShortcutListModel& model) {
  return gtkReady() && gtkdlg::runShortcutList(owner_, spec, model);
}

bool GtkDialogService::shortcutEdit(const ShortcutEditSpec& spec, ShortcutEditModel& model) {
  return gtkReady() && gtkdlg::runShortcutEdit(owner_, spec, model);
}

}  // namespace zarnel
