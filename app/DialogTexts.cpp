#include "app/DialogTexts.h"

#include "app/Localisation.h"

namespace zarnel {

std::string dialogText(const Localisation& texts, DialogId dialog, DialogText key) {
  return std::string(texts.dialogText(dialog, key));
}

std::vector<FileFilter> fileFilters(const Localisation& texts, FilterText filter) {
  std::string_view all = texts.text(TextSection::kFilters, filter);
  std::vector<std::string_view> parts;
  while (!all.empty()) {
    const size_t end = all.find('\0');
    parts.push_back(all.substr(0, end));
    if (end == std::string_view::npos) break;
    all.remove_prefix(end + 1);
  }
  std::vector<FileFilter> out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (!parts[i].empty() && !parts[i + 1].empty()) out.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  }
  return out;
}

std::string browserTitle(const Localisation& texts, BrowserTitleText title) {
  return std::string(texts.text(TextSection::kBrowserTitles, title));
}

}  // namespace zarnel
