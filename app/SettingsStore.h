#pragma once
// Reads the settings record from the program's registry key at start-up and
// writes it back when the main window is destroyed.

#include <string>
#include <string_view>

namespace zarnel {

class DriveList;
class Registry;
class ShortcutSettings;
struct PlatformServices;
struct Settings;

// The key holding every setting, below the local-machine root. The installer
// makes it; the program never creates it.
inline constexpr char kSettingsKey[] = "Software\\Zarnel";

// Thread: UI thread only.
class SettingsStore {
 public:
  // drives may be null (no drive listing: no default CD drive, and no
  // "CD Drive" value is taken). Pre: registry and drives outlive this object.
  SettingsStore(Registry& registry, DriveList* drives) : registry_(registry), drives_(drives) {}

  // Hands the "Shortcuts" value to the shortcut manager at load and takes the
  // value to write from it at save. Null (the default): the value read is
  // kept in Settings::shortcuts and written back from there.
  // Pre: shortcuts outlives this object.
  void setShortcutSettings(ShortcutSettings* shortcuts) { shortcuts_ = shortcuts; }

  // Opens the key, puts every field of s to its default (the home folder to
  // currentDirectory when it fits kSettingsTextBytes, the CD drive to
  // defaultCdDrive()), then takes each stored value whose type and size fit.
  // Return: false only when the key cannot be opened; s is then unchanged.
  bool load(Settings& s, std::string_view currentDirectory);
  // Writes s back into the key in the store's fixed order. Writes nothing
  // unless windowCreated: settings of a run whose main window never came to
  // be are dropped. Does nothing when the key cannot be opened.
  // Return: true when every value was written and stored.
  bool save(const Settings& s, bool windowCreated);

  // Return: the root of the first CD-ROM drive, else of the last removable
  // drive, else of the first drive; empty without drives.
  std::string defaultCdDrive();

 private:
  void readTexts(Settings& s);
  void readNumbers(Settings& s);
  void readBlocks(Settings& s);
  void readShortcuts(Settings& s);
  bool isCdCapable(const std::string& path);

  Registry& registry_;
  DriveList* drives_;
  ShortcutSettings* shortcuts_ = nullptr;
};

// settings() from the platform's registry, with the process's current
// directory as the default home folder.
// Return: false only when the key cannot be opened (or there is no registry
// service). Thread: UI thread, at start-up.
bool loadSettings(const PlatformServices& platform, ShortcutSettings* shortcuts = nullptr);
// settings() into the platform's registry; nothing unless windowCreated.
// Start-up calls it from the main window's destruction only. Silent on failure.
// Thread: UI thread.
void saveSettings(const PlatformServices& platform, bool windowCreated,
                  ShortcutSettings* shortcuts = nullptr);

}  // namespace zarnel
