#include "platform/virtual/VirtualDialogService.h"

namespace zarnel {

// Records its texts and pumps into the service that opened it. Pre: the
// service outlives it.
class VirtualProgressWindow : public ProgressWindow {
 public:
  VirtualProgressWindow(VirtualDialogService& owner, int32_t stopAfter) : owner_(owner), stopAfter_(stopAfter) {}
  void setText(const std::string& text) override { owner_.progressTexts_.push_back(text); }
  bool stopRequested() const override { return stopAfter_ >= 0 && pumps_ >= stopAfter_; }
  void pump() override {
    ++pumps_;
    ++owner_.progressPumps_;
    if (owner_.pumpHook_) owner_.pumpHook_();
  }

 private:
  VirtualDialogService& owner_;
  int32_t stopAfter_;
  int32_t pumps_ = 0;
};

template <typename T>
std::optional<T> VirtualDialogService::next(std::deque<T>& queue) {
  if (queue.empty()) return std::nullopt;
  std::optional<T> front(std::in_place, std::move(queue.front()));
  queue.pop_front();
  return front;
}

void VirtualDialogService::setOwner(int32_t x, int32_t y, int32_t width, int32_t height) {
  ownerX_ = x;
  ownerY_ = y;
  ownerW_ = width;
  ownerH_ = height;
}

ShownDialog& VirtualDialogService::record(std::string kind, std::string title, std::vector<std::string> texts) {
  shown_.push_back({std::move(kind), std::move(title), std::move(texts), ownerX_ + ownerW_ / 2, ownerY_ + ownerH_ / 2});
  return shown_.back();
}

bool VirtualDialogService::ask(const std::string& text, const std::string& caption, const std::string& yesText,
                               const std::string& noText) {
  record("ask", caption, {text, yesText, noText});
  return next(asks_).value_or(false);
}

void VirtualDialogService::message(const std::string& text, const std::string& caption) {
  record("message", caption, {text});
}

std::optional<std::string> VirtualDialogService::editText(const std::string& title, const std::string& text,
                                                          int32_t maxChars, const std::string& okText) {
  record("editText", title, {text, okText});
  std::optional<std::string> answer = next(edits_).value_or(std::nullopt);
  // The field holds at most maxChars bytes, as the real one does.
  if (answer && maxChars > 0 && answer->size() > size_t(maxChars)) {
    size_t end = size_t(maxChars);
    while (end > 0 && (static_cast<unsigned char>((*answer)[end]) & 0xC0) == 0x80) --end;
    answer->resize(end);
  }
  return answer;
}

std::string VirtualDialogService::openFile(const FileDialogSpec& spec) {
  record("openFile", spec.title, {spec.startFolder});
  return next(opens_).value_or("");
}

std::string VirtualDialogService::saveFile(const FileDialogSpec& spec) {
  record("saveFile", spec.title, {spec.startFolder, spec.initialName});
  return next(saves_).value_or("");
}

std::string VirtualDialogService::chooseFolder(const std::string& title, const std::string& startFolder) {
  record("chooseFolder", title, {startFolder});
  return next(folders_).value_or("");
}

std::unique_ptr<ProgressWindow> VirtualDialogService::openProgress(const std::string& title,
                                                                   const std::string& stopText) {
  record("progress", title, {stopText});
  const int32_t stopAfter = stopAfter_;
  stopAfter_ = -1;
  return std::make_unique<VirtualProgressWindow>(*this, stopAfter);
}

std::optional<int32_t> VirtualDialogService::chooseFromList(const ListChooserSpec& spec,
                                                            const std::function<void(int32_t)>& onSelect) {
  std::vector<std::string> texts = spec.items;
  texts.push_back(spec.buttonText);
  record("chooseFromList", spec.title, std::move(texts));
  const std::optional<ListScript> script = next(lists_);
  if (!script) return std::nullopt;
  int32_t selected = spec.selected >= 0 && size_t(spec.selected) < spec.items.size() ? spec.selected : -1;
  for (int32_t s : script->selections) {
    if (s < 0 || size_t(s) >= spec.items.size() || s == selected) continue;  // no such row, or no change
    selected = s;
    if (onSelect) onSelect(s);
  }
  return script->pressButton ? std::optional<int32_t>(selected) : std::nullopt;
}

void VirtualDialogService::scanHardDrive(const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk) {
  std::vector<std::string> texts = spec.drives;
  texts.insert(texts.end(),
               {spec.scanForLabel, spec.mp3Text, spec.wavText, spec.wmaText, spec.analyseText, spec.okText});
  record("scanHardDrive", spec.title, std::move(texts));
  for (const HdScanChoice& choice : next(hdScans_).value_or(std::vector<HdScanChoice>{}))
    if (onOk(choice)) return;
}

void VirtualDialogService::scanCd(const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan) {
  std::vector<std::string> texts = spec.drives;
  texts.insert(texts.end(), {spec.driveLabel, spec.nameLabel, spec.name, spec.scanText});
  const size_t index = shown_.size();
  record("scanCd", spec.title, std::move(texts));
  for (CdScanChoice choice : next(cdScans_).value_or(std::vector<CdScanChoice>{})) {
    if (onScan(choice)) return;
    // The field's text after a refusal, as the user would see it.
    shown_[index].texts.push_back(choice.name);
  }
}

std::optional<std::vector<int32_t>> VirtualDialogService::deleteCd(const DeleteCdSpec& spec) {
  std::vector<std::string> texts{spec.discHeading, spec.filesHeading};
  for (const auto& [disc, files] : spec.rows) texts.insert(texts.end(), {disc, files});
  texts.push_back(spec.deleteText);
  record("deleteCd", spec.title, std::move(texts));
  std::optional<std::vector<int32_t>> rows = next(deletes_).value_or(std::nullopt);
  if (rows) std::erase_if(*rows, [&](int32_t r) { return r < 0 || size_t(r) >= spec.rows.size(); });
  return rows;
}

void VirtualDialogService::soundConfig(const SoundConfigSpec& spec,
                                       const std::function<bool(const SoundConfigChoice&)>& valid,
                                       const std::function<bool(const SoundConfigChoice&)>& onOk) {
  std::vector<std::string> texts{spec.cardLabel, spec.card2Label, spec.softwareText, spec.okText, spec.cancelText};
  texts.insert(texts.end(), spec.devices.begin(), spec.devices.end());
  record("soundConfig", spec.title, std::move(texts));
  validResults_.push_back(valid({spec.cardSetup, spec.outputSetup, spec.softwareRender, spec.device1, spec.device2}));
  for (const SoundConfigChoice& choice : next(sounds_).value_or(std::vector<SoundConfigChoice>{})) {
    const bool ok = valid(choice);
    validResults_.push_back(ok);
    if (ok && onOk(choice)) return;
  }
}

bool VirtualDialogService::shortcutList(const ShortcutListSpec& spec, ShortcutListModel& model) {
  std::vector<std::string> texts = model.lines();
  const size_t index = shown_.size();
  record("shortcutList", spec.title, std::move(texts));
  for (const ShortcutListStep& step : next(shortcutLists_).value_or(std::vector<ShortcutListStep>{})) {
    const int32_t rows = int32_t(model.lines().size());
    const bool onRow = step.row >= 0 && step.row < rows;  // Change and Delete need a selected row
    switch (step.button) {
      case ShortcutListStep::kOk:
        return true;
      case ShortcutListStep::kCancel:
        return false;
      case ShortcutListStep::kAdd:
        model.add();
        break;
      case ShortcutListStep::kChange:
        if (onRow) model.change(step.row);
        break;
      case ShortcutListStep::kDelete:
        if (onRow) model.remove(step.row);
        break;
      case ShortcutListStep::kLoad:
        model.load();
        break;
      case ShortcutListStep::kSave:
        model.save();
        break;
    }
    // The list is shown again after each button; its lines are recorded too.
    for (std::string& line : model.lines()) shown_[index].texts.push_back(std::move(line));
  }
  return false;
}

bool VirtualDialogService::shortcutEdit(const ShortcutEditSpec& spec, ShortcutEditModel& model) {
  std::vector<std::string> texts{spec.actionLabel, spec.keyLabel, spec.keyText};
  const size_t index = shown_.size();
  record("shortcutEdit", spec.title, std::move(texts));
  const std::optional<ShortcutEditScript> script = next(shortcutEdits_);
  if (!script) return false;
  if (script->action) model.chooseAction(*script->action);
  if (script->target && model.deskChoicesShown()) model.chooseTarget(*script->target);
  for (const KeyPress& key : script->keys)
    shown_[index].texts.push_back(model.captureKey(key.virtualKey, key.keyData, key.modifiers));
  return script->pressOk && model.canAccept();
}

}  // namespace zarnel
