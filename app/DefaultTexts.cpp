#include "app/DefaultTexts.h"

namespace zarnel {

namespace {

using namespace std::string_view_literals;

// Every default key and text fits the fixed width of its section's buffers,
// terminator included.
template <size_t N>
constexpr bool fitsWidth(const DefaultText (&slots)[N], size_t width) {
  for (const DefaultText& slot : slots) {
    if (slot.key.size() >= width || slot.text.size() >= width) return false;
  }
  return true;
}

constexpr DefaultText kColumns[] = {
    {"CD", "Disc"sv},
    {"Number", "Files"sv},
    {"Title", "Title"sv},
    {"Author", "Author"sv},
    {"Disc", "Disc"sv},
    {"Path", "Path"sv},
    {"Bpm", "Bpm"sv},
    {"Comment", "Comment"sv},
};
static_assert(fitsWidth(kColumns, 16));

constexpr DefaultText kFilters[] = {
    {"m3u", "Playlist (*.m3u)\0*.m3u"sv},
    {"SaveFilter", "WavFile (*.wav)\0*.wav\0Broadcast Plugin (*.dll)\0*.dll"sv},
    {"txt", "Text (*.txt)\0*.txt"sv},
    {"Shortcut", "Shortcuts (*.scu)\0*.scu"sv},
    {"Plugin", "Plugins (*.dll)\0*.dll"sv},
    {"Playlist", "Playlist\0*.m3u;*.pls"sv},
    {"Sample", "wav sample (*.wav)\0*.wav\0mp3 sample (*.mp3)\0*.mp3"sv},
};
static_assert(fitsWidth(kFilters, 64));

constexpr DefaultText kBrowserTitles[] = {
    {"SavePlaylist", "Save Playlist"sv},
    {"SaveWav", "Save mix"sv},
    {"LoadShortcut", "Load Shortcut list"sv},
    {"SaveShortcut", "Save Shortcut list"sv},
    {"LoadWav", "Load Sample"sv},
    {"LoadPlugin", "Load Plugin"sv},
    {"LoadPlaylist", "Load Playlist"sv},
    {"CopyTo", "Select where to copy this file"sv},
    {"MoveTo", "Select where to move this file"sv},
    {"SaveHistory", "Save History"sv},
};
static_assert(fitsWidth(kBrowserTitles, 64));

constexpr DefaultText kErrors[] = {
    {"StartMessage", "Drag a file\non the disc\nto load it"sv},
    {"BadMp3Message", "ERROR\nin the\nMP3 file"sv},
    {"BadFileMessage", "Impossible\nto open\nthe file"sv},
    {"Config", "Invalid configuration ! Please choose a valid combination."sv},
    {"Explorer", "Error in the Windows Explorer"sv},
    {"Desktop", "Impossible to find the desktop"sv},
    {"MultiThread", "Multi-thread operation impossible. You must execute Zarnel from a multi-thread OS"sv},
    {"InitGraf", "Impossible to open the graphic screen"sv},
    {"LoadGraf", "Impossible to load the graphics"sv},
    {"GDI", "Error in the video driver"sv},
    {"GDIInit", "Impossible to open the graphic screen"sv},
    {"DirectDraw", "Error in the DirectX video driver. Zarnel needs DirectX 3.0 or better"sv},
    {"DirectSound", "Error in the sound driver of DirectX"sv},
    {"DirectSoundUsed", "The sound card is already used by another application"sv},
    {"DirectSoundMemory", "Error in the sound card driver: not enough memory"sv},
    {"Memory", "Not enough memory"sv},
    {"File", "Error in the file system driver"sv},
    {"CreateFile", "File creation error"sv},
    {"DataBase", "The internal database is corrupted"sv},
    {"Skin", "Invalid skin file"sv},
    {"Install", "Files are missing.\nPlease reinstall Zarnel from the original CD"sv},
    {"ReportError", "A fatal error occured !\nThe music will stop and the program will shut down as soon as you press the OK button\n\nPlease report this error number: %x:%x, by email to your support team"sv},
    {"BadCDMessage", "%s\nis not\nin the drive"sv},
    {"WDMError", "Impossible to init the WDM sound driver. Please check that you have a proper WDM (and not VxD) driver installed, with quad-output functions\n(Please note that Win95 and Win98osr1 do not support WDM drivers)"sv},
};
static_assert(fitsWidth(kErrors, 256));

constexpr DefaultText kOthers[] = {
    {"NoHDSelected", "Check the hard disks you want to scan"sv},
    {"DupCD", "This CD already exists in the database. Do you want to replace its content ?"sv},
    {"ScanHD", "Do you want Zarnel to scan your HD for MP3 files ?"sv},
    {"QueryClose", "The music is still playing!\nAre you sure you want to quit Zarnel?"sv},
    {"Security", "A song is playing on this desk.\nAre you sure you want to stop it?"sv},
    {"MultiInstance", "You need to activate the Multi-Instance option in the setting pannel if you want to run several Zarnel windows at once"sv},
    {"Search", "Search: "sv},
    {"Empty", "(Empty)"sv},
    {"SaveMsg", "Saving WAV file\nFileName: %s\nTime Recorded: %i:%.2i:%.2i\nFileSize: %.1f Mo\n\nTotal Time Recorded: %i:%.2i:%.2i\nTotal FileSize: %.1f Mo"sv},
    {"SaveMsgErr", "** File Error **"sv},
    {"SaveMsgWait", "Saving WAV files\nFileName: %s\n\n** Auto Start on Play **"sv},
    {"BroadcastMsg", "Broadcasting\nTotal Time: %i:%.2i:%.2i"sv},
    {"BroadcastMsgErr", "** Plugin Error **"sv},
    {"BroadcastMsgWait", "Broadcasting\n** Auto Start on Play **"sv},
};
static_assert(fitsWidth(kOthers, 256));

constexpr DefaultText kOptions[] = {
    {"AutoPitch", "Auto BPM "sv},
    {"AutoReset", "Auto Pitch-Reset "sv},
    {"AutoLevel", "Auto Gain "sv},
    {"AutoSync", "Auto Beatmatch "sv},
    {"MasterTempo", "Time Stretch "sv},
    {"PitchRange", "Pitch Range "sv},
    {"Security", "Security "sv},
    {"ToolTip", "Tooltip "sv},
    {"MultiInstance", "Multi Instance "sv},
    {"Skins", "Change Skin..."sv},
    {"Visuals", "Select Visual..."sv},
    {"SoundConfig", "Sound Configuration..."sv},
    {"Shortcuts", "Shortcuts..."sv},
    {"History", "History..."sv},
    {"Enabled", ": Enabled"sv},
    {"Disabled", ": Disabled"sv},
    {"None", ": None"sv},
    {"Ask", ": Ask"sv},
    {"Always", ": Always"sv},
    {"MixLength", "AutoMix Length "sv},
    {"NoMix", ": No Mix"sv},
    {"_5s", ": 5s"sv},
    {"_10s", ": 10s"sv},
    {"_15s", ": 15s"sv},
    {"_20s", ": 20s"sv},
    {"_30s", ": 30s"sv},
    {"_8to8", ": -8% to +8%"sv},
    {"_34to34", ": -34% to +34%"sv},
    {"Crossfader", "Crossfader "sv},
    {"Smooth", ": Smooth"sv},
    {"Full", ": Full"sv},
    {"Cut", ": Cut"sv},
    {"AutoStart", "Auto Start"sv},
    {"AutoCut", "Auto Cut"sv},
    {"RecordFile", "Filename :"sv},
    {"WebSite", "WebSite..."sv},
    {"Scratch", "Scratch "sv},
    {"Hold", ": Hold"sv},
    {"Equalizer", "Equalizer "sv},
    {"MixStart", "AutoMix start "sv},
    {"Cue", ": Cue"sv},
    {"FirstBeat", ": First Beat"sv},
    {"Start", ": Begining"sv},
    {"MixEnd", "AutoMix end "sv},
    {"LastBeat", ": Last Beat"sv},
    {"End", ": End"sv},
    {"Cue1", ": Cue 1"sv},
    {"Charts", "Charts "sv},
    {"Contest", "Upload your mix to the contest on the Zarnel website"sv},
};
static_assert(fitsWidth(kOptions, 64));

constexpr DefaultText kContextMenu[] = {
    {"Rename", "Rename"sv},
    {"EditComment", "Edit comment"sv},
    {"EditBpm", "Edit Bpm"sv},
    {"Delete", "Delete"sv},
    {"MoveTo", "Move to"sv},
    {"CopyTo", "Copy to"sv},
    {"Analyse", "Analyse"sv},
    {"Unmark", "Unmark status"sv},
};
static_assert(fitsWidth(kContextMenu, 16));

constexpr DefaultText kButtonTips[] = {
    {"_Empty", ""sv},
    {"Close", "Close"sv},
    {"Minimize", "Minimize"sv},
    {"Maximize", "Full screen"sv},
    {"Magic", "Beatmix !"sv},
    {"Play", "Play"sv},
    {"Pause", "Pause"sv},
    {"Stop", "Stop"sv},
    {"Cue", "Cue"sv},
    {"Select", "Select"sv},
    {"PitchReset", "Reset Pitch"sv},
    {"PitchVolume", "Switch between Pitch and Volume"sv},
    {"MatchPitch", "Automatic pitch matching"sv},
    {"MatchVolume", "Automatic gain matching"sv},
    {"MatchBeat", "Automatic beat matching"sv},
    {"BrowseDirectory", "Audio files"sv},
    {"BrowseSearch", "Search"sv},
    {"Samples", "Samples"sv},
    {"Effects", "Effects"sv},
    {"Record", "Record"sv},
    {"Options", "Options"sv},
    {"AutoMixNow", "AutoMix Now !"sv},
    {"_Empty", ""sv},
    {"_Empty", ""sv},
    {"PlayPause", "Play/Pause"sv},
    {"CueStop", "Cue"sv},
    {"Loop4th", "Loop"sv},
    {"Loop2th", "Loop"sv},
    {"Loop1", "Loop"sv},
    {"Loop2", "Loop"sv},
    {"Loop4", "Loop"sv},
    {"Loop8", "Loop"sv},
    {"Effect1", "Effect 1"sv},
    {"Effect2", "Effect 2"sv},
    {"Effect3", "Effect 3"sv},
    {"EqReset", "Reset Eqs"sv},
    {"KillBass", "Kill Bass"sv},
    {"KillMedium", "Kill Medium"sv},
    {"KillHigh", "Kill High"sv},
    {"GotoCue1", "Rewind to the cuepoint 1"sv},
    {"GotoCue2", "Rewind to the cuepoint 2"sv},
    {"GotoCue3", "Rewind to the cuepoint 3"sv},
    {"GotoCue4", "Rewind to the cuepoint 4"sv},
    {"GotoCue5", "Rewind to the cuepoint 5"sv},
    {"SetCue1", "Save the actual position as cuepoint 1"sv},
    {"SetCue2", "Save the actual position as cuepoint 2"sv},
    {"SetCue3", "Save the actual position as cuepoint 3"sv},
    {"SetCue4", "Save the actual position as cuepoint 4"sv},
    {"SetCue5", "Save the actual position as cuepoint 5"sv},
};
static_assert(fitsWidth(kButtonTips, 64));

constexpr DefaultText kSliderTips[] = {
    {"Crossfader", "Crossfader"sv},
    {"SongPos", "Position in the song"sv},
    {"Pitch", "Pitch (speed of the song)"sv},
    {"Level", "Level"sv},
    {"Bass", "Bass"sv},
    {"Medium", "Medium"sv},
    {"High", "High"sv},
    {"Gain", "Gain"sv},
    {"Preview", "Preview"sv},
    {"BassFader", "Bass Crossfader"sv},
    {"MediumFader", "Medium Crossfader"sv},
    {"HighFader", "High Crossfader"sv},
    {"Arm", ""sv},
    {"Rotation", ""sv},
};
static_assert(fitsWidth(kSliderTips, 32));

constexpr DefaultText kOptionTips[] = {
    {"AutoPitch", "Automatic bpm matching"sv},
    {"AutoPitchReset", "Automatic pitch reset"sv},
    {"AutoLevel", "Automatic gain matching"sv},
    {"MixLength", "AutoMix Length"sv},
    {"Crossfader", "Crossfader behavior"sv},
    {"Security", "Desk Security"sv},
    {"ToolTip", "ToolTip"sv},
    {"Skin", "Load a new skin"sv},
    {"SoundCard", "Sound cards configuration"sv},
    {"History", "Save the history list"sv},
    {"MultiInstance", "Run several Zarnels at the same time"sv},
    {"Shortcuts", "Configure the keyboard shortcuts"sv},
    {"MasterTempo", "Modify the speed without changing the pitch"sv},
    {"PitchRange", "Set the range of the pitch slider"sv},
    {"AutoBeat", "Automatic beatmatch"sv},
    {"Visuals", "Set visualisation plugin"sv},
    {"WebSite", "Visit Zarnel website"sv},
    {"MixStart", "Set where AutoMix should start"sv},
    {"Scratch", "Scratch-like sound when moving the rhythm curves"sv},
    {"Equalizer", "Three-band equalizer"sv},
    {"MixEnd", "Set where AutoMix should end"sv},
    {"Charts", "Enable charts info to be collected"sv},
    {"AutoStart", "Start recording when PLAY is activated"sv},
    {"AutoCut", "Cut upon crossfader desk change"sv},
    {"RecordFile", "Target file name for mix output"sv},
    {"Contest", ""sv},
};
static_assert(fitsWidth(kOptionTips, 64));

constexpr DefaultText kSubButtonTips[] = {
    {"Lock", "Lock the panel"sv},
    {"Lock", "Lock the panel"sv},
    {"Favorite", "Set as favorite folder"sv},
    {"ScanHD", "Scan Hard Drive"sv},
    {"ScanCD", "Scan CD"sv},
    {"DeleteCD", "Delete CD"sv},
    {"AutoMix", "Automatic mixing"sv},
    {"Shuffle", "Shuffle"sv},
    {"OnlyNew", "New songs only"sv},
    {"Load", "Load Playlist"sv},
    {"Save", "Save Playlist"sv},
    {"Record", "Start recording"sv},
    {"Cut", "Cut to another track"sv},
    {"LoadSample", "Load a sample file"sv},
    {"LoadEffect", "Load an effect library"sv},
};
static_assert(fitsWidth(kSubButtonTips, 32));
constexpr std::array<TextSectionDefaults, kTextSectionCount> kSections{{
    {"", "Columns", kColumns},
    {"", "Filters", kFilters},
    {"", "BrowserTitles", kBrowserTitles},
    {"", "Errors", kErrors},
    {"", "Others", kOthers},
    {"", "Options", kOptions},
    {"", "ContextMenu", kContextMenu},
    {"ToolTips", "Buttons", kButtonTips},
    {"ToolTips", "Sliders", kSliderTips},
    {"ToolTips", "Options", kOptionTips},
    {"ToolTips", "SubButtons", kSubButtonTips},
}};

static_assert(std::size(kColumns) == kColumnCount && std::size(kFilters) == kFilterCount &&
              std::size(kBrowserTitles) == kBrowserTitleCount && std::size(kErrors) == 24 &&
              std::size(kOthers) == kOtherCount && std::size(kOptions) == kOptionTextCount &&
              std::size(kContextMenu) == kContextMenuCount && std::size(kButtonTips) == kButtonTipCount &&
              std::size(kSliderTips) == kSliderTipCount && std::size(kOptionTips) == kOptionTipCount &&
              std::size(kSubButtonTips) == kSubButtonTipCount);

constexpr std::array<std::string_view, kDialogTextCount> kDialogKeys{
    "Title", "OK", "Cancel", "Label1", "Label2", "Label3", "Label4", "Label5"};

// Texts in DialogText order: title, OK, cancel, labels 1 to 5; empty when the
// dialog has no default for the key.
constexpr std::array<DialogDefaults, kDialogCount> kDialogs{{
    {"Default", {"", "Yes", "No"}},
    {"EditBpm", {"BPM", "OK"}},
    {"EditComment", {"Comment", "OK"}},
    {"ScanHD",
     {"Auto Search of MP3 files on the hard drive", "OK", "", "Scan for:", "MP3 Files", "WAV Files",
      "Perform an extended analysis on each file", "WMA Files"}},
    {"ScanCD", {"Auto scan of mp3 files", "Scan", "", "Drive :", "Name"}},
    {"DeleteCD", {"Delete a CD", "Delete"}},
    {"SoundConfig",
     {"Choose your configuration", "OK", "Cancel", "Sound Card", "Sound Card 2", "Software 3D"}},
    {"SkinConfig", {"Choose a skin", "OK"}},
    {"VisualEffects", {"Visualisation Plug-in", "Start"}},
    {"ShortcutConfig",
     {"Shortcuts", "OK", "", "Add...", "Change...", "Delete", "Load...", "Save..."}},
    {"ShortcutEdit",
     {"Shortcut", "OK", "Cancel", "Default desk", "Playing desk", "Left desk", "Right desk"}},
    {"EditFilename", {"Filename", "OK"}},
}};

constexpr bool dialogsFitWidth(size_t width) {
  for (size_t d = 0; d < kDialogs.size(); ++d) {
    for (size_t k = 0; k < kDialogKeys.size(); ++k) {
      if (kDialogs[d].texts[k].size() >= width) return false;
    }
  }
  return true;
}
static_assert(dialogsFitWidth(128));

}  // namespace

const TextSectionDefaults& textSectionDefaults(TextSection section) {
  return kSections[size_t(section)];
}

const DialogDefaults& dialogDefaults(DialogId dialog) { return kDialogs[size_t(dialog)]; }

std::string_view dialogTextKey(DialogText text) { return kDialogKeys[size_t(text)]; }

}  // namespace zarnel
