#include "skin/ActionNames.h"

#include <array>

#include "skin/XmlNode.h"

namespace zarnel {

namespace {

constexpr std::array<std::string_view, kButtonActionCount> kButtonNames{
    "nothing", "close", "minimize", "maximize", "magic", "play", "pause", "stop", "cue", "select",
    "pitch_reset", "switch_pitch_level", "sync_pitch", "sync_level", "sync_beat", "menu_files",
    "menu_search", "menu_samples", "menu_effects", "menu_record", "menu_config", "mix", "", "",
    "play_pause", "cue_stop", "loop4th", "loop2th", "loop1", "loop2", "loop4", "loop8", "effect1",
    "effect2", "effect3", "eqreset", "killbass", "killmedium", "killhigh", "gotocue1", "gotocue2",
    "gotocue3", "gotocue4", "gotocue5", "setcue1", "setcue2", "setcue3", "setcue4", "setcue5",
};

constexpr std::array<std::string_view, kSliderKindCount> kSliderNames{
    "crossfader", "song_pos", "pitch", "level", "bass", "medium", "high", "gain", "preview",
    "bassfader", "mediumfader", "highfader", "rotation", "arm",
};

}  // namespace

int32_t buttonActionByName(std::string_view name) {
  for (size_t i = 0; i < kButtonNames.size(); ++i) {
    if (!kButtonNames[i].empty() && equalsIgnoringCase(kButtonNames[i], name)) return int32_t(i);
  }
  return kActionNothing;
}

std::string_view buttonActionName(int32_t index) {
  return index >= 0 && index < kButtonActionCount ? kButtonNames[size_t(index)] : std::string_view();
}

int32_t sliderKindByName(std::string_view name) {
  for (size_t i = 0; i < kSliderNames.size(); ++i) {
    if (equalsIgnoringCase(kSliderNames[i], name)) return int32_t(i);
  }
  return -1;
}

std::string_view sliderKindName(int32_t kind) {
  return kind >= 0 && kind < kSliderKindCount ? kSliderNames[size_t(kind)] : std::string_view();
}

}  // namespace zarnel
