#include "app/Localisation.h"

#include "app/DefaultTexts.h"
#include "skin/XmlReader.h"

namespace zarnel {

namespace {

std::string_view slotText(const std::optional<std::string>& copy, std::string_view fallback) {
  return copy ? std::string_view(*copy) : fallback;
}

// Return: the text of the first child keyed key, escapes applied, or nothing.
std::optional<std::string> readText(const XmlNode* parent, std::string_view key) {
  const XmlNode* element = xmlChild(parent, key);
  if (!element) return std::nullopt;
  return applyTextEscapes(element->text);
}

}  // namespace

Localisation::Localisation() {
  for (int32_t s = 0; s < kTextSectionCount; ++s) {
    sections_[size_t(s)].resize(textSectionDefaults(TextSection(s)).slots.size());
  }
  for (Slots& dialog : dialogs_) dialog.resize(kDialogTextCount);
}

void Localisation::load(FileSystem& files, const char* path) {
  std::unique_ptr<XmlNode> root = xmlLoad(files, path);
  apply(root.get());
}

void Localisation::apply(const XmlNode* root) {
  free();
  for (int32_t s = 0; s < kTextSectionCount; ++s) {
    const TextSectionDefaults& defaults = textSectionDefaults(TextSection(s));
    const XmlNode* parent = defaults.parent.empty() ? root : xmlChild(root, defaults.parent);
    applySection(TextSection(s), xmlChild(parent, defaults.name));
  }
  applyDialogs(xmlChild(root, kWindowsSection));
}

// Each slot looks its key up from the start of the section, so slots that
// share a key share the first matching element's text.
void Localisation::applySection(TextSection section, const XmlNode* element) {
  if (!element) return;
  const TextSectionDefaults& defaults = textSectionDefaults(section);
  Slots& slots = sections_[size_t(section)];
  for (size_t i = 0; i < slots.size(); ++i) slots[i] = readText(element, defaults.slots[i].key);
}

void Localisation::applyDialogs(const XmlNode* windows) {
  if (!windows) return;
  for (int32_t d = 0; d < kDialogCount; ++d) {
    const XmlNode* dialog = xmlChild(windows, dialogDefaults(DialogId(d)).name);
    if (!dialog) continue;
    for (int32_t k = 0; k < kDialogTextCount; ++k) {
      dialogs_[size_t(d)][size_t(k)] = readText(dialog, dialogTextKey(DialogText(k)));
    }
  }
}

void Localisation::free() {
  for (Slots& slots : sections_) {
    for (std::optional<std::string>& slot : slots) slot.reset();
  }
  for (Slots& slots : dialogs_) {
    for (std::optional<std::string>& slot : slots) slot.reset();
  }
}

std::string_view Localisation::text(TextSection section, int32_t slot) const {
  if (int32_t(section) < 0 || int32_t(section) >= kTextSectionCount) return {};
  const Slots& slots = sections_[size_t(section)];
  if (slot < 0 || size_t(slot) >= slots.size()) return {};
  return slotText(slots[size_t(slot)], textSectionDefaults(section).slots[size_t(slot)].text);
}

std::string_view Localisation::dialogText(DialogId dialog, DialogText key) const {
  if (dialog < 0 || dialog >= kDialogCount || key < 0 || key >= kDialogTextCount) return {};
  return slotText(dialogs_[size_t(dialog)][size_t(key)], dialogDefaults(dialog).texts[size_t(key)]);
}

std::string_view Localisation::errorText(int32_t fatalIndex) const {
  return text(TextSection::kErrors, fatalIndex);
}

std::string applyTextEscapes(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    char next = i + 1 < raw.size() ? raw[i + 1] : '\0';
    if (raw[i] == '\\' && next == 'n') {
      text += "\n\r";
      ++i;
    } else if (raw[i] == '\\' && next == '0') {
      text += '\0';
      ++i;
    } else {
      text += raw[i];
    }
  }
  return text;
}

std::string languageFilePath(std::string_view homeFolder) {
  std::string path(homeFolder);
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + "language.xml";
}

Localisation& localisation() {
  static Localisation table;
  return table;
}

void loadLanguage(FileSystem& files, const char* path) { localisation().load(files, path); }

void freeLanguage() { localisation().free(); }

std::string_view errorText(int32_t fatalIndex) { return localisation().errorText(fatalIndex); }

}  // namespace zarnel
