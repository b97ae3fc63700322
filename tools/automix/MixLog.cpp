#include "tools/automix/MixLog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zarnel::tools {

namespace {

std::string number(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Return: the desk's beat phase (beats since its first beat) and the heard
// length of one beat in seconds; false when unknown.
bool beatPhase(const MixLog::DeskRow& d, double& phase, double& heardBeatS) {
  if (!d.loaded || d.bpm <= 0.0f || d.firstBeatS <= 0.0 || d.pitch <= 0) return false;
  const double beatS = 60.0 / double(d.bpm);
  phase = (d.positionS - d.firstBeatS) / beatS;
  heardBeatS = beatS * 4096.0 / double(d.pitch);
  return true;
}

}  // namespace

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

double MixLog::beatDistanceMs(const Row& row) {
  double phase[2], beat[2];
  for (int d = 0; d < 2; ++d)
    if (!beatPhase(row.desks[d], phase[d], beat[d])) return -1.0;
  double apart = phase[0] - phase[1];
  apart -= std::floor(apart + 0.5);  // to the nearest beat: -0.5 .. 0.5
  return std::fabs(apart) * (beat[0] + beat[1]) / 2.0 * 1000.0;
}

void MixLog::add(const Row& row) {
  if (!row.transition) return;
  const double ms = beatDistanceMs(row);
  if (ms < 0.0) return;
  ++alignment_.ticks;
  sumMs_ += ms;
  alignment_.worstMs = std::max(alignment_.worstMs, ms);
  alignment_.meanMs = sumMs_ / alignment_.ticks;
}

std::string MixLog::csv(const Row& row) {
  std::string line = number(double(row.timeMs) / 1000.0, "%.3f") + ",";
  line += (row.step >= 0 ? std::to_string(row.step) : std::string()) + ",";
  line += std::to_string(row.crossfader);
  for (const DeskRow& d : row.desks) {
    line += ",";
    line += d.loaded ? csvField(d.file) : std::string();
    line += ",";
    line += d.loaded ? number(d.positionS, "%.4f") : std::string();
    line += "," + std::to_string(d.pitch);
  }
  return line;
}

}  // namespace zarnel::tools
