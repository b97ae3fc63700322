// The options page's dialogs.

#include "app/OptionDialogs.h"

#include <algorithm>

#include "app/DialogTexts.h"
#include "app/Settings.h"
#include "app/ShortcutDialogWindows.h"
#include "platform/TextCase.h"
#include "skin/OptionRows.h"

namespace zarnel {
namespace {

bool hasEnding(const std::string& name, std::string_view ending) {
  return name.size() > ending.size() && equalNoCase(std::string_view(name).substr(name.size() - ending.size()), ending);
}

}  // namespace

std::vector<std::string> skinNamesOf(const std::vector<std::string>& fileNames) {
  std::vector<std::string> names;
  for (const std::string& f : fileNames) {
    if (!hasEnding(f, ".bmp")) continue;
    const std::string name = f.substr(0, f.size() - 4);
    const bool hasXml = std::any_of(fileNames.begin(), fileNames.end(), [&](const std::string& g) {
      return g.size() == name.size() + 4 && hasEnding(g, ".xml") && g.compare(0, name.size(), name) == 0;
    });
    if (hasXml) names.push_back(name);
  }
  return names;
}

void OptionDialogs::run(int32_t row) {
  if (!links_.dialogs) return;
  switch (row) {
    case kRowSkin: return chooseSkin();
    case kRowSoundConfig: return runSoundConfiguration(*links_.dialogs, links_.sound);
    case kRowShortcuts: return editShortcuts();
    case kRowHistory:
      if (links_.saveHistory) links_.saveHistory();
      return;
    case kRowRecordFile:
      if (links_.chooseRecordFile) links_.chooseRecordFile();
      return;
    default: return;  // the visual chooser and the web page: later
  }
}

// Each selection loads that skin at once; a skin that fails keeps the old one.
void OptionDialogs::chooseSkin() {
  if (!links_.skinNames || !links_.replaceSkin || !links_.texts || !links_.settings) return;
  ListChooserSpec spec;
  spec.title = dialogText(*links_.texts, kDialogSkinConfig, kDialogTitle);
  spec.buttonText = dialogText(*links_.texts, kDialogSkinConfig, kDialogOk);
  spec.items = links_.skinNames();
  const std::string current = links_.settings->skin.empty() ? "default" : links_.settings->skin;
  for (size_t i = 0; i < spec.items.size(); ++i) {
    if (equalNoCase(spec.items[i], current)) spec.selected = int32_t(i);
  }
  const std::vector<std::string> names = spec.items;
  links_.dialogs->chooseFromList(spec, [&](int32_t i) {
    if (i >= 0 && i < int32_t(names.size())) links_.replaceSkin(names[size_t(i)]);
  });
}

void OptionDialogs::editShortcuts() {
  if (!links_.shortcuts || !links_.files || !links_.texts || !links_.settings) return;
  ShortcutDialogWindows windows(*links_.dialogs, *links_.texts, links_.keyName);
  ShortcutEditor editor(*links_.shortcuts, windows, *links_.files, links_.settings->homeFolder, links_.keyName);
  windows.runList(editor);
}

}  // namespace zarnel
