#include "tools/skinart/DefaultSkin.h"

#include "tools/skinart/Layout.h"
#include "tools/skinart/SkinBuilder.h"
#include "tools/skinart/Theme.h"

namespace zarnel::art {

namespace {

using namespace layout;

uint32_t accentOf(int desk) { return desk ? theme::kDesk2 : theme::kDesk1; }

ButtonSpec labelled(const std::string& action, int chan, Rect r, const std::string& label, uint32_t accent,
                    int32_t textHeight = 13, bool toggles = false) {
  ButtonSpec b;
  b.action = action;
  b.chan = chan;
  b.rect = r;
  b.look.label = label;
  b.look.accent = accent;
  b.look.textHeight = textHeight;
  b.toggles = toggles;
  return b;
}

ButtonSpec iconic(const std::string& action, int chan, Rect r, Icon icon, uint32_t accent, bool toggles = false) {
  ButtonSpec b = labelled(action, chan, r, "", accent, 13, toggles);
  b.look.icon = icon;
  return b;
}

void topBar(SkinBuilder& skin) {
  ButtonSpec logo = labelled("nothing", 0, {6, 3, 110, 28}, "", theme::kNeutral);
  logo.plain = true;
  skin.button(logo);
  static const char* const kPages[6][2] = {{"menu_files", "FILES"},     {"menu_search", "SEARCH"},
                                           {"menu_samples", "SAMPLES"}, {"menu_effects", "EFFECTS"},
                                           {"menu_record", "RECORD"},   {"menu_config", "OPTIONS"}};
  for (int i = 0; i < 6; ++i)
    skin.button(labelled(kPages[i][0], 0, {124 + i * 68, 3, 64, 28}, kPages[i][1], theme::kNeutral, 13));
  skin.button(labelled("switch_pitch_level", 0, {536, 3, 44, 28}, "P/L", theme::kNeutral, 13));
  skin.lamp(0, {588, 9, 16, 16}, theme::kPlay, false);
  skin.text({0, {608, 6, 84, 22}, "%hour", "%counter", 18, true, theme::kText, "center", false, true});
  skin.button(iconic("minimize", 0, {700, 3, 30, 28}, Icon::minimize, theme::kNeutral));
  skin.button(iconic("maximize", 0, {733, 3, 30, 28}, Icon::maximize, theme::kNeutral));
  skin.button(iconic("close", 0, {766, 3, 30, 28}, Icon::close, theme::kKill));
}

void deskTexts(SkinBuilder& skin, int desk) {
  const int chan = desk + 1;
  const int32_t x = infoDisplay(desk).x;
  skin.text({chan, {x + 8, 46, 224, 19}, "%title", "", 17, true, theme::kText, "left", true, false});
  skin.lamp(chan, {x + 238, 48, 14, 14}, accentOf(desk), true);
  skin.text({chan, {x + 8, 65, 244, 16}, "%author", "", 14, false, theme::kTextDim, "left", false, false});
  skin.text({chan, {x + 8, 92, 64, 17}, "%spent", "%Bspent", 17, true, accentOf(desk), "left", false, false});
  skin.text({chan, {x + 74, 92, 66, 17}, "%left", "%time", 17, true, theme::kText, "left", false, false});
  skin.text({chan, {x + 146, 92, 52, 17}, "%bpm", "%Lbpm", 17, true, theme::kText, "left", false, false});
  skin.text({chan, {x + 200, 92, 56, 17}, "%pitch%%", "", 17, true, theme::kText, "left", false, false});
  skin.dropZone(std::to_string(chan), infoDisplay(desk));
}

void deskTurntable(SkinBuilder& skin, int desk) {
  const int chan = desk + 1;
  const uint32_t accent = accentOf(desk);
  skin.linear({"song_pos", chan, songPos(desk), true, false, true, 0, accent, 4, "", ""});
  skin.disc(chan, disc(desk), accent);
  skin.scratch(chan, disc(desk));
  skin.arm(chan, arm(desk), desk == 1);
  // Down on the fader is faster, as on a turntable.
  skin.linear({"pitch", chan, pitchSlider(desk), false, true, false, 14, accent, 2.5, "", "reset"});
  skin.button(labelled("pitch_reset", chan, pitchReset(desk), "\xB1" "0", accent, 14, true));
  static const char* const kSync[4][2] = {
      {"sync_beat", "SYNC"}, {"sync_pitch", "BPM"}, {"sync_level", "GAIN"}, {"magic", "MAGIC"}};
  for (int i = 0; i < 4; ++i)
    skin.button(labelled(kSync[i][0], chan, {syncX(desk), 130 + i * 38, kSyncWidth, 34}, kSync[i][1], accent,
                         i == 3 ? 12 : 13));
}

void deskTransport(SkinBuilder& skin, int desk) {
  const int chan = desk + 1;
  const int32_t x = deskX(desk), y = kTransportY;
  const uint32_t accent = accentOf(desk);
  skin.button(labelled("cue_stop", chan, {x, y, 62, 34}, "CUE", theme::kCue, 17, true));
  ButtonSpec playPause = iconic("play_pause", chan, {x + 66, y, 62, 34}, Icon::playPause, theme::kPlay, true);
  playPause.rightClick = "bend";
  skin.button(playPause);
  skin.button(iconic("play", chan, {x + 132, y, 30, 34}, Icon::play, theme::kPlay));
  skin.button(iconic("pause", chan, {x + 164, y, 30, 34}, Icon::pause, accent));
  skin.button(iconic("stop", chan, {x + 196, y, 30, 34}, Icon::stop, accent));
  skin.button(labelled("cue", chan, {x + 228, y, 32, 34}, "SET", theme::kCue, 12));
  for (int i = 0; i < 5; ++i) {
    const std::string n = std::to_string(i + 1);
    skin.button(labelled("gotocue" + n, chan, {x + i * 52, kHotCueY, 50, 28}, "CUE " + n, theme::kCue, 13));
    skin.button(labelled("setcue" + n, chan, {x + i * 52, kSetCueY, 50, 28}, "SET " + n, accent, 13));
  }
  static const char* const kLoops[6][2] = {{"loop4th", "1/4"}, {"loop2th", "1/2"}, {"loop1", "1"},
                                           {"loop2", "2"},     {"loop4", "4"},     {"loop8", "8"}};
  for (int i = 0; i < 6; ++i)
    skin.button(labelled(kLoops[i][0], chan, {x + i * 44, kLoopY, 40, 28}, kLoops[i][1], accent, 14, true));
}

void mixerStrip(SkinBuilder& skin, int desk) {
  const int chan = desk + 1;
  const uint32_t accent = accentOf(desk);
  static const char* const kKnobs[4] = {"gain", "high", "medium", "bass"};
  for (int k = 0; k < 4; ++k)
    skin.knob(kKnobs[k], chan, {knobX(desk), kKnobY[k], kKnobSize, kKnobSize}, true, accent,
              k == 0 ? "auto" : "cut");
  skin.button(labelled("eqreset", chan, {killX(desk), kKnobY[0] + 7, 40, 28}, "RESET", accent, 11));
  static const char* const kKills[3] = {"killhigh", "killmedium", "killbass"};
  for (int k = 0; k < 3; ++k)
    skin.button(labelled(kKills[k], chan, {killX(desk), kKnobY[k + 1] + 7, 40, 28}, "KILL", theme::kKill, 12, true));
  skin.linear({"level", chan, levelFader(desk), false, false, true, 14, accent, 3, "cut", "reset"});
  for (int i = 0; i < 3; ++i) {
    const int32_t x = (desk ? 438 : 282) + i * 28;
    skin.button(labelled("effect" + std::to_string(i + 1), chan, {x, kFxY, 26, 28}, "FX" + std::to_string(i + 1),
                         accent, 11, true));
  }
  skin.button(iconic("select", chan, {desk ? 402 : 368, kFxY, 30, 28}, Icon::headphones, accent, true));
}

void mixerCentre(SkinBuilder& skin) {
  skin.button(labelled("mix", 0, {368, 42, 64, 28}, "AUTOMIX", theme::kNeutral, 11));
  skin.knob("preview", 0, kPreview, false, theme::kNeutral);
  skin.rhythm(kRhythm, 0xA9C4FF, theme::kCue);
  static const char* const kBands[3] = {"bassfader", "mediumfader", "highfader"};
  for (int b = 0; b < 3; ++b)
    skin.linear({kBands[b], 0, bandFader(b), true, false, false, 12, theme::kNeutral, 2, "", "reset"});
  skin.linear({"crossfader", 0, kCrossfader, true, false, false, 24, theme::kNeutral, 3, "", "reset"});
}

std::string browserElement() {
  const Rect& r = kBrowser;
  return "  <browser>\n" + sizePos(r, "    ") +
         "    <text font=\"Arial\" size=\"15\" color=\"#E6EAF0\" over=\"#FFFFFF\" selected=\"#1D5A72\"/>\n"
         "    <options font=\"Arial\" size=\"15\" color=\"#C9D3E3\" over=\"#27C0F0\" selected=\"#FF8A2E\"/>\n"
         "    <widgets font=\"Arial\" size=\"14\" color=\"#E6EAF0\" facecolor=\"#1A1D23\" lightcolor=\"#3A404C\""
         " shadowcolor=\"#0E1014\" highlightcolor=\"#2C313B\" darkshadowcolor=\"#07080A\""
         " stripescolor=\"#1E2128\" trackcolor1=\"#121419\" trackcolor2=\"#181B21\"/>\n"
         "    <colormatrix rr=\"256\" rg=\"0\" rb=\"0\" gr=\"0\" gg=\"256\" gb=\"0\" br=\"0\" bg=\"0\" bb=\"256\"/>\n"
         "  </browser>\n";
}

}  // namespace

SkinFiles makeDefaultSkin(Lettering& letters) {
  Image window(800, 600, theme::kWindow);
  paintBackdrop(window, letters);
  SkinBuilder skin(window, letters);
  topBar(skin);
  for (int desk = 0; desk < 2; ++desk) {
    deskTexts(skin, desk);
    deskTurntable(skin, desk);
    deskTransport(skin, desk);
    mixerStrip(skin, desk);
  }
  mixerCentre(skin);
  skin.raw(browserElement());
  return {skin.bitmap(), skin.xml()};
}

}  // namespace zarnel::art
