#pragma once
// The small dialogs that edit one track: its tempo (a typed BPM between 1
// and 999 is kept by later analyses), its comment, and its file name.

#include <optional>
#include <string>

namespace zarnel {

class DialogService;
class Localisation;
class TrackStore;
struct TrackEntry;

// Return: the BPM typed as text: at most 9 characters read as a decimal
// number; text that does not read as one gives 0.
float parseTypedBpm(const std::string& text);

// Each shows its dialog and stores an accepted value through the store.
// Return: whether the value changed (OK); Cancel changes nothing.
bool editTrackBpm(DialogService& dialogs, const Localisation& texts, TrackStore& store, TrackEntry& entry);
bool editTrackComment(DialogService& dialogs, const Localisation& texts, TrackStore& store, TrackEntry& entry);
// Return: the edited file name (at most 255 bytes), none when cancelled.
std::optional<std::string> editFileName(DialogService& dialogs, const Localisation& texts, const std::string& name);

}  // namespace zarnel
