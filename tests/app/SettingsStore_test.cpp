#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/ShortcutSettings.h"
#include "platform/Services.h"
#include "platform/virtual/VirtualDriveList.h"
#include "platform/virtual/VirtualRegistry.h"

namespace zarnel {
namespace {

std::vector<uint8_t> text(const std::string& s) {
  std::vector<uint8_t> bytes(s.begin(), s.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<uint8_t> dword(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }

std::vector<uint8_t> ramp(size_t size, uint8_t first = 1) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(first + i);
  return bytes;
}

// A machine with a floppy drive A:, a hard disk C: and CD-ROM drives D: and E:.
class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    registry.createKey("software\\ZARNEL");  // the key name compares without regard to case
    drives.addDrive("A:\\", DriveType::kRemovable);
    drives.addDrive("C:\\", DriveType::kFixed);
    drives.addDrive("D:\\", DriveType::kCdRom);
    drives.addDrive("E:\\", DriveType::kCdRom);
  }
  bool load() { return store.load(s, "C:\\Zarnel"); }
  std::vector<std::string> writtenNames() const {
    std::vector<std::string> names;
    for (const RegistryValue& v : registry.writes()) names.push_back(v.name);
    return names;
  }
  const RegistryValue* stored(const char* name) const { return registry.stored().find(name); }

  VirtualRegistry registry;
  VirtualDriveList drives;
  SettingsStore store{registry, &drives};
  Settings s;
};

TEST_F(SettingsStoreTest, MissingKeyFailsTheLoadAndWritesNothing) {
  s.skin = "mine";
  registry.deleteKey();
  EXPECT_FALSE(load());
  EXPECT_EQ(s.skin, "mine");
  EXPECT_FALSE(store.save(s, true));
  registry.createKey("Software\\Zarnel");
  registry.setOpenFails(true);
  EXPECT_FALSE(load());
  EXPECT_FALSE(store.save(s, true));
  EXPECT_TRUE(registry.writes().empty());
}

TEST_F(SettingsStoreTest, EmptyKeyGivesEveryDefault) {
  s.autoBpm = 0;
  s.scratch = 2;
  s.favorite = {4, 0, 9, 9, 0, 0};
  s.shortcuts = std::vector<uint8_t>{1, 2, 3, 4};
  s.soundCard2Guid = DeviceGuid{};
  s.samples[3] = "kick.wav";
  ASSERT_TRUE(load());
  EXPECT_EQ(s.homeFolder, "C:\\Zarnel");
  EXPECT_EQ(s.cdDrive, "D:\\");
  EXPECT_EQ(s.autoBpm, 1);
  EXPECT_EQ(s.scratch.load(), 1);
  EXPECT_EQ(s.resyncShift.load(), 882);
  EXPECT_EQ(s.startMix, 2);
  EXPECT_TRUE(s.favorite.empty());
  EXPECT_FALSE(s.shortcuts);
  EXPECT_FALSE(s.soundCard2Guid);
  EXPECT_EQ(s.samples[3], "");
  EXPECT_EQ(s.bandSizes, (std::array<int32_t, 14>{384, 384, 64, 192, 512, 512, 0, 0, 316, 316, 0, 0, 0, 392}));
  EXPECT_EQ(registry.closes(), 1);

  // A current directory that does not fit a text setting leaves no home folder.
  ASSERT_TRUE(store.load(s, std::string(kSettingsTextBytes, 'x')));
  EXPECT_EQ(s.homeFolder, "");
}

TEST_F(SettingsStoreTest, DefaultCdDriveIsFirstCdElseLastRemovableElseFirstDrive) {
  EXPECT_EQ(store.defaultCdDrive(), "D:\\");
  drives.clear();
  drives.addDrive("A:\\", DriveType::kRemovable);
  drives.addDrive("C:\\", DriveType::kFixed);
  drives.addDrive("F:\\", DriveType::kRemovable);
  drives.addDrive("G:\\", DriveType::kCdRom);
  drives.addDrive("H:\\", DriveType::kRemovable);
  EXPECT_EQ(store.defaultCdDrive(), "G:\\");
  drives.clear();
  drives.addDrive("A:\\", DriveType::kRemovable);
  drives.addDrive("C:\\", DriveType::kFixed);
  drives.addDrive("F:\\", DriveType::kRemovable);
  EXPECT_EQ(store.defaultCdDrive(), "F:\\");
  drives.clear();
  drives.addDrive("C:\\", DriveType::kFixed);
  drives.addDrive("Z:\\", DriveType::kRemote);
  EXPECT_EQ(store.defaultCdDrive(), "C:\\");
  drives.clear();
  EXPECT_EQ(store.defaultCdDrive(), "");
  SettingsStore noDrives(registry, nullptr);
  EXPECT_EQ(noDrives.defaultCdDrive(), "");
}

TEST_F(SettingsStoreTest, CdDriveValueIsTakenOnlyForRemovableOrCdDrives) {
  registry.store("CD Drive", kRegSz, text("C:\\"));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.cdDrive, "D:\\");  // a fixed disk: the default stays
  registry.store("CD Drive", kRegSz, text("Q:\\"));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.cdDrive, "D:\\");
  registry.store("CD Drive", kRegSz, text("e:\\"));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.cdDrive, "e:\\");
  registry.store("CD Drive", kRegSz, text("A:\\"));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.cdDrive, "A:\\");
}

TEST_F(SettingsStoreTest, TextsFitFiveHundredTwelveBytesWithTheirZero) {
  registry.store("Skin", kRegSz, text(std::string(511, 's')));
  registry.store("sample_11", kRegSz, text("C:\\samples\\horn.wav"));
  registry.store("Effect_5", kRegSz, text("C:\\effects\\brake.dll"));
  registry.store("Home folder", kRegSz, {'C', ':', '\\', 'Z'});  // no zero: the bytes stored
  ASSERT_TRUE(load());
  EXPECT_EQ(s.skin, std::string(511, 's'));
  EXPECT_EQ(s.samples[11], "C:\\samples\\horn.wav");
  EXPECT_EQ(s.effects[5], "C:\\effects\\brake.dll");
  EXPECT_EQ(s.homeFolder, "C:\\Z");

  registry.store("Skin", kRegSz, text(std::string(512, 's')));  // 513 bytes
  registry.store("Sample_0", kRegBinary, text("a.wav"));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.skin, "");
  EXPECT_EQ(s.samples[0], "");
}

TEST_F(SettingsStoreTest, BlocksNeedTheirExactSize) {
  std::vector<uint8_t> bands;
  for (uint32_t i = 0; i < 14; ++i)
    for (uint8_t b : dword(1000 + i)) bands.push_back(b);
  registry.store("BandSizes", kRegBinary, bands);
  registry.store("Sound card GUID", kRegBinary, ramp(16));
  registry.store("Sound card 1 GUID", kRegBinary, ramp(15));
  registry.store("Sound card 2 GUID", kRegSz, ramp(16));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.bandSizes[0], 1000);
  EXPECT_EQ(s.bandSizes[13], 1013);
  ASSERT_TRUE(s.soundCardGuid);
  EXPECT_EQ((*s.soundCardGuid)[15], 16);
  EXPECT_FALSE(s.soundCard1Guid);
  EXPECT_FALSE(s.soundCard2Guid);

  for (size_t size : {52u, 60u}) {
    registry.store("BandSizes", kRegBinary, ramp(size));
    ASSERT_TRUE(load());
    EXPECT_EQ(s.bandSizes[0], 384) << size;
    EXPECT_EQ(s.bandSizes[13], 392) << size;
  }
}

TEST_F(SettingsStoreTest, NumbersNeedDwordTypeAndFourBytes) {
  registry.store("LongMix", kRegDword, dword(uint32_t(-1)));
  registry.store("SCRATCH", kRegDword, dword(2));
  registry.store("ResyncShift", kRegDword, dword(441));
  registry.store("Output mode", kRegDword, dword(7));
  registry.store("AutoBpm", kRegBinary, dword(0));
  registry.store("StartMix", kRegDword, ramp(8));
  registry.store("EndMix", kRegDword, ramp(2));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.longMix, -1);
  EXPECT_EQ(s.scratch.load(), 2);
  EXPECT_EQ(s.resyncShift.load(), 441);
  EXPECT_EQ(s.outputMode, 7);
  EXPECT_EQ(s.autoBpm, 1);
  EXPECT_EQ(s.startMix, 2);
  EXPECT_EQ(s.endMix, 1);
}

TEST_F(SettingsStoreTest, BabySecureIsOneValueWhicheverTheSpelling) {
  registry.store("Baby Secure", kRegDword, dword(2));
  ASSERT_TRUE(load());
  EXPECT_EQ(s.babySecure, 2);
  s.babySecure = 0;
  ASSERT_TRUE(store.save(s, true));
  int named = 0;
  for (const RegistryValue& v : registry.stored().values()) named += v.name == "Baby Secure";
  EXPECT_EQ(named, 1);
  EXPECT_EQ(stored("baby secure")->data, dword(0));
}

TEST_F(SettingsStoreTest, WritesInTheFixedOrderWithTheirTypes) {
  s.homeFolder = "C:\\Zarnel";
  s.cdDrive = "D:\\";
  s.favorite = {4, 0, 7, 7, 0, 0};
  s.soundCardGuid = s.soundCard1Guid = s.soundCard2Guid = DeviceGuid{};
  s.shortcuts = std::vector<uint8_t>{};
  ASSERT_TRUE(store.save(s, true));
  std::vector<std::string> expected = {"Home folder", "CD Drive", "Favorite", "Skin", "Version",
      "ToolTip", "Baby Secure", "Maximized", "Crossfader", "MultiInstance", "AutoBpm", "AutoLevel",
      "AutoZPitch", "AutoSync", "LongMix", "StartMix", "EndMix", "Equalizer", "MasterTempo",
      "LimitPitch", "Scratch", "ResyncShift", "Charts", "AutoSave", "AutoSaveCut", "Panel1Size",
      "Panel2Size", "Panel1Locked", "Panel2Locked", "BandSizes", "Sound card GUID", "Shortcuts"};
  for (int i = 0; i < 12; ++i) expected.push_back("Sample_" + std::to_string(i));
  for (int i = 0; i < 6; ++i) expected.push_back("Effect_" + std::to_string(i));
  for (const char* name : {"Output mode", "Sound card 1 GUID", "Sound card 2 GUID"}) expected.push_back(name);
  EXPECT_EQ(writtenNames(), expected);
  EXPECT_EQ(*stored("Version"), (RegistryValue{"Version", kRegSz, text("2.2")}));
  EXPECT_EQ(*stored("Skin"), (RegistryValue{"Skin", kRegSz, {0}}));
  EXPECT_EQ(*stored("Sample_4"), (RegistryValue{"Sample_4", kRegSz, {0}}));
  EXPECT_EQ(*stored("Shortcuts"), (RegistryValue{"Shortcuts", kRegBinary, {}}));
  EXPECT_EQ(stored("ResyncShift")->type, uint32_t(kRegDword));
  EXPECT_EQ(stored("BandSizes")->data.size(), 56u);
  EXPECT_EQ(stored("Sound card 2 GUID")->type, uint32_t(kRegBinary));
}

TEST_F(SettingsStoreTest, UnsetValuesAreNotWritten) {
  s.favorite = {3, 0, 9};  // its one item runs past the end: no terminator
  ASSERT_TRUE(store.save(s, true));
  for (const char* name : {"Home folder", "CD Drive", "Favorite", "Sound card GUID", "Shortcuts",
                           "Sound card 1 GUID", "Sound card 2 GUID"})
    EXPECT_FALSE(stored(name)) << name;
  EXPECT_TRUE(stored("Skin"));
}

TEST_F(SettingsStoreTest, FavoriteIsWrittenUpToItsTerminator) {
  s.favorite = {4, 0, 0xAA, 0xBB, 3, 0, 0xCC, 0, 0, 0xEE, 0xEE};  // two items, terminator, left-overs
  ASSERT_TRUE(store.save(s, true));
  EXPECT_EQ(stored("Favorite")->data, (std::vector<uint8_t>{4, 0, 0xAA, 0xBB, 3, 0, 0xCC, 0, 0}));
}

TEST_F(SettingsStoreTest, EverySettingComesBackAsWritten) {
  s.homeFolder = "C:\\Zarnel";
  s.cdDrive = "E:\\";
  s.skin = "night";
  s.favorite = {4, 0, 1, 2, 0, 0};
  s.shortcuts = std::vector<uint8_t>{0x41, 1, 0, 7};
  s.soundCardGuid = DeviceGuid{1};
  s.soundCard1Guid = DeviceGuid{2};
  s.soundCard2Guid = DeviceGuid{3};
  s.toolTip = 0; s.babySecure = 2; s.maximized = 1; s.crossfader = 2; s.multiInstance = 1;
  s.autoBpm = 0; s.autoLevel = 0; s.autoZPitch = 0; s.autoSync = 0; s.longMix = 112;
  s.startMix = 1; s.endMix = 0; s.equalizer = 0; s.masterTempo = 0; s.limitPitch = 1;
  s.scratch = 2; s.resyncShift = 1000; s.charts = 0; s.autoSave = 1; s.autoSaveCut = 1;
  s.panel1Size = 300; s.panel2Size = 400; s.panel1Locked = 0; s.panel2Locked = 1;
  for (int i = 0; i < 14; ++i) s.bandSizes[i] = 10 * i + 1;
  for (int i = 0; i < 12; ++i) s.samples[i] = "sample" + std::to_string(i);
  for (int i = 0; i < 6; ++i) s.effects[i] = "effect" + std::to_string(i);
  s.outputMode = 5;
  ASSERT_TRUE(store.save(s, true));

  Settings back;
  ASSERT_TRUE(store.load(back, "elsewhere"));
  EXPECT_EQ(back.homeFolder, s.homeFolder);
  EXPECT_EQ(back.cdDrive, s.cdDrive);
  EXPECT_EQ(back.skin, s.skin);
  EXPECT_EQ(back.favorite, s.favorite);
  EXPECT_EQ(back.shortcuts, s.shortcuts);
  EXPECT_EQ(back.soundCardGuid, s.soundCardGuid);
  EXPECT_EQ(back.soundCard1Guid, s.soundCard1Guid);
  EXPECT_EQ(back.soundCard2Guid, s.soundCard2Guid);
  std::vector<int32_t> wrote = {s.toolTip, s.babySecure, s.maximized, s.crossfader, s.multiInstance,
      s.autoBpm, s.autoLevel, s.autoZPitch, s.autoSync, s.longMix, s.startMix, s.endMix,
      s.equalizer, s.masterTempo, s.limitPitch, s.scratch, s.resyncShift, s.charts, s.autoSave,
      s.autoSaveCut, s.panel1Size, s.panel2Size, s.panel1Locked, s.panel2Locked, s.outputMode};
  std::vector<int32_t> read = {back.toolTip, back.babySecure, back.maximized, back.crossfader,
      back.multiInstance, back.autoBpm, back.autoLevel, back.autoZPitch, back.autoSync, back.longMix,
      back.startMix, back.endMix, back.equalizer, back.masterTempo, back.limitPitch, back.scratch,
      back.resyncShift, back.charts, back.autoSave, back.autoSaveCut, back.panel1Size,
      back.panel2Size, back.panel1Locked, back.panel2Locked, back.outputMode};
  EXPECT_EQ(read, wrote);
  EXPECT_EQ(back.bandSizes, s.bandSizes);
  EXPECT_EQ(back.samples, s.samples);
  EXPECT_EQ(back.effects, s.effects);
}

TEST_F(SettingsStoreTest, OverlongTextIsCutToWhatAReadTakes) {
  s.skin = std::string(600, 'k');
  ASSERT_TRUE(store.save(s, true));
  EXPECT_EQ(stored("Skin")->data.size(), kSettingsTextBytes);
  ASSERT_TRUE(load());
  EXPECT_EQ(s.skin, std::string(kSettingsTextBytes - 1, 'k'));
}

TEST_F(SettingsStoreTest, NothingIsWrittenUnlessTheWindowWasCreated) {
  ASSERT_TRUE(load());
  s.skin = "changed";
  EXPECT_FALSE(store.save(s, false));
  EXPECT_EQ(registry.opens(), 1);  // the load's only
  EXPECT_TRUE(registry.stored().values().empty());
}

TEST_F(SettingsStoreTest, RefusedWritesFailTheSaveAndCloseTheKey) {
  registry.setWriteFails(true);
  EXPECT_FALSE(store.save(s, true));
  EXPECT_FALSE(registry.isOpen());
  registry.setWriteFails(false);
  EXPECT_TRUE(store.save(s, true));
}

struct FakeShortcuts : ShortcutSettings {
  void readShortcuts(uint32_t t, const std::vector<uint8_t>& b) override { type = t, bytes = b; }
  std::optional<std::vector<uint8_t>> shortcutsToWrite() override { return list; }
  uint32_t type = kRegNone;
  std::vector<uint8_t> bytes;
  std::optional<std::vector<uint8_t>> list;
};

TEST_F(SettingsStoreTest, TheShortcutManagerReadsAndSuppliesTheShortcuts) {
  FakeShortcuts manager;
  store.setShortcutSettings(&manager);
  registry.store("Shortcuts", kRegSz, text("x"));
  ASSERT_TRUE(load());
  EXPECT_EQ(manager.type, uint32_t(kRegSz));  // judging the value is the manager's
  EXPECT_EQ(manager.bytes, text("x"));
  EXPECT_FALSE(s.shortcuts);

  s.shortcuts = std::vector<uint8_t>{9, 9, 9, 9};  // the manager's list wins over the raw bytes
  ASSERT_TRUE(store.save(s, true));
  EXPECT_EQ(stored("Shortcuts")->type, uint32_t(kRegSz));  // untouched: no list, nothing written
  manager.list = std::vector<uint8_t>{0x20, 0, 0, 3};
  ASSERT_TRUE(store.save(s, true));
  EXPECT_EQ(*stored("Shortcuts"), (RegistryValue{"Shortcuts", kRegBinary, {0x20, 0, 0, 3}}));
}

TEST(SettingsStoreProcess, LoadsAndSavesTheProcessSettingsThroughThePlatform) {
  VirtualRegistry registry;
  VirtualDriveList drives;
  drives.addDrive("D:\\", DriveType::kCdRom);
  PlatformServices platform;
  EXPECT_FALSE(loadSettings(platform));  // no registry service: as a missing key
  platform.registry = &registry;
  platform.drives = &drives;
  EXPECT_FALSE(loadSettings(platform));
  registry.createKey(kSettingsKey);
  ASSERT_TRUE(loadSettings(platform));
  EXPECT_EQ(settings().homeFolder, std::filesystem::current_path().string());
  EXPECT_EQ(settings().cdDrive, "D:\\");
  settings().skin = "day";
  saveSettings(platform, false);
  EXPECT_FALSE(registry.stored().find("Skin"));
  saveSettings(platform, true);
  EXPECT_EQ(registry.stored().find("Skin")->data, text("day"));
  settings().resetToDefaults();
}

}  // namespace
}  // namespace zarnel
