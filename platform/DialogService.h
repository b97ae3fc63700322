#pragma once
// The program's modal dialogs and its progress window, as the platform shows
// them: questions, text fields, file and folder choosers, list choosers, the
// scan dialogs, the sound configuration and the shortcut dialogs. Every text
// a dialog shows is given by the caller (from the language file). A dialog is
// centred over the owner rectangle. The audio keeps playing while one is open.
//
// Where a dialog stays open after its button (a refused choice, a failed
// rebuild), the caller's callback decides: it returns true to close it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zarnel {

struct FileFilter {
  std::string name;      // "Playlist"
  std::string patterns;  // "*.m3u;*.pls"
};

struct FileDialogSpec {
  std::string title;
  std::vector<FileFilter> filters;
  std::string startFolder;       // empty: the chooser's own choice
  std::string initialName;       // save dialogs: the proposed name (may hold a folder)
  std::string defaultExtension;  // save dialogs: added when the name has none ("m3u")
  bool mustExist = false;        // open dialogs: file and path must exist
  bool confirmOverwrite = false; // save dialogs: ask before replacing a file
  std::string okText, cancelText;  // the buttons; empty: the toolkit's own words
};

// A modeless window with one line of text and a "Stop" button, while a long
// job runs on the UI thread. Closed when destroyed.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void setText(const std::string& text) = 0;
  // Return: whether "Stop" was pressed.
  virtual bool stopRequested() const = 0;
  // Dispatches the pending messages of the window system (the progress
  // window's and the main window's), so the program stays responsive.
  virtual void pump() = 0;
};

// A list to choose from (skin, visual plug-in).
struct ListChooserSpec {
  std::string title;
  std::vector<std::string> items;
  int32_t selected = -1;
  std::string buttonText;  // "OK", "Start"
};

// Hard-disk scan: the items of the computer folder with a tick each, and
// the four tick boxes under "Scan for:".
struct HdScanSpec {
  std::string title, scanForLabel, mp3Text, wavText, wmaText, analyseText, okText;
  std::vector<std::string> drives;   // display names
  std::vector<bool> ticked;          // per drive
  bool mp3 = true, wav = false, wma = true, analyse = false;
};
struct HdScanChoice {
  std::vector<bool> ticked;
  bool mp3 = true, wav = false, wma = true, analyse = false;
};

// CD scan: a drive list and the disc's name.
struct CdScanSpec {
  std::string title, driveLabel, nameLabel, scanText;
  std::vector<std::string> drives;
  int32_t selected = -1;
  std::string name;
};
struct CdScanChoice {
  int32_t drive = -1;
  std::string name;
};

// Delete a CD: rows of two columns, several may be selected.
struct DeleteCdSpec {
  std::string title, discHeading, filesHeading, deleteText;
  std::vector<std::pair<std::string, std::string>> rows;
};

// Sound configuration: card set-up 0..2, output set-up 0..2, software render,
// and the two device lists (descriptions; index 0 the primary device).
struct SoundConfigSpec {
  std::string title, cardLabel, card2Label, softwareText, okText, cancelText;
  std::vector<std::string> devices;
  int32_t cardSetup = 0, outputSetup = 0;
  bool softwareRender = false;
  int32_t device1 = 0, device2 = 0;
  // The pictures of the two lists, three each, 87 by 90, 0x00RRGGBB rows.
  std::vector<std::vector<uint32_t>> cardPictures, outputPictures;
};
struct SoundConfigChoice {
  int32_t cardSetup = 0, outputSetup = 0;
  bool softwareRender = false;
  int32_t device1 = 0, device2 = 0;
};

// The shortcut list dialog's model: the dialog shows lines() and calls the
// operations for its buttons, then shows lines() again.
class ShortcutListModel {
 public:
  virtual ~ShortcutListModel() = default;
  virtual std::vector<std::string> lines() const = 0;
  virtual void add() = 0;
  virtual void change(int32_t row) = 0;
  virtual void remove(int32_t row) = 0;
  virtual void load() = 0;
  virtual void save() = 0;
};
struct ShortcutListSpec {
  std::string title, addText, changeText, deleteText, loadText, saveText, okText, cancelText;
};

// The shortcut edit dialog: an action list, four desk choices shown for
// desk actions, and the key-capture control (class "ZARNELSC"), which shows
// the name of the last key pressed in it.
class ShortcutEditModel {
 public:
  virtual ~ShortcutEditModel() = default;
  virtual void chooseAction(int32_t action) = 0;
  virtual void chooseTarget(int32_t target) = 0;
  // A key pressed in the capture control: its virtual key, key data (scan
  // code in bits 16..23, extended bit 24) and modifier bits (1 shift, 2 ctrl,
  // 4 alt). Return: the text the control shows.
  virtual std::string captureKey(int32_t virtualKey, int32_t keyData, int32_t modifiers) = 0;
  virtual bool deskChoicesShown() const = 0;
  virtual bool canAccept() const = 0;
};
struct ShortcutEditSpec {
  std::string title, actionLabel, keyLabel, okText, cancelText;
  std::vector<std::string> actions;
  int32_t action = 0;
  std::vector<std::string> targets;  // four desk choices
  int32_t target = 0;
  std::string keyText;               // the current key's name
};

// UI thread.
class DialogService {
 public:
  virtual ~DialogService() = default;
  // The main window's rectangle on the screen; dialogs are centred over it.
  virtual void setOwner(int32_t x, int32_t y, int32_t width, int32_t height) = 0;

  // Yes/No question. Return: true for Yes.
  virtual bool ask(const std::string& text, const std::string& caption, const std::string& yesText,
                   const std::string& noText) = 0;
  // A message with an "OK" button.
  virtual void message(const std::string& text, const std::string& caption) = 0;
  // One edit field and "OK", text selected. Return: the text (at most
  // maxChars bytes, never a UTF-8 character cut in half; maxChars <= 0: no
  // limit), or none when cancelled (Escape, closing).
  virtual std::optional<std::string> editText(const std::string& title, const std::string& text, int32_t maxChars,
                                              const std::string& okText) = 0;

  // Return: the chosen path, "" when cancelled.
  virtual std::string openFile(const FileDialogSpec& spec) = 0;
  virtual std::string saveFile(const FileDialogSpec& spec) = 0;
  virtual std::string chooseFolder(const std::string& title, const std::string& startFolder) = 0;

  // The main window's message pump, run by ProgressWindow::pump after the
  // dialogs' own events. Base: ignored (no progress window pumps anything).
  virtual void setPumpHook(std::function<void()> hook) { (void)hook; }
  virtual std::unique_ptr<ProgressWindow> openProgress(const std::string& title, const std::string& stopText) = 0;

  // A list chooser. onSelect runs for each selection the user makes while
  // it is open; the button closes it. Return: the selected index (-1 when
  // nothing is selected) when the button closed it, none when the window was
  // closed.
  virtual std::optional<int32_t> chooseFromList(const ListChooserSpec& spec,
                                                const std::function<void(int32_t)>& onSelect) = 0;

  // The scan dialogs. onOk returns true to close; false keeps the dialog open.
  virtual void scanHardDrive(const HdScanSpec& spec, const std::function<bool(const HdScanChoice&)>& onOk) = 0;
  // onScan may change the name field (characters removed): it returns true
  // to close, or false with the text the field shows then.
  virtual void scanCd(const CdScanSpec& spec, const std::function<bool(CdScanChoice&)>& onScan) = 0;
  // Return: the selected rows when "Delete" was pressed, none when closed.
  virtual std::optional<std::vector<int32_t>> deleteCd(const DeleteCdSpec& spec) = 0;
  // valid tells whether a choice may be accepted (OK is disabled otherwise);
  // onOk returns true to close.
  virtual void soundConfig(const SoundConfigSpec& spec, const std::function<bool(const SoundConfigChoice&)>& valid,
                           const std::function<bool(const SoundConfigChoice&)>& onOk) = 0;

  // Return: true for OK (the model's copy is then accepted by the caller).
  virtual bool shortcutList(const ShortcutListSpec& spec, ShortcutListModel& model) = 0;
  virtual bool shortcutEdit(const ShortcutEditSpec& spec, ShortcutEditModel& model) = 0;
};

}  // namespace zarnel
