#pragma once
// The nine output engines, one per output mode, and the table that maps the
// sound configuration's choices to a mode.

#include <cstdint>
#include <memory>

#include "mixer/DualCardOutput.h"
#include "mixer/QuadOutput.h"
#include "mixer/RoutedEngine.h"
#include "mixer/SingleBufferOutput.h"
#include "mixer/Soft3DOutput.h"

namespace zarnel {

// Mode 0: one card, the stereo master.
class SingleCardMasterEngine final : public RoutedEngine<MasterRoute, SingleBufferOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 1: one card, mono master left and mono headphones right.
class SingleCardCueEngine final : public RoutedEngine<MonoCueRoute, SingleBufferOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 2: card 1 the master, card 2 the headphones.
class DualCardCueEngine final : public RoutedEngine<CueRoute, DualCardOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 3: software 3D, front the master, back the headphones.
class Soft3DCueEngine final : public RoutedEngine<CueRoute, Soft3DOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 4: four channels, front the master, back the headphones.
class QuadCueEngine final : public RoutedEngine<CueRoute, QuadOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 5: one card, desk 1 in mono left and desk 2 right.
class SingleCardDeskEngine final : public RoutedEngine<MonoDeskRoute, SingleBufferOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 6: card 1 desk 1, card 2 desk 2.
class DualCardDeskEngine final : public RoutedEngine<DeskRoute, DualCardOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 7: software 3D, front desk 1, back desk 2.
class Soft3DDeskEngine final : public RoutedEngine<DeskRoute, Soft3DOutput> {
  using RoutedEngine::RoutedEngine;
};
// Mode 8: four channels, front desk 1, back desk 2.
class QuadDeskEngine final : public RoutedEngine<DeskRoute, QuadOutput> {
  using RoutedEngine::RoutedEngine;
};

constexpr int32_t kOutputModes = 9;

// The sound configuration's choices of one mode.
struct OutputModeChoice {
  int32_t card;        // 0 one card, 1 one 3D (four-channel) card, 2 two cards
  int32_t output;      // 0 speakers only, 1 speakers and headphones, 2 external mixer
  bool softwareRender;
};

// Return: the mode for the choices, or -1 for a combination that does not exist.
int32_t outputModeFor(const OutputModeChoice& choice);
// Return: the choices of mode (mode 0's for an unknown mode).
OutputModeChoice outputModeChoice(int32_t mode);

// Return: a new, unopened engine of mode; an unknown mode gives mode 0's.
std::unique_ptr<OutputEngine> createOutputEngine(int32_t mode, Desk& desk1, Desk& desk2);
// Return: the engine class name of mode (mode 0's for an unknown mode).
const char* outputEngineName(int32_t mode);

}  // namespace zarnel
