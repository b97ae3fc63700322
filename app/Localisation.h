#pragma once
// The table of localised texts: every text the user sees, by section and
// slot. Each slot shows either its built-in English default or a copy of the
// text a language file gave it. One table is process-wide; it is filled at
// start-up, before the main window and the other threads exist, and freed at
// the very end of the run.
//
// The language file: a root element of any name whose children are the
// sections ("Columns", ..., "ToolTips" with "Buttons", "Sliders", "Options"
// and "SubButtons", "Windows" with one element per dialog); each text is an
// element named by its key. In a text, a backslash and "n" become a line feed
// and a carriage return, a backslash and "0" a zero byte; any other backslash
// stays.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/TextSlots.h"

namespace zarnel {

class FileSystem;
struct XmlNode;

class Localisation {
 public:
  Localisation();

  // Fills every slot from the language file at path over the defaults. A
  // file that is missing, unreadable or rejected by the XML reader leaves
  // every slot at its default; a missing section, dialog or key leaves just
  // its slots. Never fails. UI thread, while no other thread reads texts.
  void load(FileSystem& files, const char* path);

  // As load, from a parsed language file; null gives every default.
  void apply(const XmlNode* root);

  // Drops every text read from a file, so every slot shows its default.
  // UI thread, while no other thread reads texts.
  void free();

  // Return: the slot's text, possibly empty and possibly holding zero bytes;
  // empty for a slot out of range. Valid until the next load or free. Any
  // thread, while no load or free runs.
  std::string_view text(TextSection section, int32_t slot) const;
  // Return: a dialog's text; empty for an address out of range.
  std::string_view dialogText(DialogId dialog, DialogText key) const;
  // Return: the "Errors" text of a FatalError index; empty out of range.
  std::string_view errorText(int32_t fatalIndex) const;

 private:
  // A slot holds a copy only when the language file gave it a text.
  using Slots = std::vector<std::optional<std::string>>;

  void applySection(TextSection section, const XmlNode* element);
  void applyDialogs(const XmlNode* windows);

  std::array<Slots, kTextSectionCount> sections_;
  std::array<Slots, kDialogCount> dialogs_;
};

// Return: a language text as stored in the file, with its escapes applied.
std::string applyTextEscapes(std::string_view raw);

// Return: the path of "language.xml" in homeFolder.
std::string languageFilePath(std::string_view homeFolder);

// Return: the process-wide table.
Localisation& localisation();

// The process-wide table's load and free, as start-up and shut-down call them.
void loadLanguage(FileSystem& files, const char* path);
void freeLanguage();

// Return: the process-wide "Errors" text of a FatalError index.
std::string_view errorText(int32_t fatalIndex);

}  // namespace zarnel
