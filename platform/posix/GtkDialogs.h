#pragma once
// The GTK dialogs, one function each, shown modally over owner. Internal to
// GtkDialogService, which calls them only once GTK is ready. UI thread.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/DialogService.h"
#include "platform/posix/GtkDialogLogic.h"

namespace zarnel::gtkdlg {

bool runAsk(const Rect& owner, const std::string& text, const std::string& caption, const std::string& yesText,
            const std::string& noText);
void runMessage(const Rect& owner, const std::string& text, const std::string& caption);
std::optional<std::string> runEditText(const Rect& owner, const std::string& title, const std::string& text,
                                       int32_t maxChars, const std::string& okText);

std::string runOpenFile(const Rect& owner, const FileDialogSpec& spec);
std::string runSaveFile(const Rect& owner, const FileDialogSpec& spec);
std::string runChooseFolder(const Rect& owner, const std::string& title, const std::string& startFolder);

std::optional<int32_t> runChooseFromList(const Rect& owner, const ListChooserSpec& spec,
                                         const std::function<void(int32_t)>& onSelect);
std::optional<std::vector<int32_t>> runDeleteCd(const Rect& owner, const DeleteCdSpec& spec);

void runScanHardDrive(const Rect& owner, const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk);
void runScanCd(const Rect& owner, const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan);

void runSoundConfig(const Rect& owner, const SoundConfigSpec& spec,
                    const std::function<bool(const SoundConfigChoice&)>& valid,
                    const std::function<bool(const SoundConfigChoice&)>& onOk);

bool runShortcutList(const Rect& owner, const ShortcutListSpec& spec, ShortcutListModel& model);
bool runShortcutEdit(const Rect& owner, const ShortcutEditSpec& spec, ShortcutEditModel& model);

}  // namespace zarnel::gtkdlg
