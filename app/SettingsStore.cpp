#include "app/SettingsStore.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/Settings.h"
#include "app/ShortcutSettings.h"
#include "app/TypedRegistry.h"
#include "platform/DriveList.h"
#include "platform/Registry.h"
#include "platform/Services.h"

namespace zarnel {

namespace {

// The 32-bit values from "ToolTip" to "Panel2Locked", in the order they are
// written. Exactly one of the two field pointers is set.
struct DwordSetting {
  const char* readName;
  const char* writeName;
  int32_t Settings::*plain;
  std::atomic<int32_t> Settings::*shared;
};

constexpr DwordSetting kDwordSettings[] = {
    {"ToolTip", "ToolTip", &Settings::toolTip, nullptr},
    // Names compare without regard to case: both spellings are one value.
    {"Baby secure", "Baby Secure", &Settings::babySecure, nullptr},
    {"Maximized", "Maximized", &Settings::maximized, nullptr},
    {"Crossfader", "Crossfader", &Settings::crossfader, nullptr},
    {"MultiInstance", "MultiInstance", &Settings::multiInstance, nullptr},
    {"AutoBpm", "AutoBpm", &Settings::autoBpm, nullptr},
    {"AutoLevel", "AutoLevel", &Settings::autoLevel, nullptr},
    {"AutoZPitch", "AutoZPitch", &Settings::autoZPitch, nullptr},
    {"AutoSync", "AutoSync", &Settings::autoSync, nullptr},
    {"LongMix", "LongMix", &Settings::longMix, nullptr},
    {"StartMix", "StartMix", &Settings::startMix, nullptr},
    {"EndMix", "EndMix", &Settings::endMix, nullptr},
    {"Equalizer", "Equalizer", nullptr, &Settings::equalizer},
    {"MasterTempo", "MasterTempo", nullptr, &Settings::masterTempo},
    {"LimitPitch", "LimitPitch", &Settings::limitPitch, nullptr},
    {"Scratch", "Scratch", nullptr, &Settings::scratch},
    {"ResyncShift", "ResyncShift", nullptr, &Settings::resyncShift},
    {"Charts", "Charts", &Settings::charts, nullptr},
    {"AutoSave", "AutoSave", &Settings::autoSave, nullptr},
    {"AutoSaveCut", "AutoSaveCut", &Settings::autoSaveCut, nullptr},
    {"Panel1Size", "Panel1Size", &Settings::panel1Size, nullptr},
    {"Panel2Size", "Panel2Size", &Settings::panel2Size, nullptr},
    {"Panel1Locked", "Panel1Locked", &Settings::panel1Locked, nullptr},
    {"Panel2Locked", "Panel2Locked", &Settings::panel2Locked, nullptr},
};

constexpr size_t kBandSizesBytes = 56;

int32_t get(const Settings& s, const DwordSetting& d) {
  return d.plain ? s.*d.plain : (s.*d.shared).load(std::memory_order_relaxed);
}

void put(Settings& s, const DwordSetting& d, int32_t value) {
  if (d.plain)
    s.*d.plain = value;
  else
    (s.*d.shared).store(value, std::memory_order_relaxed);
}

std::string sampleName(int i) { return "Sample_" + std::to_string(i); }
std::string effectName(int i) { return "Effect_" + std::to_string(i); }

// Return: the bytes of the item-identifier list up to and including its
// zero-size terminator; 0 when an item runs past the end or has no room for
// its own size field, or the terminator is missing.
size_t itemIdListBytes(const std::vector<uint8_t>& list) {
  size_t at = 0;
  while (at + 2 <= list.size()) {
    const size_t itemBytes = size_t(list[at]) | size_t(list[at + 1]) << 8;
    if (itemBytes == 0) return at + 2;
    if (itemBytes < 2) return 0;
    at += itemBytes;
  }
  return 0;
}

void readGuid(TypedRegistry& in, const char* name, std::optional<DeviceGuid>& guid) {
  DeviceGuid block;
  if (in.readExact(name, block.data(), block.size())) guid = block;
}

void writeGuid(TypedRegistry& out, const char* name, const std::optional<DeviceGuid>& guid) {
  if (guid) out.writeBinary(name, guid->data(), guid->size());
}

void writeBandSizes(TypedRegistry& out, const Settings& s) {
  uint8_t bytes[kBandSizesBytes];
  for (size_t i = 0; i < s.bandSizes.size(); ++i)
    for (size_t b = 0; b < 4; ++b) bytes[i * 4 + b] = uint8_t(uint32_t(s.bandSizes[i]) >> (8 * b));
  out.writeBinary("BandSizes", bytes, sizeof bytes);
}

void readBandSizes(TypedRegistry& in, Settings& s) {
  uint8_t bytes[kBandSizesBytes];
  if (!in.readExact("BandSizes", bytes, sizeof bytes)) return;
  for (size_t i = 0; i < s.bandSizes.size(); ++i) {
    const uint8_t* b = bytes + i * 4;
    s.bandSizes[i] = int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                             uint32_t(b[3]) << 24);
  }
}

void writeHead(TypedRegistry& out, const Settings& s) {
  if (!s.homeFolder.empty()) out.writeText("Home folder", s.homeFolder);
  if (!s.cdDrive.empty()) out.writeText("CD Drive", s.cdDrive);
  const size_t favoriteBytes = itemIdListBytes(s.favorite);
  if (favoriteBytes != 0) out.writeBinary("Favorite", s.favorite.data(), favoriteBytes);
  out.writeText("Skin", s.skin);
  out.writeText("Version", kSettingsVersion);
}

void writeSlots(TypedRegistry& out, const Settings& s) {
  for (int i = 0; i < int(s.samples.size()); ++i) out.writeText(sampleName(i).c_str(), s.samples[i]);
  for (int i = 0; i < int(s.effects.size()); ++i) out.writeText(effectName(i).c_str(), s.effects[i]);
}

std::string currentDirectory() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::current_path(error);
  if (error) return {};
  try {
    return path.string();
  } catch (const std::exception&) {  // a name the 8-bit code page cannot spell
    return {};
  }
}

}  // namespace

bool SettingsStore::load(Settings& s, std::string_view currentDirectory) {
  if (!registry_.open(kSettingsKey)) return false;
  s.resetToDefaults();
  if (currentDirectory.size() < kSettingsTextBytes) s.homeFolder = currentDirectory;
  s.cdDrive = defaultCdDrive();
  readTexts(s);
  readNumbers(s);
  readBlocks(s);
  readShortcuts(s);
  registry_.close();
  return true;
}

std::string SettingsStore::defaultCdDrive() {
  if (!drives_) return {};
  const std::vector<std::string> roots = drives_->logicalDrives();
  std::string chosen;
  for (const std::string& root : roots) {
    const DriveType type = drives_->driveType(root.c_str());
    if (type == DriveType::kRemovable || type == DriveType::kCdRom) chosen = root;
    if (type == DriveType::kCdRom) break;
  }
  if (chosen.empty() && !roots.empty()) chosen = roots.front();
  return chosen;
}

bool SettingsStore::isCdCapable(const std::string& path) {
  if (!drives_) return false;
  const DriveType type = drives_->driveType(path.c_str());
  return type == DriveType::kRemovable || type == DriveType::kCdRom;
}

void SettingsStore::readTexts(Settings& s) {
  TypedRegistry in(registry_);
  in.readText("Home folder", s.homeFolder);
  std::string cdDrive;
  if (in.readText("CD Drive", cdDrive) && isCdCapable(cdDrive)) s.cdDrive = cdDrive;
  in.readText("Skin", s.skin);
  for (int i = 0; i < int(s.samples.size()); ++i) in.readText(sampleName(i).c_str(), s.samples[i]);
  for (int i = 0; i < int(s.effects.size()); ++i) in.readText(effectName(i).c_str(), s.effects[i]);
}

void SettingsStore::readNumbers(Settings& s) {
  TypedRegistry in(registry_);
  for (const DwordSetting& d : kDwordSettings) {
    int32_t value = 0;
    if (in.readDword(d.readName, value)) put(s, d, value);
  }
  in.readDword("Output mode", s.outputMode);
}

void SettingsStore::readBlocks(Settings& s) {
  TypedRegistry in(registry_);
  readGuid(in, "Sound card GUID", s.soundCardGuid);
  readGuid(in, "Sound card 1 GUID", s.soundCard1Guid);
  readGuid(in, "Sound card 2 GUID", s.soundCard2Guid);
  readBandSizes(in, s);
  in.readBinary("Favorite", s.favorite);
}

void SettingsStore::readShortcuts(Settings& s) {
  uint32_t type = kRegNone;
  std::vector<uint8_t> bytes;
  if (!registry_.read("Shortcuts", type, bytes)) return;
  if (type == kRegBinary) s.shortcuts = bytes;
  if (shortcuts_) shortcuts_->readShortcuts(type, bytes);
}

bool SettingsStore::save(const Settings& s, bool windowCreated) {
  if (!windowCreated || !registry_.open(kSettingsKey)) return false;
  TypedRegistry out(registry_);
  writeHead(out, s);
  for (const DwordSetting& d : kDwordSettings) out.writeDword(d.writeName, get(s, d));
  writeBandSizes(out, s);
  writeGuid(out, "Sound card GUID", s.soundCardGuid);
  const std::optional<std::vector<uint8_t>> list = shortcuts_ ? shortcuts_->shortcutsToWrite() : s.shortcuts;
  if (list) out.writeBinary("Shortcuts", list->data(), list->size());
  writeSlots(out, s);
  out.writeDword("Output mode", s.outputMode);
  writeGuid(out, "Sound card 1 GUID", s.soundCard1Guid);
  writeGuid(out, "Sound card 2 GUID", s.soundCard2Guid);
  const bool stored = registry_.close();
  return out.allWritten() && stored;
}

bool loadSettings(const PlatformServices& platform, ShortcutSettings* shortcuts) {
  if (!platform.registry) return false;
  SettingsStore store(*platform.registry, platform.drives);
  store.setShortcutSettings(shortcuts);
  return store.load(settings(), currentDirectory());
}

void saveSettings(const PlatformServices& platform, bool windowCreated, ShortcutSettings* shortcuts) {
  if (!platform.registry) return;
  SettingsStore store(*platform.registry, platform.drives);
  store.setShortcutSettings(shortcuts);
  store.save(settings(), windowCreated);
}

}  // namespace zarnel
