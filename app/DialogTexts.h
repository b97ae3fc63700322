#pragma once
// The language file's texts as the dialog service takes them: a dialog's
// title, buttons and labels, and the file choosers' filters.

#include <string>
#include <vector>

#include "app/TextSlots.h"
#include "platform/DialogService.h"

namespace zarnel {

class Localisation;

// Return: text key of dialog, as a string.
std::string dialogText(const Localisation& texts, DialogId dialog, DialogText key);
// Return: the filters of a "Filters" text: zero-separated label and pattern
// pairs; a label without a pattern is dropped.
std::vector<FileFilter> fileFilters(const Localisation& texts, FilterText filter);
std::string browserTitle(const Localisation& texts, BrowserTitleText title);

}  // namespace zarnel
