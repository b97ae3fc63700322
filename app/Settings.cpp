#include "app/Settings.h"

namespace zarnel {

void Settings::resetToDefaults() {
  Settings fresh;
  homeFolder = fresh.homeFolder;
  cdDrive = fresh.cdDrive;
  skin = fresh.skin;
  soundCardGuid = soundCard1Guid = soundCard2Guid = std::nullopt;
  favorite.clear();
  shortcuts.reset();
  toolTip = fresh.toolTip;
  babySecure = fresh.babySecure;
  maximized = fresh.maximized;
  crossfader = fresh.crossfader;
  multiInstance = fresh.multiInstance;
  autoBpm = fresh.autoBpm;
  autoLevel = fresh.autoLevel;
  autoZPitch = fresh.autoZPitch;
  autoSync = fresh.autoSync;
  longMix = fresh.longMix;
  startMix = fresh.startMix;
  endMix = fresh.endMix;
  equalizer = fresh.equalizer.load();
  masterTempo = fresh.masterTempo.load();
  limitPitch = fresh.limitPitch;
  scratch = fresh.scratch.load();
  resyncShift = fresh.resyncShift.load();
  charts = fresh.charts;
  autoSave = fresh.autoSave;
  autoSaveCut = fresh.autoSaveCut;
  panel1Size = fresh.panel1Size;
  panel2Size = fresh.panel2Size;
  panel1Locked = fresh.panel1Locked;
  panel2Locked = fresh.panel2Locked;
  bandSizes = fresh.bandSizes;
  samples = fresh.samples;
  effects = fresh.effects;
  outputMode = fresh.outputMode;
}

Settings& settings() {
  static Settings instance;
  return instance;
}

}  // namespace zarnel
