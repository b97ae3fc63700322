#include "app/ShortcutEditor.h"

#include "app/ShortcutNames.h"

namespace zarnel {

void ShortcutEdit::chooseAction(int32_t action) {
  if (action >= 0 && action < kShortcutActionCount) record_.action = uint8_t(action);
}

void ShortcutEdit::chooseTarget(int32_t target) {
  if (target >= 0 && target <= 3) record_.target = uint8_t(target);
}

bool ShortcutEdit::deskChoicesShown() const { return isDeskShortcut(record_.action); }

ShortcutEditor::ShortcutEditor(ShortcutManager& manager, ShortcutDialogs& dialogs, FileSystem& files,
                               std::string homeFolder, std::function<std::string(int32_t)> keyName)
    : manager_(manager),
      dialogs_(dialogs),
      files_(files),
      home_(std::move(homeFolder)),
      keyName_(std::move(keyName)),
      copy_(manager.list().value_or(std::vector<Shortcut>{})) {}

std::vector<std::string> ShortcutEditor::lines() const {
  std::vector<std::string> out;
  out.reserve(copy_.size());
  for (const Shortcut& s : copy_) out.push_back(shortcutLine(s, keyName_ ? keyName_(s.key & 0x1FF) : ""));
  return out;
}

void ShortcutEditor::add() {
  ShortcutEdit edit(Shortcut{});
  if (dialogs_.runEdit(edit) && edit.canAccept()) copy_.push_back(edit.record());
}

void ShortcutEditor::change(size_t i) {
  if (i >= copy_.size()) return;
  ShortcutEdit edit(copy_[i]);
  if (dialogs_.runEdit(edit) && edit.canAccept()) copy_[i] = edit.record();
}

void ShortcutEditor::remove(size_t i) {
  if (i < copy_.size()) copy_.erase(copy_.begin() + std::ptrdiff_t(i));
}

// A damaged file leaves the copy as it was.
ShortcutFileResult ShortcutEditor::load() {
  const std::string path = dialogs_.chooseLoadFile(home_);
  if (path.empty()) return ShortcutFileResult::kUnreadable;
  return readShortcutFile(files_, path, copy_);
}

bool ShortcutEditor::save() {
  const std::string path = dialogs_.chooseSaveFile(home_);
  return !path.empty() && writeShortcutFile(files_, path, copy_);
}

void ShortcutEditor::accept() { manager_.setList(copy_); }

}  // namespace zarnel
