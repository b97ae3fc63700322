#pragma once
// The dialog service of tests: each dialog takes its answer from a script the
// test queued, and every dialog shown is recorded (kind, title, texts and the
// owner's centre). A dialog with no script left gives the safe answer (No,
// cancel, nothing chosen) at once; none ever blocks. UI thread.

#include <deque>

#include "platform/DialogService.h"

namespace zarnel {

struct ShownDialog {
  std::string kind;  // "ask", "message", "editText", "openFile", "saveFile", "chooseFolder", "progress",
                     // "chooseFromList", "scanHardDrive", "scanCd", "deleteCd", "soundConfig",
                     // "shortcutList", "shortcutEdit"
  std::string title;
  std::vector<std::string> texts;    // the message, field text, buttons, items, key names shown, ...
  int32_t centreX = 0, centreY = 0;  // the owner rectangle's centre when it opened
};

// One list chooser session: the selections made in order, then the button
// (pressButton) or the window closed.
struct ListScript {
  std::vector<int32_t> selections;
  bool pressButton = true;
};

// One shortcut list session: the buttons pressed, in order; the dialog ends
// at OK or Cancel, or (Cancel) when the steps run out.
struct ShortcutListStep {
  enum Button { kAdd, kChange, kDelete, kLoad, kSave, kOk, kCancel } button = kOk;
  int32_t row = -1;  // the selected row for kChange and kDelete
};

struct KeyPress {
  int32_t virtualKey = 0, keyData = 0, modifiers = 0;
};
// One shortcut edit session: action, then desk, then the keys, then OK
// (accepted only when the model allows it) or Cancel.
struct ShortcutEditScript {
  std::optional<int32_t> action, target;
  std::vector<KeyPress> keys;
  bool pressOk = true;
};

class VirtualProgressWindow;

class VirtualDialogService : public DialogService {
 public:
  // Scripts, one per dialog shown, used in order.
  void queueAsk(bool yes) { asks_.push_back(yes); }
  void queueEditText(std::optional<std::string> text) { edits_.push_back(std::move(text)); }
  void queueOpenFile(std::string path) { opens_.push_back(std::move(path)); }
  void queueSaveFile(std::string path) { saves_.push_back(std::move(path)); }
  void queueFolder(std::string path) { folders_.push_back(std::move(path)); }
  void queueList(ListScript script) { lists_.push_back(std::move(script)); }
  // Each choice is passed to onOk until it returns true; then the dialog
  // closes, and also when the choices run out.
  void queueHdScan(std::vector<HdScanChoice> attempts) { hdScans_.push_back(std::move(attempts)); }
  void queueCdScan(std::vector<CdScanChoice> attempts) { cdScans_.push_back(std::move(attempts)); }
  void queueDeleteCd(std::optional<std::vector<int32_t>> rows) { deletes_.push_back(std::move(rows)); }
  // A choice valid() refuses is not passed to onOk (its OK is disabled).
  void queueSoundConfig(std::vector<SoundConfigChoice> attempts) { sounds_.push_back(std::move(attempts)); }
  void queueShortcutList(std::vector<ShortcutListStep> steps) { shortcutLists_.push_back(std::move(steps)); }
  void queueShortcutEdit(ShortcutEditScript script) { shortcutEdits_.push_back(std::move(script)); }
  // The next progress window asks to stop after that many pumps.
  void stopProgressAfter(int32_t pumps) { stopAfter_ = pumps; }

  const std::vector<ShownDialog>& shown() const { return shown_; }
  // Return: valid()'s answers for the opening state and each scripted choice.
  const std::vector<bool>& validResults() const { return validResults_; }
  // Return: the texts set on progress windows, in order, and their pumps.
  const std::vector<std::string>& progressTexts() const { return progressTexts_; }
  int32_t progressPumps() const { return progressPumps_; }

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
  friend class VirtualProgressWindow;
  ShownDialog& record(std::string kind, std::string title, std::vector<std::string> texts);
  template <typename T>
  static std::optional<T> next(std::deque<T>& queue);

  int32_t ownerX_ = 0, ownerY_ = 0, ownerW_ = 0, ownerH_ = 0;
  std::function<void()> pumpHook_;
  std::deque<bool> asks_;
  std::deque<std::optional<std::string>> edits_;
  std::deque<std::string> opens_, saves_, folders_;
  std::deque<ListScript> lists_;
  std::deque<std::vector<HdScanChoice>> hdScans_;
  std::deque<std::vector<CdScanChoice>> cdScans_;
  std::deque<std::optional<std::vector<int32_t>>> deletes_;
  std::deque<std::vector<SoundConfigChoice>> sounds_;
  std::deque<std::vector<ShortcutListStep>> shortcutLists_;
  std::deque<ShortcutEditScript> shortcutEdits_;
  int32_t stopAfter_ = -1;
  std::vector<ShownDialog> shown_;
  std::vector<bool> validResults_;
  std::vector<std::string> progressTexts_;
  int32_t progressPumps_ = 0;
};

}  // namespace zarnel
