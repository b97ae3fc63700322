#pragma once
// The one process-wide record of the program's settings. Loading and saving
// it is the settings store's job; the rest of the program reads and changes
// the fields directly.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarnel {

using DeviceGuid = std::array<uint8_t, 16>;

// Every text setting fits this many bytes, its terminating zero included.
constexpr size_t kSettingsTextBytes = 512;
// The settings format written as "Version"; a stored "Version" is not used.
inline constexpr char kSettingsVersion[] = "2.2";

// Fields that the audio thread reads while the UI thread may change them are
// atomic; the others belong to the UI thread.
struct Settings {
  // The program's folder, base of "language.xml", "skins" and the database;
  // the current directory at start unless stored.
  std::string homeFolder;
  // Root of the drive that audio CDs are read from ("D:\\").
  std::string cdDrive;
  std::string skin;  // skin file name without folder and extension; empty: "default"
  std::optional<DeviceGuid> soundCardGuid;
  std::optional<DeviceGuid> soundCard1Guid;
  std::optional<DeviceGuid> soundCard2Guid;
  // The folder tree's favourite folder: the shell's item-identifier list as
  // stored (items led by their 16-bit little-endian size, ended by a zero
  // size), opaque to everything but the shell service; empty for none.
  std::vector<uint8_t> favorite;
  // The "Shortcuts" value as it was read; absent when there was none. Written
  // back unchanged unless a shortcut manager supplies the list to write.
  std::optional<std::vector<uint8_t>> shortcuts;

  int32_t toolTip = 1;
  int32_t babySecure = 1;
  int32_t maximized = 0;
  int32_t crossfader = 0;
  int32_t multiInstance = 0;
  int32_t autoBpm = 1;
  int32_t autoLevel = 1;
  int32_t autoZPitch = 1;
  int32_t autoSync = 1;
  int32_t longMix = 0;
  int32_t startMix = 2;
  int32_t endMix = 1;
  std::atomic<int32_t> equalizer{1};
  std::atomic<int32_t> masterTempo{1};
  int32_t limitPitch = 0;
  std::atomic<int32_t> scratch{1};  // 0 disabled, 1 enabled, 2 hold
  std::atomic<int32_t> resyncShift{882};
  int32_t charts = 1;
  int32_t autoSave = 0;
  int32_t autoSaveCut = 0;
  int32_t panel1Size = 256;
  int32_t panel2Size = 512;
  int32_t panel1Locked = 1;
  int32_t panel2Locked = 0;
  std::array<int32_t, 14> bandSizes{384, 384, 64, 192, 512, 512, 0, 0, 316, 316, 0, 0, 0, 392};
  std::array<std::string, 12> samples;
  std::array<std::string, 6> effects;
  int32_t outputMode = 0;

  // Puts every field back to its default. UI thread, with the audio thread stopped.
  void resetToDefaults();
};

// Return: the process-wide settings record.
Settings& settings();

}  // namespace zarnel
