#pragma once
// The logic of the shortcut list dialog and its edit dialog: the list works
// on a copy of the manager's bindings (add, change, delete, load and save a
// ".scu" file) that becomes the manager's only on OK. The dialogs' windows
// come from a dialog service behind ShortcutDialogs. UI thread.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/ShortcutManager.h"

namespace zarnel {

class FileSystem;

// One binding being edited: the edit dialog's action list, desk choices and
// key-capture control.
class ShortcutEdit {
 public:
  explicit ShortcutEdit(Shortcut record) : record_(record) {}

  // Action 0..112 (others are ignored); target 0..3.
  void chooseAction(int32_t action);
  void chooseTarget(int32_t target);
  // The capture control: every key press replaces the key code.
  void captureKey(int32_t virtualKey, int32_t keyData, int32_t modifiers) {
    record_.key = ShortcutManager::keyCodeOf(virtualKey, keyData, modifiers);
  }
  // Return: whether the desk choices show (desk actions only).
  bool deskChoicesShown() const;
  // Return: whether OK is accepted: a key has been captured.
  bool canAccept() const { return record_.key != 0; }
  const Shortcut& record() const { return record_; }

 private:
  Shortcut record_;
};

// The dialogs' windows. Each call shows a modal dialog and returns when the
// user closes it.
class ShortcutDialogs {
 public:
  virtual ~ShortcutDialogs() = default;
  // Shows the edit dialog on edit. Return: true for OK.
  virtual bool runEdit(ShortcutEdit& edit) = 0;
  // Return: the ".scu" file chosen to load or to save, "" when cancelled.
  virtual std::string chooseLoadFile(const std::string& folder) = 0;
  virtual std::string chooseSaveFile(const std::string& folder) = 0;
};

class ShortcutEditor {
 public:
  // keyName names a key code's scan code (| 0x100 extended). Pre: manager,
  // dialogs and files outlive the editor.
  ShortcutEditor(ShortcutManager& manager, ShortcutDialogs& dialogs, FileSystem& files, std::string homeFolder,
                 std::function<std::string(int32_t)> keyName);

  // Return: the list box's lines, one per binding of the copy.
  std::vector<std::string> lines() const;
  const std::vector<Shortcut>& bindings() const { return copy_; }
  // "Add...": the edit dialog on an empty binding, appended on OK.
  void add();
  // "Change...": the edit dialog on binding i, replaced on OK.
  void change(size_t i);
  // "Delete": removes binding i; the later ones move up.
  void remove(size_t i);
  // "Load...": a chosen file replaces the copy. Return: what came of it
  // (kUnreadable also when no file was chosen).
  ShortcutFileResult load();
  // "Save...": writes the copy to a chosen file. Return: whether written.
  bool save();
  // "OK": the copy becomes the manager's list.
  void accept();

 private:
  ShortcutManager& manager_;
  ShortcutDialogs& dialogs_;
  FileSystem& files_;
  std::string home_;
  std::function<std::string(int32_t)> keyName_;
  std::vector<Shortcut> copy_;
};

}  // namespace zarnel
