#include "app/ShortcutManager.h"

#include <algorithm>
#include <memory>

#include "app/ShortcutNames.h"
#include "platform/ByteFile.h"
#include "platform/Registry.h"
#include "platform/WindowSystem.h"
#include "platform/WritableFile.h"

namespace zarnel {

namespace {

constexpr int32_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;
constexpr int64_t kMaxShortcutFile = 64 * 1024;
// Buttons 1 and 2 held, button 2 just pressed.
constexpr int32_t kJoystickBeatMix = msg::kJoyButton1 | 0x002 | (msg::kJoyButton1Changed << 1);

// Return: the 4-byte records of list, without a terminator.
std::vector<uint8_t> recordBytes(const std::vector<Shortcut>& list) {
  std::vector<uint8_t> out;
  out.reserve(list.size() * 4);
  for (const Shortcut& s : list) {
    out.push_back(uint8_t(s.key & 0xFF));
    out.push_back(uint8_t(s.key >> 8));
    out.push_back(s.target);
    out.push_back(s.action);
  }
  return out;
}

// Return: the whole file, or nothing when it cannot be read or is too big.
std::optional<std::vector<uint8_t>> readWhole(FileSystem& files, const std::string& path) {
  std::unique_ptr<ByteFile> file = files.openRead(path.c_str());
  if (!file) return std::nullopt;
  const int64_t size = file->size();
  if (size < 0 || size > kMaxShortcutFile) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && file->read(bytes.data(), int32_t(size)) != int32_t(size)) return std::nullopt;
  return bytes;
}

}  // namespace

uint16_t ShortcutManager::keyCodeOf(int32_t virtualKey, int32_t keyData, int32_t modifiers) {
  uint16_t code = uint16_t((keyData >> 16) & 0x1FF);
  if ((keyData & msg::kKeyDataAlt) && virtualKey != kVkMenu) code |= kKeyAlt;
  if ((modifiers & msg::kModCtrl) && virtualKey != kVkControl) code |= kKeyCtrl;
  if ((modifiers & msg::kModShift) && virtualKey != kVkShift) code |= kKeyShift;
  return code;
}

int32_t ShortcutManager::resolveDesk(uint8_t target) const {
  const int32_t active = target_.activeDesk();
  switch (target) {
    case 0:
      return active;
    case 1:
      return 1 - active;
    case 2:
      return 0;
    default:
      return 1;
  }
}

bool ShortcutManager::handleKey(int32_t virtualKey, int32_t keyData, int32_t modifiers) {
  if (holder_ && holder_->takeKey(virtualKey, keyData)) return true;
  if (!list_) return false;
  const uint16_t code = keyCodeOf(virtualKey, keyData, modifiers);
  bool fired = false;
  // A copy: an action may replace the list (a loaded file) while it runs.
  const std::vector<Shortcut> list = *list_;
  for (const Shortcut& s : list) {
    if (s.key != code) continue;
    target_.shortcutAction(s.action, resolveDesk(s.target));
    fired = true;
  }
  if (fired) return true;
  return fallback_ && fallback_->offerKey(virtualKey);
}

std::optional<std::vector<Shortcut>> ShortcutManager::parse(const std::vector<uint8_t>& bytes) {
  if (bytes.size() % 4 != 0) return std::nullopt;
  std::vector<Shortcut> list;
  for (size_t i = 0; i < bytes.size(); i += 4) {
    Shortcut s{uint16_t(bytes[i] | bytes[i + 1] << 8), bytes[i + 2], bytes[i + 3]};
    if (s.key == 0) break;  // the end of the list
    list.push_back(s);
  }
  return list;
}

bool ShortcutManager::readValue(uint32_t type, const std::vector<uint8_t>& bytes) {
  if (type != kRegBinary) return false;
  std::optional<std::vector<Shortcut>> list = parse(bytes);
  if (!list) return false;
  list_ = std::move(list);
  return true;
}

std::optional<std::vector<uint8_t>> ShortcutManager::value() const {
  if (!list_) return std::nullopt;
  return recordBytes(*list_);
}

ShortcutFileResult readShortcutFile(FileSystem& files, const std::string& path, std::vector<Shortcut>& out) {
  const std::optional<std::vector<uint8_t>> bytes = readWhole(files, path);
  if (!bytes) return ShortcutFileResult::kUnreadable;
  std::optional<std::vector<Shortcut>> list = ShortcutManager::parse(*bytes);
  if (!list) return ShortcutFileResult::kDamaged;
  const bool inRange = std::all_of(list->begin(), list->end(), [](const Shortcut& s) {
    return s.action < kShortcutActionCount && s.target <= 3 && !(s.key & 0x8000);
  });
  if (!inRange) return ShortcutFileResult::kDamaged;
  out = std::move(*list);
  return ShortcutFileResult::kLoaded;
}

bool writeShortcutFile(FileSystem& files, const std::string& path, const std::vector<Shortcut>& list) {
  const std::vector<uint8_t> bytes = recordBytes(list);
  std::unique_ptr<WritableFile> file = files.openReadWrite(path.c_str(), true);
  if (!file || !file->truncate(0)) return false;
  if (!bytes.empty() && file->write(bytes.data(), int32_t(bytes.size())) != int32_t(bytes.size())) return false;
  return file->flush();
}

ShortcutFileResult ShortcutManager::loadFile(FileSystem& files, const std::string& path) {
  std::vector<Shortcut> list;
  const ShortcutFileResult result = readShortcutFile(files, path, list);
  if (result == ShortcutFileResult::kLoaded) list_ = std::move(list);
  return result;
}

bool ShortcutManager::saveFile(FileSystem& files, const std::string& path) const {
  return writeShortcutFile(files, path, list_.value_or(std::vector<Shortcut>{}));
}

void ShortcutManager::setJoystickRange(int32_t minimumX, int32_t rangeX) {
  joystickMinX_ = minimumX;
  joystickRangeX_ = std::max(rangeX, 1);
}

void ShortcutManager::joystickMove(int32_t buttons, int32_t x) {
  if (buttons != msg::kJoyButton1) return;
  const int64_t v = (int64_t(x) - joystickMinX_) * 4096 / joystickRangeX_;
  const int32_t value = int32_t(std::clamp<int64_t>(v, 0, 4096));
  if (value != target_.crossfader()) target_.setCrossfader(value);
}

void ShortcutManager::joystickButton(int32_t buttons) {
  if (buttons == kJoystickBeatMix) target_.beatMix(target_.activeDesk());
}

std::string shortcutLine(const Shortcut& s, const std::string& keyName) {
  static constexpr const char* kDeskTexts[4] = {" active desk", " playing desk", " desk 1", " desk 2"};
  std::string line = "[";
  if (s.key & kKeyCtrl) line += "ctrl+";
  if (s.key & kKeyAlt) line += "alt+";
  if (s.key & kKeyShift) line += "shift+";
  line += keyName + "]\t" + shortcutActionName(s.action);
  if (isDeskShortcut(s.action) && s.target < 4) line += kDeskTexts[s.target];
  return line;
}

}  // namespace zarnel
