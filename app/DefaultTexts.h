#pragma once
// The built-in English texts: each section's element names, and its keys with
// their default texts in slot order; the same for the dialogs of "Windows".

#include <array>
#include <span>
#include <string_view>

#include "app/TextSlots.h"

namespace zarnel {

struct DefaultText {
  std::string_view key;
  std::string_view text;  // may hold zero bytes (filter lists)
};

struct TextSectionDefaults {
  std::string_view parent;  // the enclosing section's name; empty below the root
  std::string_view name;
  std::span<const DefaultText> slots;
};

struct DialogDefaults {
  std::string_view name;
  std::array<std::string_view, kDialogTextCount> texts;  // by DialogText
};

// Return: the names, keys and default texts of section. Static data.
const TextSectionDefaults& textSectionDefaults(TextSection section);

// Return: the element name and default texts of dialog. Static data.
// Pre: 0 <= dialog < kDialogCount.
const DialogDefaults& dialogDefaults(DialogId dialog);

// Return: the key of a dialog's text: "Title", "OK", "Cancel", "Label1" to "Label5".
// Pre: 0 <= text < kDialogTextCount.
std::string_view dialogTextKey(DialogText text);

// The name of the section that holds the dialogs.
inline constexpr std::string_view kWindowsSection = "Windows";

}  // namespace zarnel
