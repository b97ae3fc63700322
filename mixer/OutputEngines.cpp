#include "mixer/OutputEngines.h"

namespace zarnel {

namespace {

template <class Engine>
std::unique_ptr<OutputEngine> make(Desk& desk1, Desk& desk2) {
  return std::make_unique<Engine>(desk1, desk2);
}

struct ModeEntry {
  const char* name;
  std::unique_ptr<OutputEngine> (*create)(Desk&, Desk&);
  OutputModeChoice choice;
};

constexpr ModeEntry kModes[kOutputModes] = {
    {"SingleCardMasterEngine", make<SingleCardMasterEngine>, {0, 0, false}},
    {"SingleCardCueEngine", make<SingleCardCueEngine>, {0, 1, false}},
    {"DualCardCueEngine", make<DualCardCueEngine>, {2, 1, false}},
    {"Soft3DCueEngine", make<Soft3DCueEngine>, {1, 1, true}},
    {"QuadCueEngine", make<QuadCueEngine>, {1, 1, false}},
    {"SingleCardDeskEngine", make<SingleCardDeskEngine>, {0, 2, false}},
    {"DualCardDeskEngine", make<DualCardDeskEngine>, {2, 2, false}},
    {"Soft3DDeskEngine", make<Soft3DDeskEngine>, {1, 2, true}},
    {"QuadDeskEngine", make<QuadDeskEngine>, {1, 2, false}},
};

const ModeEntry& entry(int32_t mode) { return kModes[mode >= 0 && mode < kOutputModes ? mode : 0]; }

}  // namespace

int32_t outputModeFor(const OutputModeChoice& choice) {
  for (int32_t mode = 0; mode < kOutputModes; ++mode) {
    const OutputModeChoice& c = kModes[mode].choice;
    if (c.card == choice.card && c.output == choice.output && c.softwareRender == choice.softwareRender)
      return mode;
  }
  return -1;
}

OutputModeChoice outputModeChoice(int32_t mode) { return entry(mode).choice; }

std::unique_ptr<OutputEngine> createOutputEngine(int32_t mode, Desk& desk1, Desk& desk2) {
  return entry(mode).create(desk1, desk2);
}

const char* outputEngineName(int32_t mode) { return entry(mode).name; }

}  // namespace zarnel
