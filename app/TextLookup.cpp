#include "app/TextLookup.h"

#include "app/Localisation.h"

namespace zarnel {

void LocalisedTexts::load(const std::string& path) {
  if (files_) loadLanguage(*files_, path.c_str());
}

void LocalisedTexts::release() { freeLanguage(); }

std::string LocalisedTexts::text(TextSection section, int32_t slot) const {
  return std::string(localisation().text(section, slot));
}

std::string LocalisedTexts::errorText(int32_t index) const { return std::string(zarnel::errorText(index)); }

}  // namespace zarnel
