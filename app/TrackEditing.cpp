// The track editing dialogs.

#include "app/TrackEditing.h"

#include <cstdio>
#include <cstdlib>

#include "app/DialogTexts.h"
#include "library/TrackStore.h"
#include "platform/DialogService.h"

namespace zarnel {
namespace {

constexpr int32_t kBpmChars = 9;
constexpr int32_t kCommentChars = 255;
constexpr int32_t kFileNameChars = 255;

}  // namespace

float parseTypedBpm(const std::string& text) {
  const std::string head = text.substr(0, kBpmChars);
  char* end = nullptr;
  const float value = std::strtof(head.c_str(), &end);
  return end == head.c_str() ? 0.0f : value;
}

bool editTrackBpm(DialogService& dialogs, const Localisation& texts, TrackStore& store, TrackEntry& entry) {
  char shown[32];
  std::snprintf(shown, sizeof shown, "%.1f", double(entry.bpm));
  std::optional<std::string> typed = dialogs.editText(dialogText(texts, kDialogEditBpm, kDialogTitle), shown,
                                                      kBpmChars, dialogText(texts, kDialogEditBpm, kDialogOk));
  if (!typed) return false;
  store.setTypedBpm(&entry, parseTypedBpm(*typed));
  return true;
}

bool editTrackComment(DialogService& dialogs, const Localisation& texts, TrackStore& store, TrackEntry& entry) {
  const char* stored = store.comment(&entry);
  const std::string current = stored ? stored : "";
  std::optional<std::string> typed =
      dialogs.editText(dialogText(texts, kDialogEditComment, kDialogTitle), current, kCommentChars,
                       dialogText(texts, kDialogEditComment, kDialogOk));
  if (!typed) return false;
  store.setComment(&entry, typed->substr(0, kCommentChars));
  return true;
}

std::optional<std::string> editFileName(DialogService& dialogs, const Localisation& texts, const std::string& name) {
  std::optional<std::string> typed =
      dialogs.editText(dialogText(texts, kDialogEditFilename, kDialogTitle), name, kFileNameChars,
                       dialogText(texts, kDialogEditFilename, kDialogOk));
  if (typed) typed->resize(std::min<size_t>(typed->size(), kFileNameChars));
  return typed;
}

}  // namespace zarnel
