// The shortcut dialogs over the dialog service.

#include "app/ShortcutDialogWindows.h"

#include "app/DialogTexts.h"
#include "app/ShortcutNames.h"

namespace zarnel {
namespace {

// The list dialog's buttons, on the editor.
class ListModel : public ShortcutListModel {
 public:
  explicit ListModel(ShortcutEditor& editor) : editor_(editor) {}
  std::vector<std::string> lines() const override { return editor_.lines(); }
  void add() override { editor_.add(); }
  void change(int32_t row) override {
    if (row >= 0) editor_.change(size_t(row));
  }
  void remove(int32_t row) override {
    if (row >= 0) editor_.remove(size_t(row));
  }
  void load() override { editor_.load(); }
  void save() override { editor_.save(); }

 private:
  ShortcutEditor& editor_;
};

// The edit dialog's controls, on one binding.
class EditModel : public ShortcutEditModel {
 public:
  EditModel(ShortcutEdit& edit, const ShortcutDialogWindows& windows) : edit_(edit), windows_(windows) {}
  void chooseAction(int32_t action) override { edit_.chooseAction(action); }
  void chooseTarget(int32_t target) override { edit_.chooseTarget(target); }
  std::string captureKey(int32_t virtualKey, int32_t keyData, int32_t modifiers) override {
    edit_.captureKey(virtualKey, keyData, modifiers);
    return windows_.keyText(edit_.record().key);
  }
  bool deskChoicesShown() const override { return edit_.deskChoicesShown(); }
  bool canAccept() const override { return edit_.canAccept(); }

 private:
  ShortcutEdit& edit_;
  const ShortcutDialogWindows& windows_;
};

}  // namespace

std::string ShortcutDialogWindows::keyText(uint16_t key) const {
  if (key == 0) return {};
  std::string text;
  if (key & kKeyCtrl) text += "Ctrl+";
  if (key & kKeyAlt) text += "Alt+";
  if (key & kKeyShift) text += "Shift+";
  return text + (keyName_ ? keyName_(key & 0x1FF) : std::string());
}

bool ShortcutDialogWindows::runEdit(ShortcutEdit& edit) {
  ShortcutEditSpec spec;
  spec.title = dialogText(texts_, kDialogShortcutEdit, kDialogTitle);
  spec.okText = dialogText(texts_, kDialogShortcutEdit, kDialogOk);
  spec.cancelText = dialogText(texts_, kDialogShortcutEdit, kDialogCancel);
  for (int32_t i = 0; i < kShortcutActionCount; ++i) spec.actions.push_back(shortcutActionName(i));
  spec.action = edit.record().action;
  for (DialogText label : {kDialogLabel1, kDialogLabel2, kDialogLabel3, kDialogLabel4}) {
    spec.targets.push_back(dialogText(texts_, kDialogShortcutEdit, label));
  }
  spec.target = edit.record().target;
  spec.keyText = keyText(edit.record().key);
  EditModel model(edit, *this);
  return dialogs_.shortcutEdit(spec, model);
}

std::string ShortcutDialogWindows::chooseLoadFile(const std::string& folder) {
  FileDialogSpec spec;
  spec.title = browserTitle(texts_, kTitleLoadShortcut);
  spec.filters = fileFilters(texts_, kFilterShortcut);
  spec.startFolder = folder;
  spec.mustExist = true;
  return dialogs_.openFile(spec);
}

std::string ShortcutDialogWindows::chooseSaveFile(const std::string& folder) {
  FileDialogSpec spec;
  spec.title = browserTitle(texts_, kTitleSaveShortcut);
  spec.filters = fileFilters(texts_, kFilterShortcut);
  spec.startFolder = folder;
  spec.defaultExtension = "scu";
  spec.confirmOverwrite = true;
  return dialogs_.saveFile(spec);
}

bool ShortcutDialogWindows::runList(ShortcutEditor& editor) {
  ShortcutListSpec spec;
  spec.title = dialogText(texts_, kDialogShortcutConfig, kDialogTitle);
  spec.okText = dialogText(texts_, kDialogShortcutConfig, kDialogOk);
  spec.cancelText = dialogText(texts_, kDialogShortcutEdit, kDialogCancel);
  spec.addText = dialogText(texts_, kDialogShortcutConfig, kDialogLabel1);
  spec.changeText = dialogText(texts_, kDialogShortcutConfig, kDialogLabel2);
  spec.deleteText = dialogText(texts_, kDialogShortcutConfig, kDialogLabel3);
  spec.loadText = dialogText(texts_, kDialogShortcutConfig, kDialogLabel4);
  spec.saveText = dialogText(texts_, kDialogShortcutConfig, kDialogLabel5);
  ListModel model(editor);
  if (!dialogs_.shortcutList(spec, model)) return false;
  editor.accept();
  return true;
}

}  // namespace zarnel
